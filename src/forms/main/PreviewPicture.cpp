#include "PreviewPicture.h"

#include "imaging/PictureLoader.h"

#include <QLabel>
#include <QPixmap>

namespace orvandel::inline forms {

namespace {

// The decoder only scales JPEG by powers of two: bring any picture larger than the screen down to
// just cover it, so that no full-size picture is kept.
QImage boundedToScreen(QImage picture, QSize screen) {
    if (picture.width() <= screen.width() || picture.height() <= screen.height())
        return picture;
    return picture.scaled(screen, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
}

} // namespace

PreviewPicture::PreviewPicture(QLabel& Image1, QSize screenSize)
    : label(Image1)
    , screen(screenSize) {}

void PreviewPicture::load(const QString& path) {
    show(boundedToScreen(imaging::loadPictureBounded(path, screen), screen));
}

void PreviewPicture::show(QImage picture) {
    const QPixmap shown = QPixmap::fromImage(
        picture.scaled(label.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    held = std::move(picture);
    label.setPixmap(shown);
}

} // namespace orvandel::inline forms
