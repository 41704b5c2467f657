#include "MetafileRecord.h"

#include "common/Error.h"

#include <bit>

namespace orvandel::imaging {

void refuseMetafile(QLatin1String format, const QString& reason) {
    throw Error(QStringLiteral("Fichier %1 invalide : %2").arg(format, reason));
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
    require(offset, count);
    return data.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
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

std::optional<MetafileRecord> RecordCursor::next() {
    const QLatin1String name = formatName(format);
    const bool wmf = format == MetafileFormat::Wmf;
    const std::size_t headerSize = wmf ? 6 : 8;
    const std::size_t left = bytes.size() - offset;
    if (left == 0)
        return std::nullopt;
    if (left < headerSize)
        refuseMetafile(name, QStringLiteral("enregistrement tronqué."));
    const RecordBytes header(bytes.subspan(offset, headerSize), name);
    // WMF counts 16-bit words and puts the size first; EMF counts bytes and puts the type first.
    const std::uint64_t size = wmf ? std::uint64_t{header.u32(0)} * 2 : header.u32(4);
    const std::uint32_t type = wmf ? header.u16(4) : header.u32(0);
    if (size < headerSize || (!wmf && size % 4 != 0))
        refuseMetafile(name, QStringLiteral("taille d'enregistrement incorrecte."));
    if (size > left)
        refuseMetafile(name, QStringLiteral("enregistrement tronqué."));
    if (++count > MaxRecordCount)
        refuseMetafile(name, QStringLiteral("trop d'enregistrements."));
    const ByteView parameters = bytes.subspan(offset + headerSize, size - headerSize);
    offset += size;
    const std::uint32_t endOfFile = wmf ? 0x0000 : 14;
    if (type == endOfFile) {
        offset = bytes.size();
        return std::nullopt;
    }
    return MetafileRecord{type, RecordBytes(parameters, name)};
}

const std::uint8_t* RecordBytes::at(std::uint64_t offset, std::uint64_t count) const {
    require(offset, count);
    return data.data() + offset;
}

} // namespace orvandel::imaging
