#include "HostileFixtures.h"

#include "BmpFixtures.h"
#include "MetafileFixtures.h"
#include "PictureFixtures.h"

#include <QImage>
#include <QRandomGenerator>
#include <QtEndian>

#include <spng.h>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace fixtures::hostile {

namespace {

constexpr int SolidBrush = 0;

void append16(QByteArray& bytes, std::uint32_t value) {
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
}

void append32(QByteArray& bytes, std::uint32_t value) {
    append16(bytes, value & 0xFFFF);
    append16(bytes, value >> 16);
}

void appendBigEndian32(QByteArray& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
}

// A zigzag between the top and the bottom edge, `points` points across `side`.
QList<QPoint> zigzag(int side, int points) {
    QList<QPoint> line;
    line.reserve(points);
    for (int index = 0; index < points; ++index)
        line.append(QPoint(static_cast<int>(std::int64_t{index} * side / points),
                           index % 2 == 0 ? 0 : side));
    return line;
}

emf::Header pixelHeader(int side) {
    return emf::headerForPixels(QSize(side, side));
}

QList<QByteArray> emfRedFill() {
    return {emf::createBrush(1, SolidBrush, qRgb(255, 0, 0)), emf::selectObject(1),
            emf::selectObject(emf::NullPen)};
}

// PolyPolygon16 from its figures' point counts and all their points.
QByteArray polyPolygon16(const std::vector<std::uint32_t>& counts, const QList<QPoint>& points) {
    QByteArray record;
    append32(record, 91);
    append32(record, static_cast<std::uint32_t>(8 + 24 + counts.size() * 4 + points.size() * 4));
    for (int bound = 0; bound < 4; ++bound)
        append32(record, 0);
    append32(record, static_cast<std::uint32_t>(counts.size()));
    append32(record, static_cast<std::uint32_t>(points.size()));
    for (std::uint32_t count : counts)
        append32(record, count);
    for (const QPoint& point : points) {
        append16(record, static_cast<std::uint16_t>(point.x()));
        append16(record, static_cast<std::uint16_t>(point.y()));
    }
    return record;
}

// ---- JPEG segments

struct JpegSegment {
    std::uint8_t marker;
    QByteArray bytes;    // marker, length and parameters
    QByteArray scanData; // entropy-coded data after a start-of-scan header
};

std::uint8_t byteAt(const QByteArray& bytes, qsizetype offset) {
    return static_cast<std::uint8_t>(bytes[offset]);
}

// The segments between the start and the end of image.
QList<JpegSegment> jpegSegments(const QByteArray& jpeg) {
    QList<JpegSegment> segments;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && byteAt(jpeg, at + 1) != 0xD9) {
        const std::uint8_t marker = byteAt(jpeg, at + 1);
        const qsizetype length = (byteAt(jpeg, at + 2) << 8) | byteAt(jpeg, at + 3);
        JpegSegment segment{marker, jpeg.mid(at, 2 + length), {}};
        at += 2 + length;
        if (marker == 0xDA) {
            qsizetype end = at;
            while (end + 1 < jpeg.size() &&
                   !(byteAt(jpeg, end) == 0xFF && byteAt(jpeg, end + 1) != 0 &&
                     (byteAt(jpeg, end + 1) < 0xD0 || byteAt(jpeg, end + 1) > 0xD7)))
                ++end;
            segment.scanData = jpeg.mid(at, end - at);
            at = end;
        }
        segments.append(segment);
    }
    return segments;
}

bool isFrameHeader(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

QByteArray comments(int bytes) {
    QByteArray padding;
    while (bytes > 0) {
        const int length = std::min(bytes, 65533);
        padding += QByteArray("\xFF\xFE", 2);
        padding.append(static_cast<char>((length + 2) >> 8));
        padding.append(static_cast<char>((length + 2) & 0xFF));
        padding += QByteArray(length, 'c');
        bytes -= length;
    }
    return padding;
}

QImage noise(int side) {
    QImage picture(side, side, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < side; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < side; ++x)
            row[x] = random.generate() | 0xFF000000;
    }
    return picture;
}

// ---- PNG

std::uint32_t crc32Of(const QByteArray& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t index = 0; index < 256; ++index) {
            std::uint32_t value = index;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? 0xEDB88320U ^ (value >> 1) : value >> 1;
            entries[index] = value;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

} // namespace

QByteArray wideZigzagWmf(int side, int points, int penWidth) {
    return wmf::placeableFile({0, 0, side, side, 96},
                              {wmf::createPen(0, penWidth, qRgb(0, 0, 255)), wmf::selectObject(0),
                               wmf::polyline(zigzag(side, points))});
}

QByteArray zigzagPolygonEmf(int side, int points) {
    return emf::file(pixelHeader(side), emfRedFill() + QList{emf::polygon16(zigzag(side, points))});
}

QByteArray manyCurvesEmf(int side, int curves) {
    QList<QPoint> points{{0, 0}};
    for (int index = 0; index < curves; ++index)
        points += {{side, 0}, {0, side}, {index % 2 == 0 ? side : 0, side}};
    return emf::file(pixelHeader(side), {emf::polyBezier16(points)});
}

QByteArray manyFiguresEmf(int side, int figures) {
    const QList<QPoint> square{{0, 0}, {side, 0}, {side, side}, {0, side}};
    QList<QPoint> points;
    for (int index = 0; index < figures; ++index)
        points += square;
    return emf::file(
        pixelHeader(side),
        emfRedFill() +
            QList{polyPolygon16(std::vector<std::uint32_t>(std::size_t(figures), 4), points)});
}

QByteArray emptyFiguresEmf(int side, int figures) {
    return emf::file(pixelHeader(side),
                     emfRedFill() + QList{polyPolygon16(
                                        std::vector<std::uint32_t>(std::size_t(figures), 0), {})});
}

QByteArray largeBitmapRecordEmf(int side, int bytes) {
    constexpr std::uint32_t StretchDibits = 81;
    return emf::file(pixelHeader(side),
                     emfRedFill() +
                         QList{emf::record(StretchDibits, QList<std::int32_t>(bytes / 4))});
}

QByteArray longTextEmf(int side, int characters) {
    return emf::file(pixelHeader(side), {emf::extTextOut(0, side / 2, QString(characters, u'W'))});
}

QByteArray largeFrameEmf(int side, int fills) {
    QList<QByteArray> records = emfRedFill();
    for (int index = 0; index < fills; ++index)
        records.append(emf::rectangle(0, 0, side, side));
    return emf::file(pixelHeader(side), records);
}

QByteArray repeatedEntryIco(int entries) {
    constexpr int Side = 256;
    BmpDescription description;
    description.width = Side;
    description.height = Side;
    description.bitCount = 24;
    // The colour rows are all there; the mask that must follow them is not.
    const QByteArray dib = iconDib(description, QByteArray(Side * Side * 3, '\x40'), {});
    QByteArray file;
    append16(file, 0);
    append16(file, 1);
    append16(file, static_cast<std::uint32_t>(entries));
    const auto offset = static_cast<std::uint32_t>(6 + 16 * entries);
    for (int index = 0; index < entries; ++index) {
        file.append(QByteArray(2, '\0')); // 256 × 256
        append16(file, 0);
        append16(file, 1);
        append16(file, 24);
        append32(file, static_cast<std::uint32_t>(dib.size()));
        append32(file, offset);
    }
    return file + dib;
}

QByteArray largeGreyPng(int side) {
    spng_ctx* context = spng_ctx_new(SPNG_CTX_ENCODER);
    if (context == nullptr)
        throw std::runtime_error("spng_ctx_new");
    spng_set_option(context, SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header{
        static_cast<std::uint32_t>(side), static_cast<std::uint32_t>(side), 8, 0, 0, 0, 0};
    spng_set_ihdr(context, &header);
    int status = spng_encode_image(context, nullptr, 0, SPNG_FMT_PNG,
                                   SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(side));
    for (int y = 0; y < side && status == 0; ++y) {
        for (int x = 0; x < side; ++x)
            row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>((x + y) / 64);
        status = spng_encode_row(context, row.data(), row.size());
    }
    std::size_t length = 0;
    int error = 0;
    void* png = status == SPNG_EOI ? spng_get_png_buffer(context, &length, &error) : nullptr;
    spng_ctx_free(context);
    if (png == nullptr)
        throw std::runtime_error("spng_encode_row");
    QByteArray bytes(static_cast<const char*>(png), static_cast<qsizetype>(length));
    std::free(png);
    return bytes;
}

QByteArray truncatedPngIco(int entries, int side) {
    const QByteArray png = largeGreyPng(side);
    const QByteArray cut = png.left(png.size() - png.size() / 100);
    QByteArray file;
    append16(file, 0);
    append16(file, 1);
    append16(file, static_cast<std::uint32_t>(entries));
    const auto offset = static_cast<std::uint32_t>(6 + 16 * entries);
    for (int index = 0; index < entries; ++index) {
        file.append(QByteArray(2, '\0'));
        append16(file, 0);
        append16(file, 1);
        append16(file, 32);
        append32(file, static_cast<std::uint32_t>(cut.size()));
        append32(file, offset);
    }
    return file + cut;
}

QByteArray arithmeticJpegClaiming(int side) {
    return emptyScansJpeg(side, 0, 0, JpegCoding::Arithmetic);
}

QByteArray emptyScansJpeg(int side, int scans, int commentBytes, JpegCoding coding) {
    const QByteArray small =
        encodeJpegAs(smoothPicture(16, 16), JpegColourModel::Grey, JpegScans::Progressive, coding);
    const QList<JpegSegment> segments = jpegSegments(small);
    QByteArray file("\xFF\xD8", 2);
    qsizetype index = 0;
    for (; index < segments.size() && segments[index].marker != 0xDA; ++index) {
        QByteArray bytes = segments[index].bytes;
        if (isFrameHeader(segments[index].marker)) {
            qToBigEndian(static_cast<std::uint16_t>(side), bytes.data() + 5);
            qToBigEndian(static_cast<std::uint16_t>(side), bytes.data() + 7);
        }
        file += bytes;
    }
    file += comments(commentBytes);
    if (index < segments.size())
        file += segments[index].bytes + segments[index].scanData;
    // The tables the second scan needs, then that scan's header over and over without data.
    QByteArray repeated;
    for (++index; index < segments.size(); ++index) {
        if (segments[index].marker == 0xDA) {
            repeated = segments[index].bytes;
            break;
        }
        file += segments[index].bytes;
    }
    for (int scan = 0; scan < scans; ++scan)
        file += repeated;
    return file + QByteArray("\xFF\xD9", 2);
}

QByteArray pictureWithEmptyScans(int side, int scans) {
    const QByteArray real =
        encodeJpegAs(noise(side), JpegColourModel::Colour, JpegScans::Progressive);
    const QList<JpegSegment> segments = jpegSegments(real);
    QByteArray lastScan;
    for (const JpegSegment& segment : segments)
        if (segment.marker == 0xDA)
            lastScan = segment.bytes;
    QByteArray file = real.left(real.size() - 2);
    for (int scan = 0; scan < scans; ++scan)
        file += lastScan;
    return file + QByteArray("\xFF\xD9", 2);
}

QByteArray shortRleBmp(int side) {
    BmpDescription description;
    description.width = side;
    description.height = side;
    description.bitCount = 8;
    description.compression = 1; // RLE8
    description.palette = {qRgb(10, 20, 30), qRgb(200, 100, 50)};
    // A run of colour 1 on the bottom row, then the end of the bitmap.
    return bmpFile(description, bytes({4, 1, 0, 1}));
}

QByteArray oversizedTileTiff(int tileSide) {
    const QByteArray compressed =
        qCompress(QByteArray(qsizetype{tileSide} * tileSide, '\0')).mid(4);
    struct Tag {
        std::uint16_t id;
        std::uint16_t type;
        std::uint32_t value;
    };
    constexpr std::uint16_t Short = 3;
    constexpr std::uint16_t Long = 4;
    constexpr std::uint32_t DataOffset = 8;
    const auto side = static_cast<std::uint32_t>(tileSide);
    const QList<Tag> tags{
        {256, Long, 1},          {257, Long, 1},
        {258, Short, 8},         {259, Short, 8}, // Deflate
        {262, Short, 1},         {277, Short, 1},
        {322, Long, side},       {323, Long, side},
        {324, Long, DataOffset}, {325, Long, static_cast<std::uint32_t>(compressed.size())}};
    QByteArray file("II*\0", 4);
    append32(file, static_cast<std::uint32_t>(DataOffset + compressed.size()));
    file += compressed;
    append16(file, static_cast<std::uint32_t>(tags.size()));
    for (const Tag& tag : tags) {
        append16(file, tag.id);
        append16(file, tag.type);
        append32(file, 1);
        append32(file, tag.value);
    }
    append32(file, 0);
    return file;
}

QByteArray withChunk(const QByteArray& png, const char* type, qsizetype length) {
    constexpr qsizetype AfterHeader = 8 + 25;
    const QByteArray body = QByteArray(type, 4) + QByteArray(length, 'x');
    QByteArray chunk;
    appendBigEndian32(chunk, static_cast<std::uint32_t>(length));
    chunk += body;
    appendBigEndian32(chunk, crc32Of(body));
    return png.left(AfterHeader) + chunk + png.mid(AfterHeader);
}

} // namespace fixtures::hostile
