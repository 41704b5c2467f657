#pragma once

#include "MetafileReader.h"
#include "imaging/ByteView.h"

#include <QIODevice>
#include <QLatin1String>
#include <QString>

#include <cstdint>
#include <optional>

namespace orvandel::imaging {

// Throws orvandel::Error "Fichier <format> invalide : <reason>".
[[noreturn]] void refuseMetafile(QLatin1String format, const QString& reason);

// The bytes of one metafile header or record, read little-endian. A read past the end means the
// record contradicts its own size: that is refused rather than guessed at.
class RecordBytes {
public:
    // Bytes already in memory.
    RecordBytes(ByteView bytes, QLatin1String format)
        : data(bytes)
        , formatLabel(format) {}
    // A large record read from its file as its bytes are asked for.
    RecordBytes(ByteView bytes, RecordRoom& room, QLatin1String format)
        : data(bytes)
        , source(&room)
        , formatLabel(format) {}

    std::size_t size() const { return data.size(); }
    QLatin1String format() const { return formatLabel; }

    std::uint8_t u8(std::uint64_t offset) const { return at(offset, 1)[0]; }
    std::uint16_t u16(std::uint64_t offset) const;
    std::int16_t i16(std::uint64_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u32(std::uint64_t offset) const;
    std::int32_t i32(std::uint64_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    float f32(std::uint64_t offset) const;

    // `count` bytes from `offset`, all inside the record.
    ByteView bytes(std::uint64_t offset, std::uint64_t count) const;
    // Throws unless `count` bytes are there from `offset`.
    void require(std::uint64_t offset, std::uint64_t count) const;
    // Throws unless `count` points of `pointBytes` each are there from `offset`, and `count` is
    // within what a real shape uses.
    void requirePoints(std::uint64_t offset, std::uint64_t count, std::uint64_t pointBytes) const;

private:
    const std::uint8_t* at(std::uint64_t offset, std::uint64_t count) const;

    ByteView data;
    RecordRoom* source = nullptr;
    QLatin1String formatLabel;
};

enum class MetafileFormat { Wmf, Emf };

QLatin1String formatName(MetafileFormat format);

struct MetafileRecord {
    std::uint32_t type;
    RecordBytes parameters; // what follows the size and type fields
};

// Where a metafile's records lie in its file.
struct RecordRange {
    QIODevice* file;
    qint64 start;
    qint64 end;
};

// Walks the records of a metafile up to its end-of-file record. Each record's stated size is
// checked against the bytes left, so a damaged file stops with an error instead of a misread.
class RecordCursor {
public:
    // A real drawing has far fewer; this bounds the work a hostile file can ask for.
    static constexpr std::uint32_t MaxRecordCount = 1 << 22;

    RecordCursor(RecordRange records, MetafileFormat recordFormat);

    // Nothing once the end-of-file record or the end of the range is reached. The record's bytes
    // stay valid until the next call.
    std::optional<MetafileRecord> next();

private:
    RecordRange range;
    MetafileFormat format;
    MetafileReader reader;
    RecordRoom room;
    qint64 position;
    std::uint32_t count = 0;
};

} // namespace orvandel::imaging
