#include "platform/taskleiste.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {
struct XcbFrei {
    void operator()(void* p) const { std::free(p); }
};

xcb_atom_t atom(xcb_connection_t* verbindung, const char* name, uint16_t laenge)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, XcbFrei> antwort(
        xcb_intern_atom_reply(verbindung, xcb_intern_atom(verbindung, 0, laenge, name), nullptr));
    return antwort ? antwort->atom : XCB_NONE;
}
} // namespace

void ausDerTaskleiste(QWindow* fenster)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* verbindung = x11 ? x11->connection() : nullptr;
    if (!verbindung || !fenster)
        return;
    static constexpr char zustand[] = "_NET_WM_STATE";
    static constexpr char taskleiste[] = "_NET_WM_STATE_SKIP_TASKBAR";
    static constexpr char pager[] = "_NET_WM_STATE_SKIP_PAGER";
    const xcb_atom_t eigenschaft = atom(verbindung, zustand, sizeof zustand - 1);
    const std::array<xcb_atom_t, 2> werte{ atom(verbindung, taskleiste, sizeof taskleiste - 1),
        atom(verbindung, pager, sizeof pager - 1) };
    if (eigenschaft == XCB_NONE || werte[0] == XCB_NONE || werte[1] == XCB_NONE)
        return;
    // Qt keeps the atoms it finds here when it adds its own (stays on top) at mapping.
    xcb_change_property(verbindung, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(fenster->winId()), eigenschaft,
        XCB_ATOM_ATOM, 32, werte.size(), werte.data());
    xcb_flush(verbindung);
}
