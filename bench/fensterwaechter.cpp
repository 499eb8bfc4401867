// Watches an X server without a window manager for windows being mapped: it
// prints "CLOCK_MONOTONIC-nanoseconds<TAB>title" for each, and closes those
// whose title is one of its arguments as the close box would (WM_DELETE_WINDOW).
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {
xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = r ? r->atom : XCB_NONE;
    std::free(r);
    return a;
}
} // namespace

int main(int argc, char** argv)
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t wurzel = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t maske = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, wurzel, XCB_CW_EVENT_MASK, &maske);
    const xcb_atom_t name = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const xcb_atom_t protokolle = atom(c, "WM_PROTOCOLS");
    const xcb_atom_t schliessen = atom(c, "WM_DELETE_WINDOW");
    std::puts("bereit");
    std::fflush(stdout);
    while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
        if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            timespec jetzt;
            clock_gettime(CLOCK_MONOTONIC, &jetzt);
            const xcb_window_t fenster = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
            xcb_get_property_reply_t* r
                = xcb_get_property_reply(c, xcb_get_property(c, 0, fenster, name, utf8, 0, 256), nullptr);
            const std::string titel = r ? std::string(static_cast<const char*>(xcb_get_property_value(r)),
                                          static_cast<std::size_t>(xcb_get_property_value_length(r)))
                                        : std::string();
            std::free(r);
            std::printf("%lld\t%s\n", jetzt.tv_sec * 1000000000LL + jetzt.tv_nsec, titel.c_str());
            std::fflush(stdout);
            for (int i = 1; i < argc; ++i) {
                if (titel != argv[i])
                    continue;
                xcb_client_message_event_t nachricht{};
                nachricht.response_type = XCB_CLIENT_MESSAGE;
                nachricht.format = 32;
                nachricht.window = fenster;
                nachricht.type = protokolle;
                nachricht.data.data32[0] = schliessen;
                nachricht.data.data32[1] = XCB_CURRENT_TIME;
                xcb_send_event(c, 0, fenster, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&nachricht));
                xcb_flush(c);
            }
        }
        std::free(e);
    }
    return 0;
}
