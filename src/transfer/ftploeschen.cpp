#include "transfer/ftploeschen.h"

#include "settings/optionen.h"
#include "transfer/curlsetzen.h"
#include "transfer/curlzeiger.h"
#include "transfer/ftpadresse.h"
#include "transfer/ftpproxy.h"
#include "transfer/ftpschutz.h"
#include "transfer/ftpshochladen.h"
#include "transfer/hintergrundlauf.h"
#include "transfer/sftploeschen.h"

namespace {
size_t verwerfen(char*, size_t groesse, size_t anzahl, void*)
{
    return groesse * anzahl;
}

bool einstellen(CURL* h, const Optionen& konto, const CurlUrl& adresse, const FtpServerangabe& server,
    const CurlListe& befehle, const FtpZeitgrenzen& grenzen)
{
    const long verbinden = static_cast<long>(grenzen.verbinden.count());
    const long ohneDaten = static_cast<long>(grenzen.ohneDaten.count());
    const bool angemeldet = konto.FTPLogin.isEmpty()
        || (setzen(h, CURLOPT_USERNAME, konto.FTPLogin.toUtf8().constData())
            && setzen(h, CURLOPT_PASSWORD, konto.FTPPassword.toUtf8().constData()));
    // The address is the login folder: after DELE nothing else is fetched.
    // As trusted as the upload was: a certificate the user trusted passes on its key.
    const QByteArray nadel = vertrauteNadel(server);
    return angemeldet && schutzEinstellen(h, server.schutz) && (nadel.isEmpty() || nadelEinstellen(h, nadel))
        && setzen(h, CURLOPT_CURLU, adresse.get()) && setzen(h, CURLOPT_NOBODY, 1L)
        && setzen(h, CURLOPT_QUOTE, befehle.get())
        && setzen(h, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD))
        && setzen(h, CURLOPT_WRITEFUNCTION, &verwerfen) && setzen(h, CURLOPT_CONNECTTIMEOUT, verbinden)
        && setzen(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, ohneDaten) && setzen(h, CURLOPT_NOSIGNAL, 1L)
        && setzen(h, CURLOPT_USERAGENT, "MyFTP Control") && proxyEinstellen(h, konto);
}
} // namespace

QString loeschverbindungFehler(const Optionen& konto)
{
    return QStringLiteral("Es konnte keine Verbindung zu ") + konto.FTPServer
        + QStringLiteral(" unter Verwendung von Login „") + konto.FTPLogin + QStringLiteral("“ hergestellt werden!");
}

QString nichtGeloeschtFehler(const QString& entfernterName, const QString& server)
{
    return QStringLiteral("Die Datei „") + entfernterName + QStringLiteral("“ konnte auf ") + server
        + QStringLiteral(" nicht gelöscht werden.");
}

FtpLoeschergebnis ftpLoeschen(
    const Optionen& konto, const QString& entfernterName, QString& fehlerText, const FtpZeitgrenzen& grenzen)
{
    const FtpServerangabe server = ftpServerLesen(konto.FTPServer).value_or(FtpServerangabe());
    if (server.schutz == FtpSchutz::Ssh)
        return sftpLoeschen(konto, entfernterName, fehlerText, grenzen);
    const CurlUrl adresse = ftpAdresse(server, QString());
    CurlListe befehle;
    const QByteArray befehl = QByteArrayLiteral("DELE ") + entfernterName.toUtf8();
    if (entfernterName.isEmpty() || hatSteuerzeichen(entfernterName) || !anhaengen(befehle, befehl.constData())) {
        fehlerText = nichtGeloeschtFehler(entfernterName, konto.FTPServer);
        return FtpLoeschergebnis::Gescheitert;
    }
    const CurlHandle handle(curl_easy_init());
    if (!handle || !adresse || hatSteuerzeichen(konto.FTPLogin) || hatSteuerzeichen(konto.FTPPassword)
        || !einstellen(handle.get(), konto, adresse, server, befehle, grenzen)) {
        fehlerText = loeschverbindungFehler(konto);
        return FtpLoeschergebnis::Gescheitert;
    }
    const CURLcode code = Hintergrundlauf().ausfuehren(handle.get());
    if (code == CURLE_OK)
        return FtpLoeschergebnis::Geloescht;
    if (const QString zertifikat = zertifikatsFehler(handle.get(), code, server.host); !zertifikat.isEmpty()) {
        fehlerText = zertifikat;
        return FtpLoeschergebnis::ZertifikatAbgelehnt;
    }
    // libcurl reports a refused DELE as a failed quote command; anything else stopped it before.
    fehlerText = code == CURLE_QUOTE_ERROR ? nichtGeloeschtFehler(entfernterName, konto.FTPServer)
                                           : loeschverbindungFehler(konto);
    return FtpLoeschergebnis::Gescheitert;
}
