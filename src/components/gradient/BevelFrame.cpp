#include "components/gradient/BevelFrame.h"

#include <QPoint>

namespace orvandel::inline components {
namespace {

// A pen that draws horizontal and vertical lines from its position up to, but not including, the
// end point, which becomes its position. Our own pixels, so no painter's rasterisation rules apply.
class BevelPen {
public:
    BevelPen(QImage& target, QPoint start)
        : canvas(target)
        , position(start) {}

    void setColor(TColor color) { pixel = toPixel(color); }

    void lineTo(QPoint end) {
        const QPoint step((end.x() > position.x()) - (end.x() < position.x()),
                          (end.y() > position.y()) - (end.y() < position.y()));
        for (QPoint point = position; point != end; point += step)
            if (canvas.rect().contains(point))
                reinterpret_cast<QRgb*>(canvas.scanLine(point.y()))[point.x()] = pixel;
        position = end;
    }

private:
    QImage& canvas;
    QPoint position;
    QRgb pixel = 0;
};

} // namespace

void DrawBevel(QImage& Canvas, const BevelRect& Rect, TColor LightColor, TColor DarkColor) {
    const auto [L, T, Wd, Ht] = Rect;
    BevelPen pen(Canvas, QPoint(L, T + Ht));
    pen.setColor(LightColor);
    pen.lineTo(QPoint(L, T));
    pen.lineTo(QPoint(L + Wd, T));
    pen.setColor(DarkColor);
    pen.lineTo(QPoint(L + Wd, T + Ht));
    pen.lineTo(QPoint(L, T + Ht));
}

void DrawFrame(QImage& Canvas, int Offset, int FrameWidth, TColor LightColor, TColor DarkColor) {
    const int W = Canvas.width(), H = Canvas.height();
    for (int i = Offset; i <= Offset + FrameWidth - 1; ++i)
        DrawBevel(Canvas, BevelRect{i, i, W - 2 * i - 1, H - 2 * i - 1}, LightColor, DarkColor);
}

} // namespace orvandel::inline components
