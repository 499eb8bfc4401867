#include "zwischenablagehelfer/auswahldienst_unix.h"

#include "zwischenablagehelfer/latin1_unix.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
struct Frei {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Antwort = std::unique_ptr<T, Frei>;

constexpr std::array<const char*, Auswahldienst::AtomAnzahl> atomnamen = { "CLIPBOARD", "TARGETS", "TIMESTAMP",
    "MULTIPLE", "SAVE_TARGETS", "UTF8_STRING", "text/plain;charset=utf-8", "TEXT", "INCR", "NULL" };

// ChangeProperty's fixed part; the rest of the server's largest request is ours. The setup's
// limit holds without BIG-REQUESTS, which not every reader of a selection copes with.
constexpr std::size_t kopfBytes = 24;
} // namespace

Auswahldienst::Auswahldienst()
    : m_verbindung(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(m_verbindung))
        return;
    for (std::size_t i = 0; i < AtomAnzahl; ++i)
        m_anfragen[i] = xcb_intern_atom(m_verbindung, 0, std::strlen(atomnamen[i]), atomnamen[i]);
    const xcb_setup_t* setup = xcb_get_setup(m_verbindung);
    m_stueckgroesse = std::size_t(setup->maximum_request_length) * 4 - kopfBytes;
    const xcb_screen_t* bildschirm = xcb_setup_roots_iterator(setup).data;
    m_fenster = xcb_generate_id(m_verbindung);
    // Never shown: it only owns the selection and carries the property that tells us the time.
    const uint32_t ereignisse = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_verbindung, XCB_COPY_FROM_PARENT, m_fenster, bildschirm->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &ereignisse);
    xcb_flush(m_verbindung);
}

Auswahldienst::~Auswahldienst()
{
    xcb_disconnect(m_verbindung);
}

bool Auswahldienst::atomeHolen()
{
    for (std::size_t i = 0; i < AtomAnzahl; ++i) {
        const Antwort<xcb_intern_atom_reply_t> antwort(xcb_intern_atom_reply(m_verbindung, m_anfragen[i], nullptr));
        if (!antwort)
            return false;
        m_atome[i] = antwort->atom;
    }
    return true;
}

// The ICCCM wants the selection taken at a real server time, not CurrentTime:
// an empty append to our own property is answered with one.
xcb_timestamp_t Auswahldienst::zeitHolen()
{
    xcb_change_property(
        m_verbindung, XCB_PROP_MODE_APPEND, m_fenster, m_atome[Timestamp], XCB_ATOM_INTEGER, 32, 0, nullptr);
    xcb_flush(m_verbindung);
    while (const Antwort<xcb_generic_event_t> ereignis{ xcb_wait_for_event(m_verbindung) }) {
        if ((ereignis->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
            continue;
        const auto* aenderung = reinterpret_cast<const xcb_property_notify_event_t*>(ereignis.get());
        if (aenderung->window == m_fenster && aenderung->atom == m_atome[Timestamp])
            return aenderung->time;
    }
    return XCB_CURRENT_TIME;
}

bool Auswahldienst::uebernehmen(std::string utf8)
{
    if (xcb_connection_has_error(m_verbindung) || !atomeHolen())
        return false;
    m_latin1 = latin1Form(utf8);
    m_utf8 = std::move(utf8);
    m_zeit = zeitHolen();
    if (m_zeit == XCB_CURRENT_TIME)
        return false;
    xcb_set_selection_owner(m_verbindung, m_fenster, m_atome[Clipboard], m_zeit);
    const Antwort<xcb_get_selection_owner_reply_t> besitzer(xcb_get_selection_owner_reply(
        m_verbindung, xcb_get_selection_owner(m_verbindung, m_atome[Clipboard]), nullptr));
    return besitzer && besitzer->owner == m_fenster;
}

void Auswahldienst::dienen()
{
    while (const Antwort<xcb_generic_event_t> ereignis{ xcb_wait_for_event(m_verbindung) }) {
        switch (ereignis->response_type & 0x7F) {
        case XCB_SELECTION_REQUEST:
            anfrageBeantworten(*reinterpret_cast<const xcb_selection_request_event_t*>(ereignis.get()));
            break;
        case XCB_SELECTION_CLEAR:
            if (reinterpret_cast<const xcb_selection_clear_event_t*>(ereignis.get())->selection == m_atome[Clipboard])
                return;
            break;
        case XCB_PROPERTY_NOTIFY: {
            // A reader deleting what we put there asks for the next piece.
            const auto* aenderung = reinterpret_cast<const xcb_property_notify_event_t*>(ereignis.get());
            if (aenderung->state == XCB_PROPERTY_DELETE)
                weiterSenden({ aenderung->window, aenderung->atom });
            break;
        }
        case XCB_DESTROY_NOTIFY: {
            // A reader gone halfway through a transfer will not ask for the rest.
            const xcb_window_t fenster = reinterpret_cast<const xcb_destroy_notify_event_t*>(ereignis.get())->window;
            std::erase_if(m_stueckweise, [fenster](const auto& eintrag) { return eintrag.first.first == fenster; });
            break;
        }
        default:
            break;
        }
    }
}

void Auswahldienst::anfrageBeantworten(const xcb_selection_request_event_t& anfrage)
{
    // Readers older than the ICCCM name no property and mean the target's own name.
    const xcb_atom_t eigenschaft = anfrage.property == XCB_NONE ? anfrage.target : anfrage.property;
    // A request from before we took the clipboard asked for someone else's text.
    const bool zuFrueh = anfrage.time != XCB_CURRENT_TIME && anfrage.time < m_zeit;
    const bool beantwortet = !zuFrueh && anfrage.owner == m_fenster && anfrage.selection == m_atome[Clipboard]
        && umwandeln(anfrage.target, anfrage.requestor, eigenschaft, false);

    xcb_selection_notify_event_t meldung{};
    meldung.response_type = XCB_SELECTION_NOTIFY;
    meldung.time = anfrage.time;
    meldung.requestor = anfrage.requestor;
    meldung.selection = anfrage.selection;
    meldung.target = anfrage.target;
    meldung.property = beantwortet ? eigenschaft : XCB_NONE;
    xcb_send_event(
        m_verbindung, 0, anfrage.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&meldung));
    xcb_flush(m_verbindung);
}

bool Auswahldienst::umwandeln(xcb_atom_t ziel, xcb_window_t fenster, xcb_atom_t eigenschaft, bool inMehreren)
{
    const auto ist = [&](Atom a) { return ziel == m_atome[a]; };
    if (ist(Targets)) {
        std::vector<xcb_atom_t> ziele{ m_atome[Targets], m_atome[Timestamp], m_atome[Multiple], m_atome[SaveTargets],
            m_atome[Utf8String], m_atome[TextPlainUtf8], m_atome[Text] };
        if (m_latin1)
            ziele.push_back(XCB_ATOM_STRING);
        xcb_change_property(m_verbindung, XCB_PROP_MODE_REPLACE, fenster, eigenschaft, XCB_ATOM_ATOM, 32,
            static_cast<uint32_t>(ziele.size()), ziele.data());
        return true;
    }
    if (ist(Timestamp)) {
        xcb_change_property(
            m_verbindung, XCB_PROP_MODE_REPLACE, fenster, eigenschaft, XCB_ATOM_INTEGER, 32, 1, &m_zeit);
        return true;
    }
    if (ist(Multiple))
        return !inMehreren && mehrereUmwandeln(fenster, eigenschaft);
    if (ist(SaveTargets)) {
        // What a clipboard manager answers, and all an owner can: there is nothing to convert.
        xcb_change_property(m_verbindung, XCB_PROP_MODE_REPLACE, fenster, eigenschaft, m_atome[Null], 32, 0, nullptr);
        return true;
    }
    if (ist(Utf8String) || ist(TextPlainUtf8)) {
        datenSetzen(fenster, eigenschaft, ziel, m_utf8);
        return true;
    }
    // TEXT leaves the encoding to us; STRING is Latin-1 by definition, so a text without that form is refused.
    if (ziel == XCB_ATOM_STRING || ist(Text)) {
        if (m_latin1)
            datenSetzen(fenster, eigenschaft, XCB_ATOM_STRING, *m_latin1);
        else if (ist(Text))
            datenSetzen(fenster, eigenschaft, m_atome[Utf8String], m_utf8);
        return m_latin1 || ist(Text);
    }
    return false;
}

// The reader's property holds pairs of target and property; a pair we cannot
// convert gets None as its property, and the pairs go back where they were.
// Some readers give the pairs a type other than ATOM_PAIR; they get it back.
bool Auswahldienst::mehrereUmwandeln(xcb_window_t fenster, xcb_atom_t eigenschaft)
{
    const Antwort<xcb_get_property_reply_t> antwort(xcb_get_property_reply(m_verbindung,
        xcb_get_property(m_verbindung, 0, fenster, eigenschaft, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4),
        nullptr));
    if (!antwort || antwort->format != 32)
        return false;
    const auto* anfang = static_cast<const xcb_atom_t*>(xcb_get_property_value(antwort.get()));
    std::vector<xcb_atom_t> paare(anfang, anfang + antwort->value_len);
    for (std::size_t i = 0; i + 1 < paare.size(); i += 2) {
        if (!umwandeln(paare[i], fenster, paare[i + 1], true))
            paare[i + 1] = XCB_NONE;
    }
    xcb_change_property(m_verbindung, XCB_PROP_MODE_REPLACE, fenster, eigenschaft, antwort->type, 32,
        static_cast<uint32_t>(paare.size()), paare.data());
    return true;
}

void Auswahldienst::datenSetzen(xcb_window_t fenster, xcb_atom_t eigenschaft, xcb_atom_t typ, const std::string& daten)
{
    if (daten.size() <= m_stueckgroesse) {
        xcb_change_property(m_verbindung, XCB_PROP_MODE_REPLACE, fenster, eigenschaft, typ, 8,
            static_cast<uint32_t>(daten.size()), daten.data());
        return;
    }
    // INCR: the reader deletes the property to ask for each piece; we must be
    // listening for that before it learns of the transfer.
    const uint32_t ereignisse = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_verbindung, fenster, XCB_CW_EVENT_MASK, &ereignisse);
    const auto groesse = static_cast<uint32_t>(daten.size());
    xcb_change_property(m_verbindung, XCB_PROP_MODE_REPLACE, fenster, eigenschaft, m_atome[Incr], 32, 1, &groesse);
    m_stueckweise[{ fenster, eigenschaft }] = { typ, daten, 0 };
}

void Auswahldienst::weiterSenden(const Ziel& ziel)
{
    const auto eintrag = m_stueckweise.find(ziel);
    if (eintrag == m_stueckweise.end())
        return;
    Stueckweise& t = eintrag->second;
    // The piece after the last is empty, and tells the reader the text is whole.
    const std::size_t laenge = std::min(m_stueckgroesse, t.daten.size() - t.gesendet);
    xcb_change_property(m_verbindung, XCB_PROP_MODE_REPLACE, ziel.first, ziel.second, t.typ, 8,
        static_cast<uint32_t>(laenge), t.daten.data() + t.gesendet);
    t.gesendet += laenge;
    if (laenge == 0)
        m_stueckweise.erase(eintrag);
    xcb_flush(m_verbindung);
}
