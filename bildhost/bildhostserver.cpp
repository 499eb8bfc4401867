#include "bildhostserver.h"

#include "anfragefristen.h"
#include "antwortseiten.h"
#include "bildart.h"
#include "clientadresse.h"
#include "formular.h"
#include "loeschversuche.h"
#include "protokollzeile.h"

#include <microhttpd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace {
constexpr char htmlTyp[] = "text/html; charset=utf-8";
// Room for the form's other parts and headers next to the picture itself.
constexpr std::size_t formularZuschlag = std::size_t{ 64 } * 1024;

// A POST's body as it comes in, piece by piece.
struct Upload {
    std::string koerper;
};

bool gleichOhneGrossKlein(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view kopfwert(MHD_Connection* verbindung, const char* name)
{
    const char* wert = MHD_lookup_connection_value(verbindung, MHD_HEADER_KIND, name);
    return wert ? std::string_view(wert) : std::string_view();
}

// The peer's address without its port.
std::string gegenstelle(MHD_Connection* verbindung)
{
    const MHD_ConnectionInfo* info = MHD_get_connection_info(verbindung, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    return info ? adresseVon(info->client_addr) : std::string();
}

// Every value of the header, so that a second one cannot hide behind the first.
std::vector<std::string_view> alleKopfwerte(MHD_Connection* verbindung, std::string_view name)
{
    struct Suche {
        std::string_view name;
        std::vector<std::string_view> werte;
    } suche{ name, {} };
    MHD_get_connection_values_n(
        verbindung, MHD_HEADER_KIND,
        [](void* daten, MHD_ValueKind, const char* kopf, size_t kopfLaenge, const char* wert, size_t wertLaenge) {
            auto& s = *static_cast<Suche*>(daten);
            if (kopf && gleichOhneGrossKlein(std::string_view(kopf, kopfLaenge), s.name))
                s.werte.push_back(wert ? std::string_view(wert, wertLaenge) : std::string_view());
            return MHD_YES;
        },
        &suche);
    return suche.werte;
}

std::size_t kopfgroesse(MHD_Connection* verbindung)
{
    std::size_t summe = 0;
    MHD_get_connection_values_n(
        verbindung, MHD_HEADER_KIND,
        [](void* zaehler, MHD_ValueKind, const char*, size_t name, const char*, size_t wert) {
            // "Name: Wert" and the line end.
            *static_cast<std::size_t*>(zaehler) += name + wert + 4;
            return MHD_YES;
        },
        &summe);
    return summe;
}

// "identity" and no header at all are the only codings taken; a packed body is never unpacked.
bool ungepackt(std::string_view kodierung)
{
    while (!kodierung.empty() && (kodierung.front() == ' ' || kodierung.front() == '\t'))
        kodierung.remove_prefix(1);
    while (!kodierung.empty() && (kodierung.back() == ' ' || kodierung.back() == '\t'))
        kodierung.remove_suffix(1);
    return kodierung.empty() || gleichOhneGrossKlein(kodierung, "identity");
}
} // namespace

struct Bildhostserver::Innen {
    Innen(const Ablage& ablageOrdner, const Loeschstelle& loeschOrt, Bildhostregeln bildhostregeln)
        : ablage(ablageOrdner)
        , loeschstelle(loeschOrt)
        , regeln(std::move(bildhostregeln))
        , koerperHoechstens(regeln.hoechstgroesse + formularZuschlag)
        , fristen(regeln.anfrageFrist)
        , versuche(regeln.loeschFehlversuche, regeln.loeschFenster)
    {
    }

    MHD_Result antworten(MHD_Connection* verbindung, std::string_view methode, std::string_view pfad, const char* daten,
        size_t* datenmenge, void** zustand);
    MHD_Result erstAnfrage(MHD_Connection* verbindung, std::string_view methode, std::string_view pfad, void** zustand);
    MHD_Result hochladen(MHD_Connection* verbindung, std::string_view pfad, const Upload& upload);
    MHD_Result ausliefern(MHD_Connection* verbindung, std::string_view methode, std::string_view pfad);
    MHD_Result loeschen(MHD_Connection* verbindung, std::string_view pfad, const std::string& client);
    std::optional<std::string> clientVon(MHD_Connection* verbindung) const;
    MHD_Result ablehnen(MHD_Connection* verbindung, std::string_view methode, std::string_view pfad, unsigned status,
        std::string_view grund);
    MHD_Result senden(MHD_Connection* verbindung, std::string_view methode, std::string_view pfad, unsigned status,
        MHD_Response* antwort);

    const Ablage& ablage;
    const Loeschstelle& loeschstelle;
    const Bildhostregeln regeln;
    const std::size_t koerperHoechstens;
    Anfragefristen fristen;
    Loeschversuche versuche;
    MHD_Daemon* daemon = nullptr;
};

// Whose request it is: the peer's, or from a trusted proxy the one address it
// names. Nothing when such a proxy names none, several or a malformed one:
// counted under the proxy's own address, all its clients would share one
// limit on deletions, and one guesser would lock out everyone.
std::optional<std::string> Bildhostserver::Innen::clientVon(MHD_Connection* verbindung) const
{
    std::string peer = gegenstelle(verbindung);
    if (std::find(regeln.vertrauteProxys.begin(), regeln.vertrauteProxys.end(), peer) == regeln.vertrauteProxys.end())
        return peer;
    const auto angaben = alleKopfwerte(verbindung, "X-Real-IP");
    return angaben.size() == 1 ? adresseLesen(angaben.front()) : std::nullopt;
}

MHD_Result Bildhostserver::Innen::senden(
    MHD_Connection* verbindung, std::string_view methode, std::string_view pfad, unsigned status, MHD_Response* antwort)
{
    std::string zeile = protokollzeile(methode, pfad, static_cast<int>(status));
    // Without a proxy the line stays as it always was; behind one, which client it was is nowhere else.
    if (!regeln.vertrauteProxys.empty())
        zeile += ' ' + adresseAlsText(clientVon(verbindung).value_or(gegenstelle(verbindung)));
    std::printf("%s\n", zeile.c_str());
    std::fflush(stdout);
    if (!antwort)
        return MHD_NO;
    // After a refusal nothing more of this connection is read: bytes of a
    // body left unread must never be taken for a request of their own.
    if (status >= 400)
        MHD_add_response_header(antwort, MHD_HTTP_HEADER_CONNECTION, "close");
    fristen.beantwortet(verbindung);
    const MHD_Result ergebnis = MHD_queue_response(verbindung, status, antwort);
    MHD_destroy_response(antwort);
    return ergebnis;
}

MHD_Result Bildhostserver::Innen::ablehnen(MHD_Connection* verbindung, std::string_view methode, std::string_view pfad,
    unsigned status, std::string_view grund)
{
    const std::string seite = fehlerseite(grund);
    MHD_Response* antwort
        = MHD_create_response_from_buffer(seite.size(), const_cast<char*>(seite.data()), MHD_RESPMEM_MUST_COPY);
    if (antwort) {
        MHD_add_response_header(antwort, MHD_HTTP_HEADER_CONTENT_TYPE, htmlTyp);
        if (status == MHD_HTTP_METHOD_NOT_ALLOWED)
            MHD_add_response_header(antwort, MHD_HTTP_HEADER_ALLOW, "GET, HEAD, POST, DELETE");
    }
    return senden(verbindung, methode, pfad, status, antwort);
}

MHD_Result Bildhostserver::Innen::antworten(MHD_Connection* verbindung, std::string_view methode, std::string_view pfad,
    const char* daten, size_t* datenmenge, void** zustand)
{
    auto* upload = static_cast<Upload*>(*zustand);
    if (!upload)
        return erstAnfrage(verbindung, methode, pfad, zustand);
    if (*datenmenge == 0)
        return hochladen(verbindung, pfad, *upload);
    if (upload->koerper.size() + *datenmenge > koerperHoechstens) {
        // Whatever the framing, chunked or none: the body never grows past the limit.
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_CONTENT_TOO_LARGE, "Die Anfrage ist zu groß.");
    }
    upload->koerper.append(daten, *datenmenge);
    *datenmenge = 0;
    return MHD_YES;
}

// The request's head is complete; its body, if any, has not been read yet.
MHD_Result Bildhostserver::Innen::erstAnfrage(
    MHD_Connection* verbindung, std::string_view methode, std::string_view pfad, void** zustand)
{
    if (methode.size() + pfad.size() + kopfgroesse(verbindung) > regeln.kopfHoechstens)
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE,
            "Die Kopfzeilen der Anfrage sind zu groß.");
    const auto client = clientVon(verbindung);
    if (!client)
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_BAD_REQUEST,
            "Der Proxy hat keine gültige Client-Adresse (X-Real-IP) mitgeschickt.");
    if (!ungepackt(kopfwert(verbindung, MHD_HTTP_HEADER_CONTENT_ENCODING)))
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_UNSUPPORTED_MEDIA_TYPE,
            "Gepackte Anfragen (Content-Encoding) werden nicht angenommen.");
    if (methode == MHD_HTTP_METHOD_GET || methode == MHD_HTTP_METHOD_HEAD)
        return ausliefern(verbindung, methode, pfad);
    if (methode == MHD_HTTP_METHOD_DELETE)
        return loeschen(verbindung, pfad, *client);
    if (methode != MHD_HTTP_METHOD_POST)
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_METHOD_NOT_ALLOWED, "Diese Anfrageart gibt es hier nicht.");
    if (pfad != "/")
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_NOT_FOUND, "Diese Seite gibt es hier nicht.");
    const std::string_view laenge = kopfwert(verbindung, MHD_HTTP_HEADER_CONTENT_LENGTH);
    const std::string_view stueckelung = kopfwert(verbindung, MHD_HTTP_HEADER_TRANSFER_ENCODING);
    // Two framings at once are how one request is hidden in another; a proxy
    // in front may have read the other one.
    if (!laenge.empty() && !stueckelung.empty())
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_BAD_REQUEST,
            "Die Anfrage nennt Content-Length und Transfer-Encoding zugleich.");
    if (!stueckelung.empty() && !gleichOhneGrossKlein(stueckelung, "chunked"))
        return ablehnen(
            verbindung, methode, pfad, MHD_HTTP_NOT_IMPLEMENTED, "Nur Transfer-Encoding: chunked wird angenommen.");
    // Without a length or chunks the body would end only with the connection, and cannot be told from junk.
    if (laenge.empty() && stueckelung.empty())
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_LENGTH_REQUIRED, "Die Anfrage nennt ihre Länge nicht.");
    std::uint64_t angekuendigt = 0;
    if (!laenge.empty()) {
        const auto [ende, fehler] = std::from_chars(laenge.data(), laenge.data() + laenge.size(), angekuendigt);
        // Too long to be a number here is too long for the limit too.
        if (fehler == std::errc::result_out_of_range || angekuendigt > koerperHoechstens)
            return ablehnen(verbindung, methode, pfad, MHD_HTTP_CONTENT_TOO_LARGE, "Die Anfrage ist zu groß.");
    }
    auto upload = std::make_unique<Upload>();
    upload->koerper.reserve(std::min<std::uint64_t>(angekuendigt, koerperHoechstens));
    *zustand = upload.release();
    return MHD_YES;
}

MHD_Result Bildhostserver::Innen::hochladen(MHD_Connection* verbindung, std::string_view pfad, const Upload& upload)
{
    const std::string_view post = MHD_HTTP_METHOD_POST;
    const auto teile
        = formularZerlegen(upload.koerper, grenzeAusInhaltstyp(kopfwert(verbindung, MHD_HTTP_HEADER_CONTENT_TYPE)));
    if (!teile)
        return ablehnen(verbindung, post, pfad, MHD_HTTP_BAD_REQUEST,
            "Die Anfrage ist kein gültiges Formular (multipart/form-data).");
    const Formularteil* datei = teilMitNamen(*teile, "fileupload");
    if (!datei)
        return ablehnen(verbindung, post, pfad, MHD_HTTP_BAD_REQUEST, "Das Formular enthält kein Feld fileupload.");
    if (datei->inhalt.size() > regeln.hoechstgroesse)
        return ablehnen(verbindung, post, pfad, MHD_HTTP_CONTENT_TOO_LARGE,
            "Das Bild ist größer als " + std::to_string(regeln.hoechstgroesse) + " Bytes.");
    const auto art = bildartErkennen(datei->inhalt);
    if (!art)
        return ablehnen(
            verbindung, post, pfad, MHD_HTTP_UNSUPPORTED_MEDIA_TYPE, "Die Datei ist kein JPEG-, GIF- oder PNG-Bild.");
    const auto name = ablage.speichern(datei->inhalt, *art);
    if (!name)
        return ablehnen(
            verbindung, post, pfad, MHD_HTTP_INTERNAL_SERVER_ERROR, "Das Bild konnte nicht gespeichert werden.");
    const std::string seite = erfolgsseite(regeln.oeffentlicheAdresse + *name, loeschstelle.schluesselVergeben(*name));
    MHD_Response* antwort
        = MHD_create_response_from_buffer(seite.size(), const_cast<char*>(seite.data()), MHD_RESPMEM_MUST_COPY);
    if (antwort)
        MHD_add_response_header(antwort, MHD_HTTP_HEADER_CONTENT_TYPE, htmlTyp);
    return senden(verbindung, post, pfad, MHD_HTTP_OK, antwort);
}

MHD_Result Bildhostserver::Innen::ausliefern(
    MHD_Connection* verbindung, std::string_view methode, std::string_view pfad)
{
    const auto datei = pfad.starts_with('/') ? ablage.oeffnen(pfad.substr(1)) : std::nullopt;
    if (!datei)
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_NOT_FOUND, "Dieses Bild gibt es hier nicht.");
    // Takes the descriptor over, also when it fails.
    MHD_Response* antwort = MHD_create_response_from_fd64(datei->groesse, datei->deskriptor);
    if (!antwort) {
        close(datei->deskriptor);
    } else {
        const auto art = bildartZurEndung(pfad.substr(pfad.rfind('.') + 1));
        MHD_add_response_header(antwort, MHD_HTTP_HEADER_CONTENT_TYPE, std::string(inhaltstyp(*art)).c_str());
        MHD_add_response_header(antwort, "X-Content-Type-Options", "nosniff");
    }
    return senden(verbindung, methode, pfad, MHD_HTTP_OK, antwort);
}

// Answered at once, before any body: a deletion has none, and one that
// announces a body is refused, so no bytes of it can pass for a request.
MHD_Result Bildhostserver::Innen::loeschen(MHD_Connection* verbindung, std::string_view pfad, const std::string& client)
{
    const std::string_view methode = MHD_HTTP_METHOD_DELETE;
    const std::string_view laenge = kopfwert(verbindung, MHD_HTTP_HEADER_CONTENT_LENGTH);
    if ((!laenge.empty() && laenge != "0") || !kopfwert(verbindung, MHD_HTTP_HEADER_TRANSFER_ENCODING).empty())
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_BAD_REQUEST, "Eine Löschanfrage hat keinen Inhalt.");
    const auto jetzt = Loeschversuche::Uhr::now();
    if (versuche.gesperrt(client, jetzt))
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_TOO_MANY_REQUESTS,
            "Zu viele fehlgeschlagene Löschversuche. Bitte später noch einmal.");
    const auto ergebnis = pfad.starts_with('/')
        ? loeschstelle.loeschen(pfad.substr(1), kopfwert(verbindung, "X-Delete-Key"))
        : Loeschstelle::Ergebnis::Unbekannt;
    switch (ergebnis) {
    case Loeschstelle::Ergebnis::Geloescht:
        return senden(verbindung, methode, pfad, MHD_HTTP_NO_CONTENT,
            MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT));
    case Loeschstelle::Ergebnis::Fehler:
        return ablehnen(
            verbindung, methode, pfad, MHD_HTTP_INTERNAL_SERVER_ERROR, "Das Bild konnte nicht gelöscht werden.");
    case Loeschstelle::Ergebnis::Unbekannt:
        // Guessing names counts as much as guessing keys.
        versuche.fehlversuch(client, jetzt);
        return ablehnen(verbindung, methode, pfad, MHD_HTTP_NOT_FOUND, "Dieses Bild gibt es hier nicht.");
    case Loeschstelle::Ergebnis::Verweigert:
        break;
    }
    versuche.fehlversuch(client, jetzt);
    return ablehnen(
        verbindung, methode, pfad, MHD_HTTP_FORBIDDEN, "Der Löschschlüssel fehlt oder passt nicht zu diesem Bild.");
}

Bildhostserver::Bildhostserver(const Ablage& ablage, const Loeschstelle& loeschstelle, Bildhostregeln regeln)
    : m_innen(std::make_unique<Innen>(ablage, loeschstelle, std::move(regeln)))
{
}

Bildhostserver::~Bildhostserver()
{
    if (m_innen->daemon)
        MHD_stop_daemon(m_innen->daemon);
}

bool Bildhostserver::starten(int lauschsocket, std::string& fehler)
{
    const MHD_AccessHandlerCallback zugriff
        = [](void* innen, MHD_Connection* verbindung, const char* pfad, const char* methode, const char*,
              const char* daten, size_t* datenmenge, void** zustand) {
              return static_cast<Innen*>(innen)->antworten(verbindung, methode, pfad, daten, datenmenge, zustand);
          };
    const MHD_RequestCompletedCallback erledigt
        = [](void* innen, MHD_Connection* verbindung, void** zustand, MHD_RequestTerminationCode) {
              delete static_cast<Upload*>(*zustand);
              *zustand = nullptr;
              static_cast<Innen*>(innen)->fristen.naechsteAnfrage(verbindung);
          };
    const MHD_NotifyConnectionCallback verbindungsnachricht
        = [](void* innen, MHD_Connection* verbindung, void**, MHD_ConnectionNotificationCode art) {
              auto& fristen = static_cast<Innen*>(innen)->fristen;
              if (art == MHD_CONNECTION_NOTIFY_STARTED)
                  fristen.verbunden(
                      verbindung, MHD_get_connection_info(verbindung, MHD_CONNECTION_INFO_CONNECTION_FD)->connect_fd);
              else
                  fristen.getrennt(verbindung);
          };
    const Bildhostregeln& regeln = m_innen->regeln;
    // The library's memory per connection holds the request's head and the
    // read buffer; beyond it the library refuses on its own, so it leaves room
    // above our limit. Kept small: a larger pool is mapped and unmapped for
    // every connection, which halved the uploads per second in the benchmark.
    const std::size_t speicherJeVerbindung = regeln.kopfHoechstens + std::size_t{ 16 } * 1024;
    // Strict mode makes the library refuse an HTTP/1.1 request without Host
    // itself, before any handler runs; 0.9.75 sends that 400's header block
    // twice, which no handler of ours can mend.
    m_innen->daemon = MHD_start_daemon(MHD_USE_EPOLL_INTERNAL_THREAD, 0, nullptr, nullptr, zugriff, m_innen.get(),
        MHD_OPTION_LISTEN_SOCKET, static_cast<MHD_socket>(lauschsocket), MHD_OPTION_CONNECTION_LIMIT,
        regeln.verbindungenHoechstens, MHD_OPTION_PER_IP_CONNECTION_LIMIT, regeln.verbindungenJeAdresse,
        MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(regeln.leerlaufFrist.count()),
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, speicherJeVerbindung, MHD_OPTION_NOTIFY_COMPLETED, erledigt, m_innen.get(),
        MHD_OPTION_NOTIFY_CONNECTION, verbindungsnachricht, m_innen.get(), MHD_OPTION_STRICT_FOR_CLIENT, 1,
        MHD_OPTION_END);
    if (!m_innen->daemon) {
        close(lauschsocket);
        fehler = "Der HTTP-Server ließ sich nicht starten.";
        return false;
    }
    return true;
}
