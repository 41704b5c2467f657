#include "forms/common/WindowPlacement.h"

#include "desktop/ScreenArea.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace orvandel::inline forms {

namespace {

int keptStart(int wanted, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(wanted, areaStart + areaLength - length));
}

const QScreen* screenAt(QPoint point) {
    if (const QScreen* screen = QGuiApplication::screenAt(point))
        return screen;
    return QGuiApplication::primaryScreen();
}

const QScreen* cursorScreen() {
    return screenAt(QCursor::pos());
}

// A window the user may resize is made small enough for the area, frame included.
void shrinkToFit(QWidget& window, const QRect& area) {
    if (window.minimumSize() == window.maximumSize())
        return;
    const QSize frame = window.frameGeometry().size() - window.size();
    const QSize fitting =
        window.size().boundedTo(area.size() - frame).expandedTo(window.minimumSize());
    if (fitting != window.size())
        window.resize(fitting);
}

void placeWithin(QWidget& window, QRect wanted, const QScreen& screen) {
    const QRect area = desktop::availableArea(screen);
    shrinkToFit(window, area);
    wanted.setSize(window.frameGeometry().size());
    window.move(keptWithin(wanted, area).topLeft());
}

// Places the window as it is about to be shown, before the window manager sees it.
class OpeningPlace final : public QObject {
public:
    OpeningPlace(QWidget& placed, std::optional<QPoint> place)
        : QObject(&placed)
        , window(placed)
        , firstPlace(place) {
        placed.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window && event->type() == QEvent::Show && !event->spontaneous())
            place();
        return false;
    }

private:
    void place() {
        // A maximised or full-screen window already has the screen's size and place.
        if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
            return;
        if (shownBefore) {
            const QRect frame = window.frameGeometry();
            if (const QScreen* screen = screenAt(frame.center()))
                placeWithin(window, frame, *screen);
        } else if (firstPlace) {
            if (const QScreen* primary = QGuiApplication::primaryScreen())
                placeWithin(window,
                            QRect(primary->geometry().topLeft() + *firstPlace,
                                  window.frameGeometry().size()),
                            *primary);
        } else if (const QScreen* screen = cursorScreen()) {
            placeWithin(window,
                        centredIn(window.frameGeometry().size(), desktop::availableArea(*screen)),
                        *screen);
        }
        shownBefore = true;
    }

    QWidget& window;
    const std::optional<QPoint> firstPlace;
    bool shownBefore = false;
};

} // namespace

QRect keptWithin(QRect wanted, const QRect& area) {
    wanted.moveTo(keptStart(wanted.left(), wanted.width(), area.left(), area.width()),
                  keptStart(wanted.top(), wanted.height(), area.top(), area.height()));
    return wanted;
}

QRect centredIn(QSize size, const QRect& area) {
    return QRect(area.topLeft() +
                     QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                 size);
}

void opensCentred(QWidget& window) {
    new OpeningPlace(window, std::nullopt);
}

void opensAt(QWidget& window, QPoint place) {
    new OpeningPlace(window, place);
}

void placeBesideCursor(QWidget& window) {
    const QPoint cursor = QCursor::pos();
    if (const QScreen* screen = screenAt(cursor)) {
        const QSize size = window.frameGeometry().size();
        placeWithin(window, QRect(cursor - QPoint(size.width(), size.height()), size), *screen);
    }
}

} // namespace orvandel::inline forms
