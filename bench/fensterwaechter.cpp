// Watches an X server without a window manager for windows being mapped: it
// prints "CLOCK_MONOTONIC-nanoseconds<TAB>title" for each, and closes those
// whose title is one of its arguments as the close box would (WM_DELETE_WINDOW).
// Told "marke" on its standard input, it answers "marke" after all it has
// printed so far. Told "nimm", it takes the clipboard and answers "genommen";
// the moment another program sets the clipboard, the server takes it away
// again and it prints "nanoseconds<TAB>@Zwischenablage". Asked for the
// clipboard's content meanwhile, it answers that it has none.
#include <poll.h>
#include <unistd.h>
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

timespec jetzt()
{
    timespec zeit;
    clock_gettime(CLOCK_MONOTONIC, &zeit);
    return zeit;
}

void melden(const timespec& zeit, const char* was)
{
    std::printf("%lld\t%s\n", zeit.tv_sec * 1000000000LL + zeit.tv_nsec, was);
    std::fflush(stdout);
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
    const xcb_atom_t zwischenablage = atom(c, "CLIPBOARD");
    const xcb_window_t eigenes = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, eigenes, wurzel, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
        XCB_COPY_FROM_PARENT, 0, nullptr);
    std::puts("bereit");
    std::fflush(stdout);
    pollfd quellen[2] = { { xcb_get_file_descriptor(c), POLLIN, 0 }, { STDIN_FILENO, POLLIN, 0 } };
    std::string eingabe;
    for (;;) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7F) == XCB_SELECTION_CLEAR)
                melden(jetzt(), "@Zwischenablage");
            // A program that asks for the clipboard while the watcher holds it gets "nothing" at once,
            // as from any owner that has no such form of it, instead of waiting for an answer.
            if ((e->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
                const auto* bitte = reinterpret_cast<xcb_selection_request_event_t*>(e);
                xcb_selection_notify_event_t antwort{};
                antwort.response_type = XCB_SELECTION_NOTIFY;
                antwort.time = bitte->time;
                antwort.requestor = bitte->requestor;
                antwort.selection = bitte->selection;
                antwort.target = bitte->target;
                antwort.property = XCB_NONE;
                xcb_send_event(
                    c, 0, bitte->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&antwort));
                xcb_flush(c);
            }
            if ((e->response_type & 0x7F) != XCB_MAP_NOTIFY) {
                std::free(e);
                continue;
            }
            const xcb_window_t fenster = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
            std::free(e);
            // Stamped before the title is asked for: the answer takes a round trip.
            const timespec gemappt = jetzt();
            xcb_get_property_reply_t* r
                = xcb_get_property_reply(c, xcb_get_property(c, 0, fenster, name, utf8, 0, 256), nullptr);
            const std::string titel = r ? std::string(static_cast<const char*>(xcb_get_property_value(r)),
                                          static_cast<std::size_t>(xcb_get_property_value_length(r)))
                                        : std::string();
            std::free(r);
            melden(gemappt, titel.c_str());
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
        if (xcb_connection_has_error(c) || poll(quellen, 2, -1) < 0)
            return 1;
        if (!(quellen[1].revents & (POLLIN | POLLHUP)))
            continue;
        char puffer[64];
        const ssize_t gelesen = read(STDIN_FILENO, puffer, sizeof puffer);
        if (gelesen <= 0)
            return 0;
        eingabe.append(puffer, static_cast<std::size_t>(gelesen));
        for (std::size_t ende; (ende = eingabe.find('\n')) != std::string::npos; eingabe.erase(0, ende + 1)) {
            // Everything seen before this answer came before the command.
            if (eingabe.compare(0, ende, "marke") == 0) {
                std::puts("marke");
                std::fflush(stdout);
            }
            if (eingabe.compare(0, ende, "nimm") != 0)
                continue;
            xcb_set_selection_owner(c, eigenes, zwischenablage, XCB_CURRENT_TIME);
            xcb_get_selection_owner_reply_t* r
                = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, zwischenablage), nullptr);
            const bool genommen = r && r->owner == eigenes;
            std::free(r);
            std::puts(genommen ? "genommen" : "nicht genommen");
            std::fflush(stdout);
        }
    }
}
