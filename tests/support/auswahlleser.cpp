// Reads the X11 clipboard as a selection reader of the ICCCM does, to check
// what its owner answers: `auswahlleser ZIEL` prints the type of the answer and
// its value (atom names for ATOM, a number for INTEGER, the bytes otherwise),
// or "None" when the owner refuses. `auswahlleser MULTIPLE ZIEL...` asks for
// all of them at once and prints one such line per target. No INCR: xclip
// reads large texts. `auswahlleser BESITZER` prints the owner's window;
// `auswahlleser ERSTER-BESITZER` takes the clipboard, prints "genommen", and
// prints the window of the first program to take it from it.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
xcb_connection_t* verbindung;

xcb_atom_t atom(const char* name)
{
    xcb_intern_atom_reply_t* a
        = xcb_intern_atom_reply(verbindung, xcb_intern_atom(verbindung, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t wert = a->atom;
    std::free(a);
    return wert;
}

std::string name(xcb_atom_t a)
{
    if (a == XCB_NONE)
        return "None";
    xcb_get_atom_name_reply_t* n = xcb_get_atom_name_reply(verbindung, xcb_get_atom_name(verbindung, a), nullptr);
    std::string text(xcb_get_atom_name_name(n), static_cast<std::size_t>(xcb_get_atom_name_name_length(n)));
    std::free(n);
    return text;
}

// Prints one property of our window as "TYPE VALUE".
void zeigen(xcb_window_t fenster, xcb_atom_t eigenschaft)
{
    xcb_get_property_reply_t* w = xcb_get_property_reply(verbindung,
        xcb_get_property(verbindung, 0, fenster, eigenschaft, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr);
    std::printf("%s", name(w->type).c_str());
    const auto* wert = static_cast<const char*>(xcb_get_property_value(w));
    const auto laenge = static_cast<std::size_t>(xcb_get_property_value_length(w));
    if (w->type == XCB_ATOM_ATOM || w->type == XCB_ATOM_INTEGER) {
        for (std::size_t i = 0; i < laenge / 4; ++i) {
            const auto zahl = reinterpret_cast<const uint32_t*>(wert)[i];
            std::printf(" %s", w->type == XCB_ATOM_ATOM ? name(zahl).c_str() : std::to_string(zahl).c_str());
        }
    } else {
        std::printf(" ");
        std::fwrite(wert, 1, laenge, stdout);
    }
    std::printf("\n");
    std::free(w);
}

int besitzerZeigen(xcb_window_t fenster, bool erster)
{
    const xcb_atom_t zwischenablage = atom("CLIPBOARD");
    if (erster) {
        xcb_set_selection_owner(verbindung, fenster, zwischenablage, XCB_CURRENT_TIME);
        std::free(
            xcb_get_selection_owner_reply(verbindung, xcb_get_selection_owner(verbindung, zwischenablage), nullptr));
        std::printf("genommen\n");
        std::fflush(stdout);
        while (xcb_generic_event_t* e = xcb_wait_for_event(verbindung)) {
            const bool verloren = (e->response_type & 0x7F) == XCB_SELECTION_CLEAR;
            std::free(e);
            if (verloren)
                break;
        }
    }
    xcb_get_selection_owner_reply_t* besitzer
        = xcb_get_selection_owner_reply(verbindung, xcb_get_selection_owner(verbindung, zwischenablage), nullptr);
    std::printf("%u\n", besitzer ? besitzer->owner : 0);
    std::free(besitzer);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    verbindung = xcb_connect(nullptr, nullptr);
    if (argc < 2 || xcb_connection_has_error(verbindung))
        return 2;
    const xcb_screen_t* bildschirm = xcb_setup_roots_iterator(xcb_get_setup(verbindung)).data;
    const xcb_window_t fenster = xcb_generate_id(verbindung);
    xcb_create_window(verbindung, XCB_COPY_FROM_PARENT, fenster, bildschirm->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    if (std::strcmp(argv[1], "BESITZER") == 0 || std::strcmp(argv[1], "ERSTER-BESITZER") == 0)
        return besitzerZeigen(fenster, argv[1][0] == 'E');
    const xcb_atom_t ziel = atom(argv[1]);
    const xcb_atom_t eigenschaft = atom("AUSWAHLLESER");
    std::vector<xcb_atom_t> paare;
    for (int i = 2; i < argc; ++i) {
        paare.push_back(atom(argv[i]));
        paare.push_back(atom((std::string("AUSWAHLLESER_") + argv[i]).c_str()));
    }
    if (!paare.empty())
        xcb_change_property(verbindung, XCB_PROP_MODE_REPLACE, fenster, eigenschaft, atom("ATOM_PAIR"), 32,
            static_cast<uint32_t>(paare.size()), paare.data());
    xcb_convert_selection(verbindung, fenster, atom("CLIPBOARD"), ziel, eigenschaft, XCB_CURRENT_TIME);
    xcb_flush(verbindung);
    while (xcb_generic_event_t* e = xcb_wait_for_event(verbindung)) {
        if ((e->response_type & 0x7F) != XCB_SELECTION_NOTIFY) {
            std::free(e);
            continue;
        }
        const xcb_atom_t antwort = reinterpret_cast<xcb_selection_notify_event_t*>(e)->property;
        std::free(e);
        if (antwort == XCB_NONE) {
            std::printf("None\n");
            return 1;
        }
        if (paare.empty()) {
            zeigen(fenster, eigenschaft);
            return 0;
        }
        // The owner marks each pair it refused with None in place of the property.
        xcb_get_property_reply_t* w = xcb_get_property_reply(verbindung,
            xcb_get_property(verbindung, 0, fenster, eigenschaft, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
        const auto* zurueck = static_cast<const xcb_atom_t*>(xcb_get_property_value(w));
        for (uint32_t i = 0; i + 1 < w->value_len; i += 2) {
            std::printf("%s: ", name(zurueck[i]).c_str());
            if (zurueck[i + 1] == XCB_NONE)
                std::printf("None\n");
            else
                zeigen(fenster, zurueck[i + 1]);
        }
        std::free(w);
        return 0;
    }
    return 2;
}
