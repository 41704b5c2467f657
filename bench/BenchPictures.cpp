#include "BenchPictures.h"

#include <QRandomGenerator>

namespace bench {

QImage makePhoto(QSize size) {
    QImage photo(size, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < photo.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int grain = static_cast<int>(random.bounded(24));
            row[x] = qRgb((x / 24 + grain) & 0xFF, (y / 16 + grain) & 0xFF, ((x + y) / 40) & 0xFF);
        }
    }
    return photo;
}

} // namespace bench
