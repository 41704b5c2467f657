#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QLabel;

namespace orvandel::inline forms {

// The preview `Image1`: holds the picture bounded to the screen (the calendar stretches it to the
// screen) and shows it scaled to the preview box. A picture that cannot be loaded throws and
// leaves the previous picture in place.
class PreviewPicture {
public:
    PreviewPicture(QLabel& Image1, QSize screenSize);

    void load(const QString& path);
    // Holds and shows a picture already made, such as the composed calendar.
    void show(QImage picture);
    const QImage& picture() const { return held; }

private:
    QLabel& label;
    QSize screen;
    QImage held;
};

} // namespace orvandel::inline forms
