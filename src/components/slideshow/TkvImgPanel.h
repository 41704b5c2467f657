#pragma once

#include "logic/slideshow/PanelRendering.h"

#include <QImage>
#include <QString>
#include <QWidget>

namespace orvandel::inline components {

// A borderless panel that shows one picture over its whole area in one of four paint styles. It
// renders the picture once per change of picture, style or size into its brush bitmap; painting
// is then a single fill with that bitmap as a pattern from the panel's top-left corner, which
// keeps the panel cheap to show, hide and animate. Given an owner, it fills the owner's area.
class TkvImgPanel : public QWidget {
public:
    explicit TkvImgPanel(QWidget* owner = nullptr);

    const QImage& Picture() const { return FPicture; }
    TPaintStyle PaintStyle() const { return FPaintStyle; }
    const QImage& BrushBitmap() const { return FBrushBmp; }

    void SetPicture(const QImage& picture);
    // Loads a picture file, decoded no larger than the panel shows it in its style. The file is
    // decoded again when a larger size or another style needs more of it. Throws orvandel::Error
    // when the file cannot be loaded.
    void LoadFromFile(const QString& path);
    // Takes the other panel's picture and rendering, as they stand.
    void Assign(const TkvImgPanel& other);
    // Nothing happens when the style is unchanged.
    void SetPaintStyle(TPaintStyle style);
    // The margins' colour; it shows from the next rendering on.
    void SetColor(QColor colour) { Color = colour; }

    void PictureChanged();

    // What the panel shows, as one bitmap of its size.
    QImage Rendered() const;
    // Shows `frame` in place of the picture at once, until the picture changes; `frame` must
    // stay alive and unchanged until then or until the next frame.
    void ShowFrame(const QImage& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The size the file must be decoded to cover for this style and size; invalid for full size.
    QSize DecodingBound() const;
    bool NeedsDecodingAgain() const;
    void DecodeFile();

    QImage FPicture;
    QImage FBrushBmp;
    TPaintStyle FPaintStyle = psProportional;
    QColor Color = Qt::black;
    QString FFileName;
    QSize FDecodedFor;
    const QImage* FFrame = nullptr;
};

} // namespace orvandel::inline components
