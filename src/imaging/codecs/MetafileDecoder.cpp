#include "MetafileDecoder.h"

#include "EmfPlayback.h"
#include "MetafileCanvas.h"
#include "MetafileRecord.h"
#include "WmfPlayback.h"
#include "imaging/PictureLimits.h"

#include <QBuffer>

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvandel::imaging {

namespace {

constexpr QLatin1String Wmf("WMF");
constexpr QLatin1String Emf("EMF");

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::size_t PlaceableHeaderSize = 22;
constexpr std::size_t WmfHeaderSize = 18;
constexpr std::uint16_t WmfHeaderWords = 9;
constexpr double ScreenPixelsPerInch = 96;
constexpr std::int64_t MaxMetafileSide = 16384;
constexpr double ScreenPixelsPerMillimetre = ScreenPixelsPerInch / 25.4;

constexpr std::uint32_t EmfHeaderType = 1;
constexpr std::uint32_t EmfSignature = 0x464D4520; // " EMF"
constexpr std::size_t EmfMinimumHeaderSize = 88;

// A length in pixels, rounded, at least one; anything absurd becomes a size checkPictureSize
// refuses.
std::int64_t pixelLength(double length) {
    if (!(length < 1e12))
        return std::int64_t{1} << 40;
    return std::max<std::int64_t>(1, std::llround(length));
}

// The size the header asks for, checked, then scaled down if need be so that its longer side is
// at most MaxMetafileSide: vectors draw at any size, and Qt's rasterizer slows down badly on
// pictures many thousand pixels long.
QSize checkedPictureSize(double width, double height, QLatin1String format) {
    const std::int64_t pixelWidth = pixelLength(std::abs(width));
    const std::int64_t pixelHeight = pixelLength(std::abs(height));
    checkPictureSize(pixelWidth, pixelHeight, format);
    const std::int64_t longer = std::max(pixelWidth, pixelHeight);
    if (longer <= MaxMetafileSide)
        return QSize(static_cast<int>(pixelWidth), static_cast<int>(pixelHeight));
    const double scale = double(MaxMetafileSide) / double(longer);
    return QSize(static_cast<int>(pixelLength(double(pixelWidth) * scale)),
                 static_cast<int>(pixelLength(double(pixelHeight) * scale)));
}

// `size` scaled down, proportions kept, to the smallest size that still covers `bound`.
QSize sizeCovering(QSize size, QSize bound) {
    if (bound.isEmpty())
        return size;
    const double scale =
        std::max(double(bound.width()) / size.width(), double(bound.height()) / size.height());
    if (scale >= 1)
        return size;
    return QSize(static_cast<int>(std::min<std::int64_t>(
                     size.width(), pixelLength(std::ceil(size.width() * scale)))),
                 static_cast<int>(std::min<std::int64_t>(
                     size.height(), pixelLength(std::ceil(size.height() * scale)))));
}

// The file's first `count` bytes, fewer when it is shorter: room for its headers.
std::vector<std::uint8_t> leadingBytes(QIODevice& file, std::size_t count, QLatin1String format) {
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::clamp<qint64>(file.size(), 0, qint64(count))));
    MetafileReader(file, format).read(0, bytes.data(), bytes.size());
    return bytes;
}

// Reads bytes in memory through the same record reader as a file.
template <typename Decode> QImage decodeInMemory(ByteView bytes, Decode decode) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return decode(buffer);
}

// The window a WMF's records are drawn through: its placeable box, or else (no placeable header)
// the extent of its first SetWindowExt record.
QRectF wmfWindow(const RecordBytes& header, bool placeable, RecordRange records) {
    if (placeable) {
        const QRectF box(QPointF(header.i16(6), header.i16(8)),
                         QPointF(header.i16(10), header.i16(12)));
        if (box.width() == 0 || box.height() == 0)
            refuseMetafile(Wmf, QStringLiteral("cadre d'image vide."));
        return box;
    }
    const std::optional<QSize> extent = findWmfWindowExtent(records);
    if (!extent || extent->width() == 0 || extent->height() == 0)
        refuseMetafile(Wmf, QStringLiteral("taille inconnue."));
    return QRectF(QPointF(), QSizeF(*extent));
}

// The picture shows the header's frame (0.01 mm) converted to reference device pixels; without a
// usable frame, the bounds (device pixels, inclusive).
CanvasGeometry emfGeometry(const RecordBytes& header) {
    const std::int64_t deviceWidth = header.i32(72);
    const std::int64_t deviceHeight = header.i32(76);
    const std::int64_t millimetreWidth = header.i32(80);
    const std::int64_t millimetreHeight = header.i32(84);
    const bool deviceKnown =
        deviceWidth > 0 && deviceHeight > 0 && millimetreWidth > 0 && millimetreHeight > 0;

    CanvasGeometry geometry;
    geometry.format = Emf;
    geometry.mapMode = MapMode::Text;
    geometry.pixelsPerMillimetre =
        deviceKnown ? QSizeF(double(deviceWidth) / double(millimetreWidth),
                             double(deviceHeight) / double(millimetreHeight))
                    : QSizeF(ScreenPixelsPerMillimetre, ScreenPixelsPerMillimetre);

    const std::int64_t frameLeft = header.i32(24);
    const std::int64_t frameTop = header.i32(28);
    const std::int64_t frameRight = header.i32(32);
    const std::int64_t frameBottom = header.i32(36);
    const std::int64_t boundsLeft = header.i32(8);
    const std::int64_t boundsTop = header.i32(12);
    const std::int64_t boundsRight = header.i32(16);
    const std::int64_t boundsBottom = header.i32(20);
    if (deviceKnown && frameRight > frameLeft && frameBottom > frameTop) {
        const double scaleX = geometry.pixelsPerMillimetre.width() / 100;
        const double scaleY = geometry.pixelsPerMillimetre.height() / 100;
        geometry.frame = QRectF(double(frameLeft) * scaleX, double(frameTop) * scaleY,
                                double(frameRight - frameLeft) * scaleX,
                                double(frameBottom - frameTop) * scaleY);
    } else if (boundsRight >= boundsLeft && boundsBottom >= boundsTop) {
        geometry.frame =
            QRectF(double(boundsLeft), double(boundsTop), double(boundsRight - boundsLeft + 1),
                   double(boundsBottom - boundsTop + 1));
    } else {
        refuseMetafile(Emf, QStringLiteral("taille inconnue."));
    }
    geometry.pictureSize = checkedPictureSize(geometry.frame.width(), geometry.frame.height(), Emf);
    return geometry;
}

} // namespace

QImage decodeWmf(QIODevice& file, QSize bound) {
    const std::vector<std::uint8_t> leading =
        leadingBytes(file, PlaceableHeaderSize + WmfHeaderSize, Wmf);
    const RecordBytes bytes(ByteView(leading), Wmf);
    const bool placeable = leading.size() >= 4 && bytes.u32(0) == PlaceableKey;
    const std::size_t headerStart = placeable ? PlaceableHeaderSize : 0;
    if (leading.size() < headerStart + WmfHeaderSize)
        refuseMetafile(Wmf, QStringLiteral("en-tête tronqué."));
    const std::uint16_t type = bytes.u16(headerStart);
    if ((type != 1 && type != 2) || bytes.u16(headerStart + 2) != WmfHeaderWords)
        refuseMetafile(Wmf, QStringLiteral("signature inconnue."));

    const RecordRange records{&file, qint64(headerStart + WmfHeaderSize), file.size()};
    const QRectF window = wmfWindow(bytes, placeable, records);
    QSize pictureSize;
    if (placeable) {
        const std::uint16_t unitsPerInch = bytes.u16(14);
        if (unitsPerInch == 0)
            refuseMetafile(Wmf, QStringLiteral("résolution nulle."));
        const double scale = ScreenPixelsPerInch / unitsPerInch;
        pictureSize = checkedPictureSize(window.width() * scale, window.height() * scale, Wmf);
    } else {
        pictureSize = checkedPictureSize(window.width(), window.height(), Wmf);
    }

    // The window (placeable box, then whatever the records set) fills the whole picture.
    CanvasGeometry geometry;
    geometry.format = Wmf;
    geometry.pictureSize = sizeCovering(pictureSize, bound);
    geometry.frame = QRectF(QPointF(), QSizeF(pictureSize));
    geometry.pixelsPerMillimetre = QSizeF(ScreenPixelsPerMillimetre, ScreenPixelsPerMillimetre);
    geometry.mapMode = MapMode::Anisotropic;
    MetafileCanvas canvas(geometry);
    canvas.setWindowOrigin(window.topLeft());
    canvas.setWindowExtent(window.size());
    playWmf(records, canvas);
    return canvas.finish();
}

QImage decodeEmf(QIODevice& file, QSize bound) {
    const std::vector<std::uint8_t> leading = leadingBytes(file, EmfMinimumHeaderSize, Emf);
    const RecordBytes bytes(ByteView(leading), Emf);
    if (leading.size() < EmfMinimumHeaderSize)
        refuseMetafile(Emf, QStringLiteral("en-tête tronqué."));
    if (bytes.u32(0) != EmfHeaderType || bytes.u32(40) != EmfSignature)
        refuseMetafile(Emf, QStringLiteral("signature inconnue."));
    const std::uint64_t headerSize = bytes.u32(4);
    const std::uint64_t fileSize = bytes.u32(48);
    if (headerSize < EmfMinimumHeaderSize || headerSize % 4 != 0 || headerSize > fileSize)
        refuseMetafile(Emf, QStringLiteral("en-tête incohérent."));
    if (fileSize > std::uint64_t(file.size()))
        refuseMetafile(Emf, QStringLiteral("fichier tronqué."));

    CanvasGeometry geometry = emfGeometry(bytes);
    geometry.pictureSize = sizeCovering(geometry.pictureSize, bound);
    MetafileCanvas canvas(geometry);
    playEmf(RecordRange{&file, qint64(headerSize), qint64(fileSize)}, canvas);
    return canvas.finish();
}

QImage decodeWmf(ByteView file, QSize bound) {
    return decodeInMemory(file, [bound](QIODevice& buffer) { return decodeWmf(buffer, bound); });
}

QImage decodeEmf(ByteView file, QSize bound) {
    return decodeInMemory(file, [bound](QIODevice& buffer) { return decodeEmf(buffer, bound); });
}

} // namespace orvandel::imaging
