#pragma once

#include "imaging/ByteView.h"

#include <QIODevice>
#include <QLatin1String>

#include <cstdint>
#include <memory>

namespace orvandel::imaging {

// Reads a metafile from its file. Small reads come from a window of the file, so that thousands of
// small records cost no system call each; large records are read into a room of their own. A file
// that ends before a read does is refused as truncated.
class MetafileReader {
public:
    static constexpr std::size_t WindowSize = 64 * 1024;

    MetafileReader(QIODevice& metafile, QLatin1String format)
        : file(metafile)
        , formatLabel(format) {}

    QLatin1String format() const { return formatLabel; }

    // `count` bytes at `position`, `count` at most WindowSize; valid until the next call.
    ByteView window(qint64 position, std::size_t count);
    // Reads `count` bytes at `position` into `into`.
    void read(qint64 position, std::uint8_t* into, std::size_t count);

private:
    // Reads at least `count` bytes at `position` into `into`, more up to `capacity` when the file
    // has them; returns how many it read.
    std::size_t readAtLeast(qint64 position, std::uint8_t* into, std::size_t count,
                            std::size_t capacity);

    QIODevice& file;
    QLatin1String formatLabel;
    std::unique_ptr<std::uint8_t[]> windowBytes;
    qint64 windowStart = 0;
    std::size_t windowFilled = 0;
};

// A large record's room in memory, filled only as far as its bytes are asked for: a record the
// player skips, or refuses after its first fields, is never read whole.
class RecordRoom {
public:
    explicit RecordRoom(MetafileReader& metafile)
        : reader(metafile) {}

    // Makes room for a record of `size` bytes at `position`; reads nothing yet.
    ByteView reset(qint64 position, std::size_t size);
    // Reads the record's bytes up to `end`, unless they are in already.
    void load(std::size_t end);

private:
    MetafileReader& reader;
    qint64 start = 0;
    std::size_t size = 0;
    std::size_t loaded = 0;
    // Left uninitialised: pages never read into take no memory.
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t capacity = 0;
};

} // namespace orvandel::imaging
