#include "WallpaperRenderer.h"

#include "common/Error.h"
#include "common/Messages.h"

#include <algorithm>
#include <cstring>

namespace orvandel::desktop {

namespace {

[[noreturn]] void throwOutOfMemory(QSize screen) {
    throw Error(formatMessage(
        QStringLiteral("Mémoire insuffisante pour un fond d'écran de %d × %d pixels."),
        {screen.width(), screen.height()}));
}

QImage blankScreen(QSize screen) {
    QImage result(screen, QImage::Format_RGB32);
    if (result.isNull())
        throwOutOfMemory(screen);
    return result;
}

QImage centered(const QImage& picture, QSize screen) {
    QImage result = blankScreen(screen);
    result.fill(Qt::black);
    // Offsets are negative when the picture is larger than the screen: its middle is shown.
    const int left = (screen.width() - picture.width()) / 2;
    const int top = (screen.height() - picture.height()) / 2;
    const int firstColumn = std::max(0, left);
    const int lastColumn = std::min(screen.width(), left + picture.width());
    const int firstRow = std::max(0, top);
    const int lastRow = std::min(screen.height(), top + picture.height());
    if (firstColumn >= lastColumn)
        return result;
    const auto bytes = static_cast<std::size_t>(lastColumn - firstColumn) * sizeof(QRgb);
    for (int y = firstRow; y < lastRow; ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(picture.constScanLine(y - top));
        auto* target = reinterpret_cast<QRgb*>(result.scanLine(y));
        std::memcpy(target + firstColumn, source + (firstColumn - left), bytes);
    }
    return result;
}

QImage tiled(const QImage& picture, QSize screen) {
    QImage result = blankScreen(screen);
    const int width = picture.width();
    for (int y = 0; y < screen.height(); ++y) {
        const auto* source =
            reinterpret_cast<const QRgb*>(picture.constScanLine(y % picture.height()));
        auto* target = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < screen.width(); x += width) {
            const int count = std::min(width, screen.width() - x);
            std::memcpy(target + x, source, static_cast<std::size_t>(count) * sizeof(QRgb));
        }
    }
    return result;
}

QImage stretched(const QImage& picture, QSize screen) {
    // The toolkit's smooth scaling averages the covered area when shrinking and interpolates
    // linearly when enlarging.
    QImage result = picture.scaled(screen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (result.isNull())
        throwOutOfMemory(screen);
    return result.format() == QImage::Format_RGB32 ? result
                                                   : result.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage renderWallpaper(const QImage& picture, QSize screen, WallpaperPlacement placement) {
    if (picture.isNull() || screen.isEmpty())
        throw Error(QStringLiteral("Image vide : rien à afficher en fond d'écran."));
    const QImage opaque = picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    switch (placement) {
    case WallpaperPlacement::Center:
        return centered(opaque, screen);
    case WallpaperPlacement::Tile:
        return tiled(opaque, screen);
    case WallpaperPlacement::Stretch:
        break;
    }
    return stretched(opaque, screen);
}

} // namespace orvandel::desktop
