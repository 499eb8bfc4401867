#pragma once

#include <QString>

#include <chrono>
#include <functional>

// What an exchange with a web server may cost at most, so a broken or hostile
// server cannot fill memory or hold the run for ever.
struct HttpGrenzen {
    qint64 antwortHoechstens = qint64{ 1024 } * 1024;
    std::chrono::seconds stille{ 60 };
    std::chrono::milliseconds verbinden{ 30000 };
    // The whole exchange, however steadily a server trickles its reply.
    std::chrono::milliseconds gesamt{ 90000 };
};

// Asked about once a second on the transfer's worker thread while the
// exchange runs; true stops it.
using Abbruchfrage = std::function<bool()>;

// Posts the file at dateipfad to host + pfad as multipart/form-data and
// collects the server's reply page. host is host[:port] for HTTP, or begins
// with "https://" for HTTPS, where the server's certificate is checked as for
// FTP over TLS (see bildhostBasis for what else it may be).
//
// True once the request went out, whatever the server answered: an error page
// or a refused connection still gives true, with whatever reply came back.
// False without touching antwort when no transfer could be prepared (host
// included) or the file cannot be read; false with an empty antwort when the reply broke one of
// the limits or abbrechen stopped the exchange.
bool httpUpload(const QString& host, const QString& pfad, const QString& dateipfad, QString& antwort,
    const HttpGrenzen& grenzen = HttpGrenzen(), const Abbruchfrage& abbrechen = {});
