#include "MetafileRecord.h"

#include "common/Error.h"
#include "common/Messages.h"

#include <bit>

namespace orvandel::imaging {

void refuseMetafile(QLatin1String format, const QString& reason) {
    throw Error(
        formatMessage(QStringLiteral("Fichier %s invalide : %s"), {QString(format), reason}));
}

std::uint16_t RecordBytes::u16(std::uint64_t offset) const {
    const std::uint8_t* bytes = at(offset, 2);
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t RecordBytes::u32(std::uint64_t offset) const {
    const std::uint8_t* bytes = at(offset, 4);
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
           (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

float RecordBytes::f32(std::uint64_t offset) const {
    return std::bit_cast<float>(u32(offset));
}

ByteView RecordBytes::bytes(std::uint64_t offset, std::uint64_t count) const {
    return ByteView(at(offset, count), static_cast<std::size_t>(count));
}

void RecordBytes::require(std::uint64_t offset, std::uint64_t count) const {
    if (offset > data.size() || count > data.size() - offset)
        refuseMetafile(formatLabel, QStringLiteral("enregistrement mal formé."));
}

void RecordBytes::requirePoints(std::uint64_t offset, std::uint64_t count,
                                std::uint64_t pointBytes) const {
    // Far more than any real shape; bounds the memory one record can ask for.
    constexpr std::uint64_t MaxPointCount = 1 << 20;
    if (count > MaxPointCount)
        refuseMetafile(formatLabel, QStringLiteral("trop de points dans un enregistrement."));
    require(offset, count * pointBytes);
}

QLatin1String formatName(MetafileFormat format) {
    return format == MetafileFormat::Wmf ? QLatin1String("WMF") : QLatin1String("EMF");
}

RecordCursor::RecordCursor(RecordRange records, MetafileFormat recordFormat)
    : range(records)
    , format(recordFormat)
    , reader(*records.file, formatName(recordFormat))
    , room(reader)
    , position(records.start) {}

std::optional<MetafileRecord> RecordCursor::next() {
    const QLatin1String name = formatName(format);
    const bool wmf = format == MetafileFormat::Wmf;
    const std::size_t headerSize = wmf ? 6 : 8;
    const qint64 left = range.end - position;
    if (left <= 0)
        return std::nullopt;
    if (left < qint64(headerSize))
        refuseMetafile(name, QStringLiteral("enregistrement tronqué."));
    const RecordBytes header(reader.window(position, headerSize), name);
    // WMF counts 16-bit words and puts the size first; EMF counts bytes and puts the type first.
    const std::uint64_t size = wmf ? std::uint64_t{header.u32(0)} * 2 : header.u32(4);
    const std::uint32_t type = wmf ? header.u16(4) : header.u32(0);
    if (size < headerSize || (!wmf && size % 4 != 0))
        refuseMetafile(name, QStringLiteral("taille d'enregistrement incorrecte."));
    if (size > std::uint64_t(left))
        refuseMetafile(name, QStringLiteral("enregistrement tronqué."));
    if (++count > MaxRecordCount)
        refuseMetafile(name, QStringLiteral("trop d'enregistrements."));
    const qint64 parametersStart = position + qint64(headerSize);
    position += qint64(size);
    const std::uint32_t endOfFile = wmf ? 0x0000 : 14;
    if (type == endOfFile) {
        position = range.end;
        return std::nullopt;
    }
    const auto parametersSize = static_cast<std::size_t>(size - headerSize);
    if (parametersSize <= MetafileReader::WindowSize)
        return MetafileRecord{type,
                              RecordBytes(reader.window(parametersStart, parametersSize), name)};
    return MetafileRecord{type,
                          RecordBytes(room.reset(parametersStart, parametersSize), room, name)};
}

const std::uint8_t* RecordBytes::at(std::uint64_t offset, std::uint64_t count) const {
    require(offset, count);
    if (source)
        source->load(static_cast<std::size_t>(offset + count));
    return data.data() + offset;
}

} // namespace orvandel::imaging
