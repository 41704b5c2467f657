#pragma once

#include "logic/slideshow/PanelRendering.h"

#include <QImage>
#include <QWidget>

namespace orvandel {

// A borderless panel that shows one picture over its whole area in one of four paint styles. It
// renders the picture once per change of picture, style or size into its brush bitmap; painting
// is then a single fill with that bitmap as a pattern from the panel's top-left corner, which
// keeps the panel cheap to show, hide and animate.
class TkvImgPanel : public QWidget {
public:
    explicit TkvImgPanel(QWidget* owner = nullptr);

    const QImage& Picture() const { return FPicture; }
    TPaintStyle PaintStyle() const { return FPaintStyle; }
    const QImage& brushBitmap() const { return FBrushBmp; }

    void SetPicture(const QImage& picture);
    // Nothing happens when the style is unchanged.
    void SetPaintStyle(TPaintStyle style);
    // The margins' colour; it shows from the next rendering on.
    void setColor(QColor colour) { Color = colour; }

    void PictureChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
    QImage FBrushBmp;
    TPaintStyle FPaintStyle = psProportional;
    QColor Color = Qt::black;
};

} // namespace orvandel
