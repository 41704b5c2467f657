#include "PngChunks.h"

#include "common/Error.h"
#include "common/Messages.h"
#include "imaging/PictureLimits.h"

#include <vector>

namespace orvandel::imaging {

namespace {

constexpr std::size_t SignatureSize = 8;
constexpr std::size_t ChunkOverhead = 12; // length, type, CRC
constexpr std::size_t HeaderLength = 13;
// Deflate never expands its input more than about 1032 times; a margin on top.
constexpr std::uint64_t DeflateMaxRatio = 1100;

std::uint32_t bigEndian32(ByteView bytes, std::size_t offset) {
    return (std::uint32_t{bytes[offset]} << 24) | (std::uint32_t{bytes[offset + 1]} << 16) |
           (std::uint32_t{bytes[offset + 2]} << 8) | std::uint32_t{bytes[offset + 3]};
}

bool hasType(ByteView bytes, std::size_t offset, const char (&type)[5]) {
    for (std::size_t index = 0; index < 4; ++index)
        if (bytes[offset + index] != static_cast<std::uint8_t>(type[index]))
            return false;
    return true;
}

[[noreturn]] void refuse(const QString& reason) {
    throw Error(formatMessage(QStringLiteral("Image PNG invalide : %s"), {reason}));
}

int channelsOf(std::uint8_t colourType) {
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default: // grey, palette
        return 1;
    }
}

// The bytes the filtered rows take once inflated, one filter byte a row.
std::uint64_t inflatedSize(ByteView file, std::size_t headerData) {
    const std::uint64_t width = bigEndian32(file, headerData);
    const std::uint64_t height = bigEndian32(file, headerData + 4);
    const std::uint64_t bitsPerPixel =
        std::uint64_t{file[headerData + 8]} * channelsOf(file[headerData + 9]);
    return height * (1 + (width * bitsPerPixel + 7) / 8);
}

struct Span {
    std::size_t start;
    std::size_t end;
};

} // namespace

std::optional<QByteArray> checkPngChunks(ByteView file, std::size_t maxAncillaryChunkSize) {
    // Not a PNG at all, or no header: the library says what is wrong.
    if (file.size() < SignatureSize + ChunkOverhead + HeaderLength ||
        !hasType(file, SignatureSize + 4, "IHDR") ||
        bigEndian32(file, SignatureSize) != HeaderLength)
        return std::nullopt;

    std::uint64_t compressedPixels = 0;
    std::vector<Span> dropped;
    std::size_t at = SignatureSize;
    bool ended = false;
    while (!ended && at < file.size()) {
        if (file.size() - at < ChunkOverhead)
            refuse(QStringLiteral("fichier tronqué."));
        const std::uint64_t length = bigEndian32(file, at);
        if (length > file.size() - at - ChunkOverhead)
            refuse(QStringLiteral("fichier tronqué."));
        const std::size_t next = at + ChunkOverhead + static_cast<std::size_t>(length);
        const bool ancillary = (file[at + 4] & 0x20) != 0;
        if (hasType(file, at + 4, "IDAT"))
            compressedPixels += length;
        else if (hasType(file, at + 4, "IEND"))
            ended = true;
        else if (ancillary && length > maxAncillaryChunkSize)
            dropped.push_back({at, next});
        at = next;
    }

    // A size beyond the limits gets that refusal rather than this one.
    checkPictureSize(bigEndian32(file, SignatureSize + 8), bigEndian32(file, SignatureSize + 12),
                     QStringLiteral("PNG"));
    const std::uint64_t inflated = inflatedSize(file, SignatureSize + 8);
    if (compressedPixels * DeflateMaxRatio < inflated)
        refuse(formatMessage(
            QStringLiteral("le fichier est trop court pour %d × %d pixels."),
            {bigEndian32(file, SignatureSize + 8), bigEndian32(file, SignatureSize + 12)}));
    if (dropped.empty())
        return std::nullopt;

    QByteArray kept;
    kept.reserve(static_cast<qsizetype>(file.size()));
    std::size_t from = 0;
    for (const Span& span : dropped) {
        kept.append(reinterpret_cast<const char*>(file.data() + from),
                    static_cast<qsizetype>(span.start - from));
        from = span.end;
    }
    kept.append(reinterpret_cast<const char*>(file.data() + from),
                static_cast<qsizetype>(file.size() - from));
    return kept;
}

} // namespace orvandel::imaging
