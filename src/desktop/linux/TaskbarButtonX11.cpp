#include "TaskbarButtonX11.h"

#include "X11Connection.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace orvandel::desktop {

namespace {

constexpr std::uint32_t StateRemove = 0;
constexpr std::uint32_t StateAdd = 1;

bool isMapped(xcb_connection_t* connection, xcb_window_t window) {
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr);
    const bool mapped = reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(reply);
    return mapped;
}

// A mapped window's state belongs to the window manager: ask it to change one entry.
void requestState(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state, bool on) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = x11Atom(connection, "_NET_WM_STATE");
    message.data.data32[0] = on ? StateAdd : StateRemove;
    message.data.data32[1] = state;
    message.data.data32[3] = 1; // from a normal application
    xcb_send_event(connection, 0, x11RootWindow(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

// An unmapped window's state is its own property, read by the window manager when it is mapped.
void writeState(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state, bool on) {
    const xcb_atom_t property = x11Atom(connection, "_NET_WM_STATE");
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 64),
        nullptr);
    std::vector<xcb_atom_t> states;
    if (reply && reply->format == 32) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        states.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    std::erase(states, state);
    if (on)
        states.push_back(state);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
}

} // namespace

void TaskbarButtonX11::setMainForm(QWidget* form) {
    if (mainForm)
        mainForm->removeEventFilter(this);
    mainForm = form;
    if (!form)
        return;
    form->installEventFilter(this);
    applyStates();
}

void TaskbarButtonX11::show() {
    skipTaskbar = false;
    applyStates();
}

void TaskbarButtonX11::hide() {
    skipTaskbar = true;
    applyStates();
}

void TaskbarButtonX11::askForAttention() {
    demandsAttention = true;
    applyStates();
}

void TaskbarButtonX11::stopAskingForAttention() {
    demandsAttention = false;
    applyStates();
}

bool TaskbarButtonX11::asksForAttention() const {
    return demandsAttention;
}

void TaskbarButtonX11::bringToFront(QWidget& window) {
    window.raise();
    window.activateWindow();
}

// The application has no window of its own here: its menus come to the front by themselves.
void TaskbarButtonX11::bringApplicationToFront() {}

bool TaskbarButtonX11::eventFilter(QObject* watched, QEvent* event) {
    // The toolkit writes the state of a window it maps or recreates: apply ours again after it.
    if (watched == mainForm &&
        (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange))
        QTimer::singleShot(0, this, &TaskbarButtonX11::applyStates);
    return false;
}

void TaskbarButtonX11::applyStates() {
    if (!mainForm)
        return;
    xcb_connection_t* connection = x11Connection();
    if (!connection) {
        if (demandsAttention)
            QApplication::alert(mainForm);
        return;
    }
    const auto window = static_cast<xcb_window_t>(mainForm->winId());
    const auto change = isMapped(connection, window) ? requestState : writeState;
    change(connection, window, x11Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"), skipTaskbar);
    change(connection, window, x11Atom(connection, "_NET_WM_STATE_DEMANDS_ATTENTION"),
           demandsAttention);
    xcb_flush(connection);
}

} // namespace orvandel::desktop
