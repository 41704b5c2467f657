#pragma once

#include "components/gradient/GradientTypes.h"

#include <QImage>
#include <QString>
#include <QWidget>

namespace orvandel::inline components {

enum class TColorIndex { ColorFace = 0, ColorGrad = 1, ColorLight = 2, ColorDark = 3 };

// A panel that paints its background as a colour gradient, writes its caption over it and frames
// itself with bevels in two colours of its own; child widgets paint over it. The properties keep
// the names stored forms use, and a form applies them in the order declared here, so a form that
// names a scheme ends with that scheme's colours whatever colours it stored before.
class TXiPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 ColorFace READ ColorFace WRITE SetColorFace)
    Q_PROPERTY(quint32 ColorGrad READ ColorGrad WRITE SetColorGrad)
    Q_PROPERTY(quint32 ColorLight READ ColorLight WRITE SetColorLight)
    Q_PROPERTY(quint32 ColorDark READ ColorDark WRITE SetColorDark)
    Q_PROPERTY(orvandel::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(orvandel::TFillDirection FillDirection READ FillDirection WRITE SetFillDirection)
    Q_PROPERTY(orvandel::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(orvandel::TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(orvandel::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TXiPanel(QWidget* AOwner = nullptr);

    TColor ColorFace() const { return FColorFace; }
    TColor ColorGrad() const { return FColorGrad; }
    TColor ColorLight() const { return FColorLight; }
    TColor ColorDark() const { return FColorDark; }
    TColorScheme ColorScheme() const { return FColorScheme; }
    TFillDirection FillDirection() const { return FFillDirection; }
    TAlignment Alignment() const { return FAlignment; }
    TBevelCut BevelInner() const { return FBevelInner; }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    int BevelWidth() const { return FBevelWidth; }
    QString Caption() const { return FCaption; }

    // Setting any one colour makes the scheme csCustom, even a value equal to the scheme's own.
    void SetColors(TColorIndex Index, TColor Value);
    void SetColorFace(TColor Value) { SetColors(TColorIndex::ColorFace, Value); }
    void SetColorGrad(TColor Value) { SetColors(TColorIndex::ColorGrad, Value); }
    void SetColorLight(TColor Value) { SetColors(TColorIndex::ColorLight, Value); }
    void SetColorDark(TColor Value) { SetColors(TColorIndex::ColorDark, Value); }
    // A named scheme replaces all four colours; csCustom keeps them.
    void SetColorScheme(TColorScheme Value);
    void SetFillDirection(TFillDirection Value);
    void SetAlignment(TAlignment Value);
    void SetBevelInner(TBevelCut Value);
    void SetBevelOuter(TBevelCut Value);
    // At least 1, as a panel's bevel width always is.
    void SetBevelWidth(int Value);
    void SetCaption(const QString& Value);

    // The whole panel as it is copied onto the screen: gradient, caption, bevels.
    const QImage& PaintBitmap();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Every writer ends here: the bitmap is drawn anew at the next paint.
    void Invalidate();
    void DrawCaption();

    // Zero until the constructor sets them, as in any new object.
    TColor FColorFace = clBlack;
    TColor FColorGrad = clBlack;
    TColor FColorLight = clBlack;
    TColor FColorDark = clBlack;
    TFillDirection FFillDirection = TFillDirection::fdHorizontal;
    TColorScheme FColorScheme = TColorScheme::csCustom;
    // The panel's own defaults.
    TAlignment FAlignment = TAlignment::taCenter;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    int FBevelWidth = 1;
    QString FCaption;
    // Kept between paints so that a repaint of an unchanged panel is one copy, and a repaint after
    // a change does not touch fresh memory; drawn whole whenever anything it shows has changed.
    QImage ScrBmp;
    bool FBitmapCurrent = false;
};

} // namespace orvandel::inline components
