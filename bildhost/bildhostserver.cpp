#include "bildhostserver.h"

#include "antwortseiten.h"
#include "bildart.h"
#include "bildname.h"
#include "formular.h"

#include <httplib.h>

#include <cstdio>

namespace {
constexpr char htmlTyp[] = "text/html; charset=utf-8";
constexpr char formulartypKopf[] = "X-Bildhost-Formulartyp";
// Room for the form's other parts and headers next to the picture itself.
constexpr std::size_t formularZuschlag = std::size_t{ 64 } * 1024;

void ablehnen(httplib::Response& antwort, int status, std::string_view grund)
{
    antwort.status = status;
    antwort.set_content(fehlerseite(grund), htmlTyp);
}

// Runs before the body is read. A body announced too large is refused at
// once: httplib would read and drop all of it first, for as long as it comes.
//
// httplib parses multipart bodies itself but insists on a line end after the
// closing boundary, which the uploading program does not send. Renaming the
// type before the body is read makes httplib hand over the raw body, which
// the form reader here takes as it comes.
httplib::Server::HandlerResponse vorDemKoerper(
    const httplib::Request& anfrage, httplib::Response& antwort, std::size_t koerperHoechstens)
{
    if (anfrage.get_header_value<std::uint64_t>("Content-Length") > koerperHoechstens) {
        ablehnen(antwort, 413, "Die Anfrage ist zu groß.");
        antwort.set_header("Connection", "close");
        return httplib::Server::HandlerResponse::Handled;
    }
    // httplib hands the router a request it owns and did not create const.
    auto& veraenderbar = const_cast<httplib::Request&>(anfrage);
    veraenderbar.headers.erase(formulartypKopf);
    const std::string typ = anfrage.get_header_value("Content-Type");
    if (anfrage.method == "POST" && !grenzeAusInhaltstyp(typ).empty()) {
        veraenderbar.headers.erase("Content-Type");
        veraenderbar.headers.emplace("Content-Type", "application/octet-stream");
        veraenderbar.headers.emplace(formulartypKopf, typ);
    }
    return httplib::Server::HandlerResponse::Unhandled;
}

void hochladen(
    const httplib::Request& anfrage, httplib::Response& antwort, const Ablage& ablage, const Bildhostregeln& regeln)
{
    const auto teile = formularZerlegen(anfrage.body, grenzeAusInhaltstyp(anfrage.get_header_value(formulartypKopf)));
    if (!teile)
        return ablehnen(antwort, 400, "Die Anfrage ist kein gültiges Formular (multipart/form-data).");
    const Formularteil* datei = teilMitNamen(*teile, "fileupload");
    if (!datei)
        return ablehnen(antwort, 400, "Das Formular enthält kein Feld fileupload.");
    if (datei->inhalt.size() > regeln.hoechstgroesse)
        return ablehnen(antwort, 413, "Das Bild ist größer als " + std::to_string(regeln.hoechstgroesse) + " Bytes.");
    const auto art = bildartErkennen(datei->inhalt);
    if (!art)
        return ablehnen(antwort, 415, "Die Datei ist kein JPEG-, GIF- oder PNG-Bild.");
    const auto name = ablage.speichern(datei->inhalt, *art);
    if (!name)
        return ablehnen(antwort, 500, "Das Bild konnte nicht gespeichert werden.");
    antwort.set_content(erfolgsseite(regeln.oeffentlicheAdresse + *name), htmlTyp);
}

void ausliefern(const httplib::Request& anfrage, httplib::Response& antwort, const Ablage& ablage)
{
    const std::string name = anfrage.matches[1];
    const auto inhalt = ablage.lesen(name);
    if (!inhalt)
        return ablehnen(antwort, 404, "Dieses Bild gibt es hier nicht.");
    const auto art = bildartZurEndung(std::string_view(name).substr(name.rfind('.') + 1));
    antwort.set_header("X-Content-Type-Options", "nosniff");
    antwort.set_content(*inhalt, std::string(inhaltstyp(*art)));
}

void fehlerSeiteGeben(const httplib::Request&, httplib::Response& antwort)
{
    if (!antwort.body.empty())
        return;
    switch (antwort.status) {
    case 404:
        return ablehnen(antwort, 404, "Diese Seite gibt es hier nicht.");
    case 413:
        return ablehnen(antwort, 413, "Die Anfrage ist zu groß.");
    default:
        return ablehnen(
            antwort, antwort.status, "Die Anfrage wurde abgelehnt (" + std::to_string(antwort.status) + ").");
    }
}

void protokollieren(const httplib::Request& anfrage, const httplib::Response& antwort)
{
    std::printf("%s %s %d\n", anfrage.method.c_str(), anfrage.path.c_str(), antwort.status);
    std::fflush(stdout);
}
} // namespace

void bildhostEinrichten(httplib::Server& server, const Ablage& ablage, const Bildhostregeln& regeln)
{
    const std::size_t koerperHoechstens = regeln.hoechstgroesse + formularZuschlag;
    server.set_payload_max_length(koerperHoechstens);
    server.set_read_timeout(10, 0);
    server.set_write_timeout(10, 0);
    server.set_keep_alive_timeout(5);
    server.set_keep_alive_max_count(10);
    server.set_pre_routing_handler([koerperHoechstens](const httplib::Request& anfrage, httplib::Response& antwort) {
        return vorDemKoerper(anfrage, antwort, koerperHoechstens);
    });
    server.Post("/", [&ablage, regeln](const httplib::Request& anfrage, httplib::Response& antwort) {
        hochladen(anfrage, antwort, ablage, regeln);
    });
    server.Get("/(.*)", [&ablage](const httplib::Request& anfrage, httplib::Response& antwort) {
        ausliefern(anfrage, antwort, ablage);
    });
    server.set_error_handler(fehlerSeiteGeben);
    server.set_logger(protokollieren);
}
