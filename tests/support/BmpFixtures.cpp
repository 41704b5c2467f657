#include "BmpFixtures.h"

namespace fixtures {

namespace {

constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t Os2HeaderSize = 64;

void putUint16(QByteArray& target, qsizetype offset, std::uint32_t value) {
    target[offset] = static_cast<char>(value & 0xFF);
    target[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void putUint32(QByteArray& target, qsizetype offset, std::uint32_t value) {
    putUint16(target, offset, value & 0xFFFF);
    putUint16(target, offset + 2, value >> 16);
}

void appendUint32(QByteArray& target, std::uint32_t value) {
    target.append(4, '\0');
    putUint32(target, target.size() - 4, value);
}

QByteArray infoHeader(const BmpDescription& description) {
    QByteArray header(description.headerSize, '\0');
    putUint32(header, 0, description.headerSize);
    if (description.headerSize == CoreHeaderSize) {
        putUint16(header, 4, static_cast<std::uint32_t>(description.width));
        putUint16(header, 6, static_cast<std::uint32_t>(description.height));
        putUint16(header, 8, 1);
        putUint16(header, 10, description.bitCount);
        return header;
    }
    putUint32(header, 4, static_cast<std::uint32_t>(description.width));
    putUint32(header, 8, static_cast<std::uint32_t>(description.height));
    putUint16(header, 12, 1);
    putUint16(header, 14, description.bitCount);
    if (description.headerSize >= 20)
        putUint32(header, 16, description.compression);
    if (description.headerSize >= 36)
        putUint32(header, 32, description.colorsUsed);
    return header;
}

bool masksInHeader(std::uint32_t headerSize) {
    return headerSize >= 52 && headerSize != Os2HeaderSize;
}

} // namespace

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

QByteArray dibHeader(const BmpDescription& description) {
    QByteArray dib = infoHeader(description);
    const auto& masks = description.masks;
    if (masksInHeader(description.headerSize)) {
        for (std::uint32_t index = 0; index < 4 && 40 + index * 4 + 4 <= description.headerSize;
             ++index)
            putUint32(dib, 40 + index * 4, masks[index]);
    } else if (description.compression == 3 || description.compression == 6) {
        const int count = description.compression == 6 ? 4 : 3;
        for (int index = 0; index < count; ++index)
            appendUint32(dib, masks[index]);
    }
    for (QRgb colour : description.palette) {
        dib.append(static_cast<char>(qBlue(colour)));
        dib.append(static_cast<char>(qGreen(colour)));
        dib.append(static_cast<char>(qRed(colour)));
        if (description.headerSize != CoreHeaderSize)
            dib.append('\0');
    }
    return dib;
}

QByteArray bmpFile(const BmpDescription& description, const QByteArray& pixels,
                   std::optional<std::uint32_t> pixelOffset) {
    QByteArray file("BM");
    file.append(12, '\0');
    file.append(dibHeader(description));
    const auto natural = static_cast<std::uint32_t>(file.size());
    if (pixelOffset && *pixelOffset > natural)
        file.append(static_cast<qsizetype>(*pixelOffset - natural), '\0');
    file.append(pixels);
    putUint32(file, 2, static_cast<std::uint32_t>(file.size()));
    putUint32(file, 10, pixelOffset.value_or(natural));
    return file;
}

QList<QList<std::uint32_t>> storedRows(int width, int height,
                                       const std::function<std::uint32_t(int x, int y)>& value,
                                       RowOrder order) {
    QList<QList<std::uint32_t>> rows;
    for (int stored = 0; stored < height; ++stored) {
        const int y = order == RowOrder::TopDown ? stored : height - 1 - stored;
        QList<std::uint32_t> row;
        for (int x = 0; x < width; ++x)
            row.append(value(x, y));
        rows.append(row);
    }
    return rows;
}

QByteArray packedRows(const QList<QList<std::uint32_t>>& rows, int bitCount) {
    QByteArray packed;
    for (const QList<std::uint32_t>& row : rows) {
        const qsizetype start = packed.size();
        const qsizetype stride = ((row.size() * bitCount + 31) / 32) * 4;
        packed.append(stride, '\0');
        for (qsizetype x = 0; x < row.size(); ++x) {
            const std::uint32_t value = row[x];
            if (bitCount < 8) {
                const qsizetype bit = x * bitCount;
                const int shift = 8 - bitCount - static_cast<int>(bit % 8);
                packed[start + bit / 8] = static_cast<char>(
                    static_cast<unsigned char>(packed[start + bit / 8]) | (value << shift));
                continue;
            }
            const qsizetype offset = start + x * (bitCount / 8);
            for (int byte = 0; byte < bitCount / 8; ++byte)
                packed[offset + byte] = static_cast<char>((value >> (8 * byte)) & 0xFF);
        }
    }
    return packed;
}

QByteArray iconDib(const BmpDescription& description, const QByteArray& colourRows,
                   const QByteArray& maskRows) {
    BmpDescription stored = description;
    stored.height = description.height * 2;
    return dibHeader(stored) + colourRows + maskRows;
}

QByteArray icoFile(const QList<IcoEntry>& entries, std::uint16_t type) {
    constexpr std::uint32_t DirectorySize = 6;
    constexpr std::uint32_t EntrySize = 16;
    QByteArray file(DirectorySize + EntrySize * entries.size(), '\0');
    putUint16(file, 2, type);
    putUint16(file, 4, static_cast<std::uint32_t>(entries.size()));
    for (qsizetype index = 0; index < entries.size(); ++index) {
        const IcoEntry& entry = entries[index];
        const qsizetype at = DirectorySize + EntrySize * index;
        file[at] = static_cast<char>(entry.width & 0xFF);
        file[at + 1] = static_cast<char>(entry.height & 0xFF);
        putUint16(file, at + 4, 1);
        putUint16(file, at + 6, static_cast<std::uint32_t>(entry.bitCount));
        putUint32(file, at + 8, static_cast<std::uint32_t>(entry.data.size()));
        putUint32(file, at + 12, static_cast<std::uint32_t>(file.size()));
        file.append(entry.data);
    }
    return file;
}

} // namespace fixtures
