#include "components/gradient/TXiPanel.h"

#include "components/gradient/BevelFrame.h"
#include "components/gradient/ColorScheme.h"
#include "components/gradient/GradientFill.h"
#include "components/gradient/PanelCaption.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace orvandel::inline components {
namespace {

// Centres the caption by this text's height, not the caption's own.
const QString SampleText = QStringLiteral("AaBbCcDd");

void drawBevel(QImage& bitmap, TBevelCut cut, int offset, int width, TColor light, TColor dark) {
    switch (cut) {
    case TBevelCut::bvNone:
        return;
    case TBevelCut::bvLowered:
        DrawFrame(bitmap, offset, width, dark, light);
        return;
    case TBevelCut::bvRaised:
    case TBevelCut::bvSpace:
        DrawFrame(bitmap, offset, width, light, dark);
        return;
    }
}

} // namespace

TXiPanel::TXiPanel(QWidget* AOwner)
    : QWidget(AOwner) {
    // Every pixel is painted here, so the toolkit need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    FColorDark = clBlack;
    FColorLight = clSilver;
    FFillDirection = TFillDirection::fdVertical;
    SetColorScheme(TColorScheme::csDesert);
}

void TXiPanel::SetColors(TColorIndex Index, TColor Value) {
    switch (Index) {
    case TColorIndex::ColorFace:
        FColorFace = Value;
        break;
    case TColorIndex::ColorGrad:
        FColorGrad = Value;
        break;
    case TColorIndex::ColorLight:
        FColorLight = Value;
        break;
    case TColorIndex::ColorDark:
        FColorDark = Value;
        break;
    }
    FColorScheme = TColorScheme::csCustom;
    Invalidate();
}

void TXiPanel::SetColorScheme(TColorScheme Value) {
    FColorScheme = Value;
    if (const auto colors = colorsOfScheme(Value)) {
        FColorDark = colors->ColorDark;
        FColorFace = colors->ColorFace;
        FColorGrad = colors->ColorGrad;
        FColorLight = colors->ColorLight;
    }
    Invalidate();
}

void TXiPanel::SetFillDirection(TFillDirection Value) {
    FFillDirection = Value;
    Invalidate();
}

void TXiPanel::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Invalidate();
}

void TXiPanel::SetBevelInner(TBevelCut Value) {
    FBevelInner = Value;
    Invalidate();
}

void TXiPanel::SetBevelOuter(TBevelCut Value) {
    FBevelOuter = Value;
    Invalidate();
}

void TXiPanel::SetBevelWidth(int Value) {
    FBevelWidth = std::max(1, Value);
    Invalidate();
}

void TXiPanel::SetCaption(const QString& Value) {
    FCaption = Value;
    Invalidate();
}

const QImage& TXiPanel::PaintBitmap() {
    if (FBitmapCurrent && ScrBmp.size() == size())
        return ScrBmp;
    if (ScrBmp.size() != size())
        ScrBmp = QImage(size(), QImage::Format_RGB32);
    // Only the leftmost column of a diagonal fill shows what was there before: a fresh bitmap's
    // white.
    if (FFillDirection == TFillDirection::fdDiagonal && ScrBmp.width() > 0)
        for (int y = 0; y < ScrBmp.height(); ++y)
            reinterpret_cast<QRgb*>(ScrBmp.scanLine(y))[0] = toPixel(clWhite);
    GradientFillRect(ScrBmp, ScrBmp.rect(), FColorFace, FColorGrad, FFillDirection);
    DrawCaption();
    drawBevel(ScrBmp, FBevelOuter, 0, FBevelWidth, FColorLight, FColorDark);
    const int innerOffset = FBevelOuter != TBevelCut::bvNone ? FBevelWidth : 0;
    drawBevel(ScrBmp, FBevelInner, innerOffset, FBevelWidth, FColorLight, FColorDark);
    FBitmapCurrent = true;
    return ScrBmp;
}

void TXiPanel::paintEvent(QPaintEvent*) {
    QPainter canvas(this);
    canvas.drawImage(0, 0, PaintBitmap());
}

void TXiPanel::changeEvent(QEvent* event) {
    // The caption's font and colour come from the panel's own.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        Invalidate();
    QWidget::changeEvent(event);
}

void TXiPanel::Invalidate() {
    FBitmapCurrent = false;
    update();
}

void TXiPanel::DrawCaption() {
    if (FCaption.isEmpty() || ScrBmp.isNull())
        return;
    const QFontMetrics metrics(font());
    const CaptionLayout layout{FAlignment, FBevelInner, FBevelOuter, FBevelWidth};
    const int x = captionX(layout, ScrBmp.width(), metrics.horizontalAdvance(FCaption));
    const int y = captionY(ScrBmp.height(), metrics.size(Qt::TextSingleLine, SampleText).height());
    QPainter canvas(&ScrBmp);
    canvas.setFont(font());
    canvas.setPen(palette().color(QPalette::WindowText));
    // The caption's top sits at y; the toolkit places text by its baseline.
    canvas.drawText(x, y + metrics.ascent(), FCaption);
}

} // namespace orvandel::inline components
