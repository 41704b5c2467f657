#include "IcoDecoder.h"

#include "BmpDecoder.h"
#include "BmpHeader.h"
#include "PngDecoder.h"
#include "common/Error.h"
#include "common/Messages.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace orvandel::imaging {

namespace {

using bmp::readUint16;
using bmp::readUint32;

constexpr std::size_t DirectorySize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::size_t DibBitCountField = 14;
constexpr std::array<std::uint8_t, 8> PngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int PngBitCount = 32;

enum class ResourceType : std::uint16_t { Icon = 1, Cursor = 2 };

struct Entry {
    int number = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bitCount = 0;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;

    std::int64_t area() const { return width * height; }
};

[[noreturn]] void fail(const QString& reason) {
    throw Error(formatMessage(QStringLiteral("Fichier ICO invalide : %s"), {reason}));
}

bool startsWithPng(ByteView data) {
    return data.size() >= PngSignature.size() &&
           std::equal(PngSignature.begin(), PngSignature.end(), data.begin());
}

// Null when the entry's bytes do not lie inside the file.
std::optional<ByteView> entryData(ByteView file, const Entry& entry) {
    if (entry.size == 0 || entry.offset > file.size() || entry.size > file.size() - entry.offset)
        return std::nullopt;
    return file.subspan(entry.offset, entry.size);
}

// Many files leave the directory's bit count at zero, and a cursor keeps its hot spot there:
// the picture's own header then tells the depth.
int storedBitCount(ByteView file, const Entry& entry) {
    const std::optional<ByteView> data = entryData(file, entry);
    if (!data)
        return 0;
    if (startsWithPng(*data))
        return PngBitCount;
    return data->size() >= DibBitCountField + 2 ? readUint16(*data, DibBitCountField) : 0;
}

// A width or height byte of zero means 256.
std::int64_t sideOf(std::uint8_t stored) {
    return stored == 0 ? 256 : stored;
}

std::vector<Entry> readDirectory(ByteView file) {
    if (file.size() < DirectorySize)
        fail(QStringLiteral("répertoire tronqué."));
    const std::uint16_t type = readUint16(file, 2);
    if (readUint16(file, 0) != 0 || (type != static_cast<std::uint16_t>(ResourceType::Icon) &&
                                     type != static_cast<std::uint16_t>(ResourceType::Cursor)))
        fail(QStringLiteral("ce n'est pas une icône."));
    const std::size_t count = readUint16(file, 4);
    if (count == 0)
        fail(QStringLiteral("aucune image."));
    if (file.size() < DirectorySize + count * EntrySize)
        fail(QStringLiteral("répertoire tronqué."));

    std::vector<Entry> entries(count);
    for (std::size_t index = 0; index < count; ++index) {
        const ByteView stored = file.subspan(DirectorySize + index * EntrySize, EntrySize);
        Entry& entry = entries[index];
        entry.number = static_cast<int>(index) + 1;
        entry.width = sideOf(stored[0]);
        entry.height = sideOf(stored[1]);
        entry.offset = readUint32(stored, 12);
        entry.size = readUint32(stored, 8);
        const bool icon = type == static_cast<std::uint16_t>(ResourceType::Icon);
        entry.bitCount = icon ? readUint16(stored, 6) : 0;
        if (entry.bitCount == 0)
            entry.bitCount = storedBitCount(file, entry);
    }
    return entries;
}

QImage decodeEntry(ByteView file, const Entry& entry) {
    const std::optional<ByteView> data = entryData(file, entry);
    if (!data)
        fail(formatMessage(QStringLiteral("l'image n° %d sort du fichier."), {entry.number}));
    return startsWithPng(*data) ? decodePng(*data) : decodeIconDib(*data);
}

} // namespace

QImage decodeIco(ByteView file) {
    std::vector<Entry> entries = readDirectory(file);
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& left, const Entry& right) {
        if (left.area() != right.area())
            return left.area() > right.area();
        return left.bitCount > right.bitCount;
    });
    // A damaged best entry gives way to the next one; the best one's error is the one reported.
    // Entries naming the same bytes are tried once, and all the entries tried together read no
    // more than the file holds, however many overlap.
    std::optional<Error> firstError;
    std::set<std::pair<std::uint32_t, std::uint32_t>> tried;
    std::uint64_t bytesTried = 0;
    for (const Entry& entry : entries) {
        if (!tried.insert({entry.offset, entry.size}).second)
            continue;
        // Bytes outside the file are refused without being read.
        if (entry.offset < file.size())
            bytesTried += std::min<std::uint64_t>(entry.size, file.size() - entry.offset);
        if (firstError && bytesTried > file.size())
            break;
        try {
            return decodeEntry(file, entry);
        } catch (const Error& error) {
            if (!firstError)
                firstError = error;
        }
    }
    throw *firstError;
}

} // namespace orvandel::imaging
