#pragma once

#include <xcb/xcb.h>

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>

// Owns the X11 clipboard for one text and answers every program that asks for
// it as the ICCCM describes: TARGETS, TIMESTAMP, the text as UTF8_STRING and
// text/plain;charset=utf-8, as STRING when it has a Latin-1 form, as TEXT,
// MULTIPLE and SAVE_TARGETS, and in INCR pieces when it is larger than one
// request may carry.
class Auswahldienst {
public:
    // Connects and asks for everything that does not need the text yet, so
    // that waiting for the text overlaps it.
    Auswahldienst();
    ~Auswahldienst();
    Auswahldienst(const Auswahldienst&) = delete;
    Auswahldienst& operator=(const Auswahldienst&) = delete;

    // True once the server confirms we own the clipboard; false when it cannot
    // be reached or another program took the clipboard in the same instant.
    bool uebernehmen(std::string utf8);
    // Serves until another program owns the clipboard or the display goes away.
    void dienen();

    enum Atom : std::size_t {
        Clipboard,
        Targets,
        Timestamp,
        Multiple,
        SaveTargets,
        Utf8String,
        TextPlainUtf8,
        Text,
        Incr,
        Null,
        AtomAnzahl
    };

private:
    // One text sent in pieces, to one property of one window.
    using Ziel = std::pair<xcb_window_t, xcb_atom_t>;
    struct Stueckweise {
        xcb_atom_t typ;
        std::string daten;
        std::size_t gesendet = 0;
    };

    bool atomeHolen();
    xcb_timestamp_t zeitHolen();
    void anfrageBeantworten(const xcb_selection_request_event_t& anfrage);
    bool umwandeln(xcb_atom_t ziel, xcb_window_t fenster, xcb_atom_t eigenschaft, bool inMehreren);
    bool mehrereUmwandeln(xcb_window_t fenster, xcb_atom_t eigenschaft);
    void datenSetzen(xcb_window_t fenster, xcb_atom_t eigenschaft, xcb_atom_t typ, const std::string& daten);
    void weiterSenden(const Ziel& ziel);

    xcb_connection_t* m_verbindung = nullptr;
    xcb_window_t m_fenster = XCB_NONE;
    xcb_timestamp_t m_zeit = XCB_CURRENT_TIME;
    std::size_t m_stueckgroesse = 0;
    std::array<xcb_intern_atom_cookie_t, AtomAnzahl> m_anfragen{};
    std::array<xcb_atom_t, AtomAnzahl> m_atome{};
    std::string m_utf8;
    std::optional<std::string> m_latin1;
    std::map<Ziel, Stueckweise> m_stueckweise;
};
