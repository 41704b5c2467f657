#include "TPourHandle.h"

#include "TPiconeBarreTache.h"

#include <QCursor>

namespace orvandel {

using namespace desktop::WindowMessages;

TPourHandle::TPourHandle(TPiconeBarreTache& AOwner)
    : component(AOwner) {}

void TPourHandle::Dispatch(desktop::TMessage& Message) {
    if (Message.Msg == TrayCallbackMessage)
        TrayMessage(Message);
}

void TPourHandle::TrayMessage(desktop::TMessage& Msg) {
    TPiconeBarreTache& tray = component;
    const QPoint Coordonnes_souris = QCursor::pos();
    const int X = Coordonnes_souris.x();
    const int Y = Coordonnes_souris.y();
    // The shift state is fixed by the message, not read from the keyboard or the buttons.
    const auto mouseDown = [&](TMouseButton button, TShiftStateFlag shift) {
        if (tray.OnMouseDown)
            tray.OnMouseDown(&tray, button, shift, X, Y);
    };
    const auto mouseUp = [&](TMouseButton button, TShiftStateFlag shift) {
        if (tray.OnMouseUp)
            tray.OnMouseUp(&tray, button, shift, X, Y);
    };
    switch (Msg.LParam) {
    case WM_MOUSEMOVE:
        if (tray.OnMouseMove)
            tray.OnMouseMove(&tray, TShiftStateFlag::ssLeft, X, Y);
        break;
    case WM_LBUTTONDOWN:
        mouseDown(TMouseButton::mbLeft, TShiftStateFlag::ssLeft);
        break;
    case WM_LBUTTONUP:
        mouseUp(TMouseButton::mbLeft, TShiftStateFlag::ssLeft);
        break;
    case WM_LBUTTONDBLCLK:
        if (tray.OnDblClick)
            tray.OnDblClick(&tray);
        break;
    case WM_RBUTTONDOWN:
        mouseDown(TMouseButton::mbRight, TShiftStateFlag::ssRight);
        break;
    case WM_RBUTTONUP:
        mouseUp(TMouseButton::mbRight, TShiftStateFlag::ssRight);
        break;
    case WM_MBUTTONDOWN:
        mouseDown(TMouseButton::mbMiddle, TShiftStateFlag::ssMiddle);
        break;
    case WM_MBUTTONUP:
        mouseUp(TMouseButton::mbMiddle, TShiftStateFlag::ssMiddle);
        break;
    default:
        break;
    }

    if (Msg.LParam == WM_LBUTTONDOWN && tray.FOuvreSiClicGauche)
        tray.SetApplicationCachee(false);
    if (Msg.LParam == WM_LBUTTONDBLCLK && tray.FOuvreSiDblClick)
        tray.SetApplicationCachee(false);
    const bool menuWanted =
        (Msg.LParam == WM_RBUTTONDOWN && tray.FMenuSiClicDroit && tray.FMenuPop) ||
        (Msg.LParam == WM_LBUTTONDOWN && tray.FMenuSiClicGauche && tray.FMenuPop);
    if (!menuWanted)
        return;
    tray.Application.Handle.SetForegroundWindow(nullptr);
    // Pending messages may run any handler, one that destroys the menu or this component too.
    const QPointer<TPiconeBarreTache> stillThere(&tray);
    tray.Application.ProcessMessages();
    if (stillThere && tray.FMenuPop)
        tray.FMenuPop->popup(QPoint(X, Y));
}

} // namespace orvandel
