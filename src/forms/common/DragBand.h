#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <vector>

class QWidget;

namespace orvandel::inline forms {

// Makes a left press in the top `bandHeight` rows of a borderless window move the window, even
// over the child widgets that cover the band: the window has no title bar to be dragged by.
// Presses below the band, and presses on excluded widgets, reach their widgets as usual.
class DragBand : public QObject {
public:
    DragBand(QWidget& window, int bandHeight);

    // A widget inside the band that keeps its own clicks (a close picture, say).
    void exclude(QWidget& widget);

    // Whether a press at `windowPoint`, in the window's coordinates, starts a drag.
    bool dragsAt(QPoint windowPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isExcluded(const QWidget* widget) const;
    bool startDrag(QPoint globalPoint);

    QWidget& dragged;
    int band;
    std::vector<QPointer<QWidget>> excluded;
    // Set while the window follows the pointer by itself, where the window manager cannot move it.
    bool followingPointer = false;
    QPoint grabOffset;
};

} // namespace orvandel::inline forms
