#include "transfer/ftpupload.h"

#include "platform/datenverbindung.h"
#include "settings/optionen.h"
#include "statusfenster/statusanzeige.h"
#include "transfer/bilddatei.h"
#include "transfer/curlsetzen.h"
#include "transfer/curlzeiger.h"
#include "transfer/ftpadresse.h"
#include "transfer/ftpproxy.h"
#include "transfer/ftpschutz.h"
#include "transfer/ftpshochladen.h"
#include "transfer/ftpverbindung.h"
#include "transfer/hintergrundlauf.h"
#include "transfer/restentfernen.h"
#include "transfer/sftphochladen.h"
#include "transfer/sftpzugang.h"

#include <QFile>

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <memory>

namespace {
using Uhr = std::chrono::steady_clock;
constexpr auto fortschrittsAbstand = std::chrono::milliseconds(250);

QString oeffnenFehler()
{
    return QStringLiteral("Auf InternetControl konnte nicht zugegriffen werden!");
}

QString verbindenFehler(const Optionen& optionen)
{
    return QStringLiteral("Es konnte keine Verbindung zu ") + optionen.FTPServer
        + QStringLiteral(" unter Verwendung von Login \"") + optionen.FTPLogin + QStringLiteral("\" und ")
        + QString::number(optionen.FTPPassword.size()) + QStringLiteral("-stelligem Passwort hergestellt werden!");
}

QString kopierenFehler(const QString& entfernterName)
{
    return QStringLiteral("Datei konnte nicht nach \"") + entfernterName + QStringLiteral("\" kopiert werden!");
}

// The upload's sockets, which we open and close for libcurl. libcurl keeps the
// close callback with the connection and still calls it when the handle is
// cleaned up, so this outlives the handle.
struct Sockets {
    // The newest socket; once logged in, that is the data connection.
    curl_socket_t neuestes = CURL_SOCKET_BAD;
    bool datenverbindung = false;
    // The data connection after libcurl let go of it, kept for counting.
    curl_socket_t nochOffen = CURL_SOCKET_BAD;
    // The user stopped the upload: what is still queued must not reach the server.
    bool verwerfen = false;
};

// What the worker thread's callbacks share with this call.
struct Verlauf {
    Verlauf(Statusanzeige& anzeige, Sockets& s, bool mitSsh)
        : status(anzeige)
        , ssh(mitSsh)
        , sockets(s)
    {
    }

    Hintergrundlauf lauf;
    Statusanzeige& status;
    const bool ssh;
    // Set on the worker once the server has accepted the login: from then on
    // every failure belongs to the put, before it to the connection.
    std::atomic<bool> eingeloggt{ false };
    // Worker-only while the upload runs: the sockets, the last command sent, and
    // when progress was last passed on.
    Sockets& sockets;
    QByteArray letzterBefehl;
    Uhr::time_point letzteMeldung{};
    curl_off_t gemeldet = 0;
    // What the server answered to SIZE after the put; -1 while it said nothing usable.
    qint64 groesseAufDemServer = -1;
    // SFTP: the login methods the server offers, as libcurl logs them.
    QByteArray anmeldeangebot;
};

void eingeloggtMelden(Verlauf& verlauf)
{
    verlauf.eingeloggt = true;
    verlauf.lauf.imVordergrund(
        [&status = verlauf.status] { status.status(QStringLiteral("Verbindung hergestellt, übertrage Datei...")); });
}

// SFTP has no dialogue to read; libcurl's own log says what the server
// offers for the login and when it let us in.
void sshMitlesen(Verlauf& verlauf, QByteArrayView zeile)
{
    if (const std::optional<QByteArray> angebot = SftpZugang::anmeldeangebot(zeile))
        verlauf.anmeldeangebot = *angebot;
    else if (!verlauf.eingeloggt && zeile.startsWith("Authentication complete"))
        eingeloggtMelden(verlauf);
}

// A "213 <bytes>" answer to SIZE; anything else leaves the size unknown.
void groesseMitlesen(Verlauf& verlauf, QByteArrayView zeile)
{
    if (verlauf.letzterBefehl != "SIZE " || !zeile.startsWith("213 "))
        return;
    bool zahl = false;
    const qint64 groesse = zeile.sliced(4).trimmed().toLongLong(&zahl);
    if (zahl && groesse >= 0)
        verlauf.groesseAufDemServer = groesse;
}

// libcurl tells no one when the login is through, and a time-out looks the
// same before and after it; so the dialogue is read: a 2xx answer to USER or
// PASS means the server let us in.
int mitlesen(CURL*, curl_infotype art, char* daten, size_t laenge, void* zeiger)
{
    auto& verlauf = *static_cast<Verlauf*>(zeiger);
    const QByteArrayView zeile(daten, static_cast<qsizetype>(laenge));
    if (art == CURLINFO_TEXT && verlauf.ssh) {
        sshMitlesen(verlauf, zeile);
    } else if (art == CURLINFO_HEADER_OUT) {
        verlauf.letzterBefehl = zeile.first(std::min<qsizetype>(zeile.size(), 5)).toByteArray();
    } else if (art == CURLINFO_HEADER_IN && verlauf.eingeloggt) {
        groesseMitlesen(verlauf, zeile);
    } else if (art == CURLINFO_HEADER_IN && !verlauf.eingeloggt && zeile.startsWith('2')
        && (verlauf.letzterBefehl == "USER " || verlauf.letzterBefehl == "PASS ")) {
        eingeloggtMelden(verlauf);
    }
    return 0;
}

curl_socket_t socketAnlegen(void* zeiger, curlsocktype, curl_sockaddr* adresse)
{
    const auto socket
        = static_cast<curl_socket_t>(socketOeffnen(adresse->family, adresse->socktype, adresse->protocol));
    auto& verlauf = *static_cast<Verlauf*>(zeiger);
    verlauf.sockets.neuestes = socket;
    verlauf.sockets.datenverbindung = verlauf.eingeloggt;
    return socket;
}

// libcurl closes the data connection as soon as it has handed over the last
// byte, while the system still sends what it queued. Ending only the sending
// tells the server the file is complete and keeps the queue countable until
// the server confirms; the socket is closed when the upload is over.
int socketAbgeben(void* zeiger, curl_socket_t socket)
{
    auto& sockets = *static_cast<Sockets*>(zeiger);
    const bool daten = sockets.datenverbindung && socket == sockets.neuestes;
    if (daten && sockets.verwerfen) {
        socketVerwerfen(socket);
        return 0;
    }
    if (!daten || sockets.nochOffen != CURL_SOCKET_BAD) {
        socketSchliessen(socket);
        return 0;
    }
    sendenBeenden(socket);
    sockets.nochOffen = socket;
    return 0;
}

int fortschreiben(void* zeiger, curl_off_t, curl_off_t, curl_off_t gesamt, curl_off_t uebergeben)
{
    auto& verlauf = *static_cast<Verlauf*>(zeiger);
    if (verlauf.status.abbruchGewuenscht()) {
        verlauf.sockets.verwerfen = true;
        return 1;
    }
    // libcurl counts what it handed to the system; on a slow line the socket's
    // buffers hold much of that for seconds, and the bar would run ahead.
    const curl_off_t gesendet = std::max<curl_off_t>(0, uebergeben - unbestaetigteBytes(verlauf.sockets.neuestes));
    const Uhr::time_point jetzt = Uhr::now();
    // The last bytes may sit unread in the server's buffers, or be refused:
    // a full bar waits for the server's confirmation.
    if (gesendet >= gesamt || gesendet <= verlauf.gemeldet || jetzt - verlauf.letzteMeldung < fortschrittsAbstand)
        return 0;
    verlauf.letzteMeldung = jetzt;
    verlauf.gemeldet = gesendet;
    verlauf.lauf.imVordergrund([&status = verlauf.status, gesendet, gesamt] { status.fortschritt(gesendet, gesamt); });
    return 0;
}

// The file as the worker reads it. Its size is announced to the server
// before the first byte; a file that changes while it goes out must not end
// as a success with only part of it on the server.
struct Quelle {
    QFile datei;
    qint64 groesse = 0;
    qint64 gelesen = 0;
};

size_t lesen(char* puffer, size_t groesse, size_t anzahl, void* zeiger)
{
    auto& quelle = *static_cast<Quelle*>(zeiger);
    const qint64 gewollt = std::min(quelle.groesse - quelle.gelesen, static_cast<qint64>(groesse * anzahl));
    const qint64 gelesen = quelle.datei.read(puffer, gewollt);
    if (gelesen < 0)
        return CURL_READFUNC_ABORT;
    quelle.gelesen += gelesen;
    // libcurl stops at the announced size; a file grown since then would
    // arrive cut off. (One that shrank ends early, which libcurl refuses itself.)
    char dahinter = 0;
    if (quelle.gelesen == quelle.groesse && quelle.datei.read(&dahinter, 1) != 0)
        return CURL_READFUNC_ABORT;
    return static_cast<size_t>(gelesen);
}

// What the upload needs of libcurl whatever the settings: its limits, its
// name, and the callbacks through which it reports and stops. False when
// libcurl refuses one of them.
bool ablaufEinstellen(CURL* handle, const FtpZeitgrenzen& grenzen, Verlauf& verlauf)
{
    const long verbinden = static_cast<long>(grenzen.verbinden.count());
    const long ohneDaten = static_cast<long>(grenzen.ohneDaten.count());
    // CONNECTTIMEOUT covers the greeting and the login as well as the TCP connect.
    return setzen(handle, CURLOPT_CONNECTTIMEOUT, verbinden)
        && setzen(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT, ohneDaten)
        && setzen(handle, CURLOPT_ACCEPTTIMEOUT_MS, ohneDaten * 1000) && setzen(handle, CURLOPT_LOW_SPEED_LIMIT, 1L)
        && setzen(handle, CURLOPT_LOW_SPEED_TIME, ohneDaten) && setzen(handle, CURLOPT_NOSIGNAL, 1L)
        && setzen(handle, CURLOPT_USERAGENT, "MyFTP Control")
        && setzen(handle, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD))
        && setzen(handle, CURLOPT_VERBOSE, 1L) && setzen(handle, CURLOPT_DEBUGFUNCTION, &mitlesen)
        && setzen(handle, CURLOPT_DEBUGDATA, &verlauf) && setzen(handle, CURLOPT_NOPROGRESS, 0L)
        && setzen(handle, CURLOPT_XFERINFOFUNCTION, &fortschreiben) && setzen(handle, CURLOPT_XFERINFODATA, &verlauf)
        && setzen(handle, CURLOPT_OPENSOCKETFUNCTION, &socketAnlegen)
        && setzen(handle, CURLOPT_OPENSOCKETDATA, &verlauf)
        && setzen(handle, CURLOPT_CLOSESOCKETFUNCTION, &socketAbgeben)
        && setzen(handle, CURLOPT_CLOSESOCKETDATA, &verlauf.sockets);
}

// A server may confirm a put it kept only part of (a full disk, a quota);
// asked afterwards, it tells how much it really holds. "*": a server that
// does not know SIZE leaves the upload as it was. False when libcurl cannot
// take the question.
bool groesseNachfragen(CURL* handle, const QString& entfernterName, CurlListe& befehle)
{
    if (hatSteuerzeichen(entfernterName))
        return true;
    const QByteArray befehl = QByteArrayLiteral("*SIZE ") + entfernterName.toUtf8();
    return anhaengen(befehle, befehl.constData()) && setzen(handle, CURLOPT_POSTQUOTE, befehle.get());
}

// The file to put, with its size announced to the server; false when libcurl
// refuses any of it.
// SFTP confirms every write as it goes, so it needs no question afterwards.
bool dateiEinstellen(CURL* handle, Quelle& quelle, const QString& entfernterName, bool ssh, CurlListe& nachfrage)
{
    quelle.groesse = quelle.datei.size();
    return setzen(handle, CURLOPT_UPLOAD, 1L) && setzen(handle, CURLOPT_READFUNCTION, &lesen)
        && setzen(handle, CURLOPT_READDATA, &quelle)
        && setzen(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(quelle.groesse))
        && (ssh || groesseNachfragen(handle, entfernterName, nachfrage));
}

bool ganzAngekommen(const Verlauf& verlauf, const Quelle& quelle)
{
    return verlauf.groesseAufDemServer < 0 || verlauf.groesseAufDemServer == quelle.groesse;
}

CURLcode dateiSenden(CURL* handle, Verlauf& verlauf, const Quelle& quelle)
{
    const CURLcode ergebnis = verlauf.lauf.ausfuehren(handle);
    if (ergebnis == CURLE_OK)
        verlauf.status.fortschritt(quelle.groesse, quelle.groesse);
    if (verlauf.sockets.nochOffen != CURL_SOCKET_BAD && verlauf.sockets.verwerfen)
        socketVerwerfen(verlauf.sockets.nochOffen);
    else if (verlauf.sockets.nochOffen != CURL_SOCKET_BAD)
        socketSchliessen(verlauf.sockets.nochOffen);
    verlauf.sockets.nochOffen = CURL_SOCKET_BAD;
    return ergebnis;
}

} // namespace

bool verbindungEinstellen(CURL* handle, const Optionen& optionen, const CurlUrl& adresse, FtpSchutz schutz)
{
    if (!adresse || hatSteuerzeichen(optionen.FTPLogin) || hatSteuerzeichen(optionen.FTPPassword)
        || !schutzEinstellen(handle, schutz) || !setzen(handle, CURLOPT_CURLU, adresse.get()))
        return false;
    if (!optionen.FTPLogin.isEmpty()
        && !(setzen(handle, CURLOPT_USERNAME, optionen.FTPLogin.toUtf8().constData())
            && setzen(handle, CURLOPT_PASSWORD, optionen.FTPPassword.toUtf8().constData())))
        return false;
    // Passive tries EPSV, then PASV; active offers EPRT, then PORT, on the
    // address the control connection already uses. With TLS always passive:
    // this libcurl sends an actively opened data connection unencrypted, and
    // no router can read an encrypted PORT to open the way for it anyway.
    if (!optionen.FTPPassiv && schutz == FtpSchutz::Keiner && !setzen(handle, CURLOPT_FTPPORT, "-"))
        return false;
    return proxyEinstellen(handle, optionen);
}

Durchgang ftpVerbinden(
    const Auftrag& auftrag, SftpZugang* zugang, qsizetype anmeldung, QString& fehlerText, const QByteArray* nadel)
{
    const Optionen& optionen = auftrag.optionen;
    Sockets sockets;
    CurlListe nachfrage;
    Durchgang durchgang;
    const CurlHandle handle(curl_easy_init());
    if (!handle) {
        fehlerText = oeffnenFehler();
        return durchgang;
    }
    Quelle quelle;
    quelle.datei.setFileName(auftrag.datei.kurzerPfad);
    Verlauf verlauf(auftrag.status, sockets, zugang != nullptr);
    // Each refusal is told as the step it belongs to: libcurl unusable,
    // the server not reached, the file not put.
    if (!ablaufEinstellen(handle.get(), auftrag.grenzen, verlauf)) {
        fehlerText = oeffnenFehler();
    } else if (!verbindungEinstellen(handle.get(), optionen, auftrag.adresse, auftrag.server.schutz)
        // After the protection: a pin replaces the check of the chain it set up.
        || (zugang && !zugang->einstellen(handle.get(), anmeldung))
        || (nadel && !nadelEinstellen(handle.get(), *nadel))) {
        fehlerText = verbindenFehler(optionen);
    } else if (auftrag.datei.kurzerPfad.isEmpty() || !quelle.datei.open(QIODevice::ReadOnly)
        || !dateiEinstellen(handle.get(), quelle, auftrag.entfernterName, zugang != nullptr, nachfrage)) {
        fehlerText = kopierenFehler(auftrag.entfernterName);
    } else if (durchgang.code = dateiSenden(handle.get(), verlauf, quelle);
               durchgang.code == CURLE_OK && ganzAngekommen(verlauf, quelle)) {
        durchgang.ergebnis = FtpErgebnis::Hochgeladen;
    } else if (const QString zertifikat
               = zugang ? QString() : zertifikatsFehler(handle.get(), durchgang.code, auftrag.server.host);
               !zertifikat.isEmpty()) {
        fehlerText = zertifikat;
        durchgang.ergebnis = FtpErgebnis::ZertifikatAbgelehnt;
    } else {
        fehlerText = verlauf.eingeloggt ? kopierenFehler(auftrag.entfernterName) : verbindenFehler(optionen);
    }
    // Stopped before the server let us in: nothing of the picture can be there.
    if (durchgang.ergebnis != FtpErgebnis::Hochgeladen && !verlauf.eingeloggt && auftrag.status.abbruchGewuenscht())
        durchgang.ergebnis = FtpErgebnis::Abgebrochen;
    durchgang.eingeloggt = verlauf.eingeloggt;
    durchgang.anmeldeangebot = verlauf.anmeldeangebot;
    if (nadel)
        durchgang.zertifikat = zertifikatAbholen(handle.get());
    if (durchgang.code == CURLE_PEER_FAILED_VERIFICATION)
        curl_easy_getinfo(handle.get(), CURLINFO_SSL_VERIFYRESULT, &durchgang.pruefung);
    return durchgang;
}

FtpErgebnis ftpUpload(const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText,
    const FtpZeitgrenzen& grenzen, Vertrauensfrage* frage)
{
    const QString entfernterName = optionen.FTPPath + datei.langerName;
    // An unknown scheme leaves no address, so no one is contacted.
    const FtpServerangabe server = ftpServerLesen(optionen.FTPServer).value_or(FtpServerangabe());
    // Outlives the handles, which refer to it.
    const CurlUrl adresse = ftpAdresse(server, entfernterName);

    status.status(QStringLiteral("Überprüfe Login und Passwort"));
    const Auftrag auftrag{ datei, optionen, server, adresse, entfernterName, grenzen, status };
    FtpErgebnis ergebnis = FtpErgebnis::Gescheitert;
    if (server.schutz == FtpSchutz::Ssh)
        ergebnis = sftpHochladen(auftrag, fehlerText, frage);
    else if (server.schutz != FtpSchutz::Keiner)
        ergebnis = ftpsHochladen(auftrag, fehlerText, frage);
    else
        ergebnis = ftpVerbinden(auftrag, nullptr, 0, fehlerText).ergebnis;
    // Stopped by the user: libcurl gave up, and the data connection was reset,
    // not ended. Stopped before the login, it has nothing to remove; a removal
    // would meet the same unknown key or certificate and name a file that never was.
    if (ergebnis != FtpErgebnis::Hochgeladen && status.abbruchGewuenscht())
        ergebnis = vorDerAnmeldung(ergebnis) ? FtpErgebnis::Abgebrochen : restEntfernen(auftrag, fehlerText);
    status.status(QString());
    return ergebnis;
}
