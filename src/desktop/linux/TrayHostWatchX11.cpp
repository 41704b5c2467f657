#include "TrayHostWatchX11.h"

#include "X11Connection.h"

#include <QCoreApplication>
#include <QTimer>

namespace orvandel::desktop {

TrayHostWatchX11::TrayHostWatchX11(QObject* parent)
    : QObject(parent) {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    managerAtom = x11Atom(connection, "MANAGER");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TrayHostWatchX11::~TrayHostWatchX11() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TrayHostWatchX11::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !announcesTrayHost(message))
        return false;
    // The toolkit's own tray code handles this message too: report once it has.
    QTimer::singleShot(0, this, &TrayHostWatchX11::trayHostAppeared);
    return false;
}

bool TrayHostWatchX11::announcesTrayHost(const void* event) const {
    const auto* generic = static_cast<const xcb_generic_event_t*>(event);
    if ((generic->response_type & ~0x80) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(event);
    if (client->type != managerAtom || client->format != 32)
        return false;
    const xcb_atom_t selection = client->data.data32[1];
    return x11AtomName(x11Connection(), selection).startsWith("_NET_SYSTEM_TRAY_S");
}

} // namespace orvandel::desktop
