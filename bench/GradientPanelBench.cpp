#include "Measure.h"
#include "components/gradient/TXiPanel.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int Runs = 41;
const QSize ScreenSize(1920, 1080);

// What any window repaint must at least do: write every pixel of the bitmap once.
void fillRowByRow(QImage& bitmap, QRgb color) {
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        std::fill_n(row, bitmap.width(), color);
    }
}

// A whole repaint: the panel's off-screen bitmap drawn, then copied onto `screen`, which stands
// for the window's backing store.
void repaint(orvandel::TXiPanel& panel, QImage& screen) {
    QPainter painter(&screen);
    painter.drawImage(0, 0, panel.PaintBitmap());
}

void compare(const char* what, orvandel::TFillDirection direction, double plainFill) {
    orvandel::TXiPanel panel;
    panel.resize(ScreenSize);
    panel.SetBevelOuter(orvandel::TBevelCut::bvNone);
    panel.SetFillDirection(direction);
    QImage screen(ScreenSize, QImage::Format_RGB32);
    // Setting a value again still asks for the bitmap to be drawn anew, as any change does.
    const double changed = bench::medianMilliseconds(Runs, [&] {
        panel.SetFillDirection(direction);
        repaint(panel, screen);
    });
    const double bitmapOnly = bench::medianMilliseconds(Runs, [&] {
        panel.SetFillDirection(direction);
        panel.PaintBitmap();
    });
    const double unchanged = bench::medianMilliseconds(Runs, [&] { repaint(panel, screen); });
    bench::printComparison(QStringLiteral("%1, its bitmap alone").arg(what), bitmapOnly,
                           QStringLiteral("plain fill row by row"), plainFill, 2.0);
    bench::printComparison(QStringLiteral("%1, after a change").arg(what), changed,
                           QStringLiteral("plain fill row by row"), plainFill, 2.0);
    bench::printComparison(QStringLiteral("%1, unchanged").arg(what), unchanged,
                           QStringLiteral("plain fill row by row"), plainFill, 2.0);
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QImage bitmap(ScreenSize, QImage::Format_RGB32);
    const double plainFill =
        bench::medianMilliseconds(Runs, [&] { fillRowByRow(bitmap, qRgb(255, 225, 164)); });
    std::printf("Gradient panel repaint, 1920 x 1080, median of %d runs\n", Runs);
    compare("desert vertical gradient", orvandel::TFillDirection::fdVertical, plainFill);
    compare("diagonal gradient", orvandel::TFillDirection::fdDiagonal, plainFill);
    compare("horizontal gradient", orvandel::TFillDirection::fdHorizontal, plainFill);
    return 0;
}
