#include "MetafileReader.h"

#include "MetafileRecord.h"
#include "common/Error.h"
#include "common/Messages.h"

#include <algorithm>

namespace orvandel::imaging {

ByteView MetafileReader::window(qint64 position, std::size_t count) {
    const bool inside =
        position >= windowStart && std::size_t(position - windowStart) + count <= windowFilled;
    if (!inside) {
        if (!windowBytes)
            windowBytes = std::make_unique_for_overwrite<std::uint8_t[]>(WindowSize);
        windowFilled = 0; // a read that fails leaves no stale window behind
        windowFilled = readAtLeast(position, windowBytes.get(), count, WindowSize);
        windowStart = position;
    }
    return ByteView(windowBytes.get() + (position - windowStart), count);
}

void MetafileReader::read(qint64 position, std::uint8_t* into, std::size_t count) {
    readAtLeast(position, into, count, count);
}

std::size_t MetafileReader::readAtLeast(qint64 position, std::uint8_t* into, std::size_t count,
                                        std::size_t capacity) {
    if (file.pos() != position && !file.seek(position))
        refuseMetafile(formatLabel, QStringLiteral("fichier tronqué."));
    std::size_t filled = 0;
    while (filled < count) {
        const qint64 read = file.read(reinterpret_cast<char*>(into + filled),
                                      static_cast<qint64>(capacity - filled));
        if (read < 0)
            throw Error(formatMessage(QStringLiteral("Impossible de lire le fichier %s."),
                                      {QString(formatLabel)}));
        if (read == 0)
            refuseMetafile(formatLabel, QStringLiteral("fichier tronqué."));
        filled += static_cast<std::size_t>(read);
    }
    return filled;
}

ByteView RecordRoom::reset(qint64 position, std::size_t recordSize) {
    if (recordSize > capacity) {
        bytes = std::make_unique_for_overwrite<std::uint8_t[]>(recordSize);
        capacity = recordSize;
    }
    start = position;
    size = recordSize;
    loaded = 0;
    return ByteView(bytes.get(), size);
}

void RecordRoom::load(std::size_t end) {
    // A step at a time, so that a refusal after the first fields leaves the rest unread.
    if (end <= loaded)
        return;
    const std::size_t target = std::min(size, std::max(end, loaded + MetafileReader::WindowSize));
    reader.read(start + static_cast<qint64>(loaded), bytes.get() + loaded, target - loaded);
    loaded = target;
}

} // namespace orvandel::imaging
