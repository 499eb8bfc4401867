#include "platform/taskleiste.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <xcb/xcb.h>

namespace {
struct XcbFrei {
    void operator()(void* p) const { std::free(p); }
};

xcb_atom_t atom(xcb_connection_t* verbindung, xcb_intern_atom_cookie_t anfrage)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, XcbFrei> antwort(
        xcb_intern_atom_reply(verbindung, anfrage, nullptr));
    return antwort ? antwort->atom : XCB_NONE;
}

xcb_intern_atom_cookie_t atomAnfragen(xcb_connection_t* verbindung, std::string_view name)
{
    return xcb_intern_atom(verbindung, 0, static_cast<uint16_t>(name.size()), name.data());
}
} // namespace

void ausDerTaskleiste(QWindow* fenster)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* verbindung = x11 ? x11->connection() : nullptr;
    if (!verbindung || !fenster)
        return;
    // All three asked at once: one round trip to the X server instead of three.
    const std::array anfragen{ atomAnfragen(verbindung, "_NET_WM_STATE"),
        atomAnfragen(verbindung, "_NET_WM_STATE_SKIP_TASKBAR"), atomAnfragen(verbindung, "_NET_WM_STATE_SKIP_PAGER") };
    const xcb_atom_t eigenschaft = atom(verbindung, anfragen[0]);
    const std::array<xcb_atom_t, 2> werte{ atom(verbindung, anfragen[1]), atom(verbindung, anfragen[2]) };
    if (eigenschaft == XCB_NONE || werte[0] == XCB_NONE || werte[1] == XCB_NONE)
        return;
    // Qt keeps the atoms it finds here when it adds its own (stays on top) at mapping.
    xcb_change_property(verbindung, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(fenster->winId()), eigenschaft,
        XCB_ATOM_ATOM, 32, werte.size(), werte.data());
    xcb_flush(verbindung);
}
