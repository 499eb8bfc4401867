#include "transfer/sftploeschen.h"

#include "settings/optionen.h"
#include "transfer/curlsetzen.h"
#include "transfer/curlzeiger.h"
#include "transfer/ftpadresse.h"
#include "transfer/ftpproxy.h"
#include "transfer/ftpschutz.h"
#include "transfer/hintergrundlauf.h"
#include "transfer/sftpzugang.h"

namespace {
size_t verwerfen(char*, size_t groesse, size_t anzahl, void*)
{
    return groesse * anzahl;
}

// libcurl's SFTP commands take a path in double quotes, with '"' and '\'
// escaped by '\'; unquoted, a blank would end it. "*": a name that is already
// gone is no failure, and the look at the file afterwards decides.
QByteArray rmBefehl(const QString& entfernterName)
{
    QByteArray pfad = entfernterName.toUtf8();
    pfad.replace('\\', "\\\\").replace('"', "\\\"");
    return QByteArrayLiteral("*rm \"") + pfad + '"';
}

bool einstellen(
    CURL* h, const Optionen& konto, const CurlUrl& adresse, const CurlListe& befehle, const FtpZeitgrenzen& grenzen)
{
    // The address is the file itself: after "rm", libcurl looks it up (and
    // reads nothing), which fails when the name is free. A user name only
    // where the settings give one, as for the upload.
    return setzen(h, CURLOPT_CURLU, adresse.get()) && schutzEinstellen(h, FtpSchutz::Ssh)
        && (konto.FTPLogin.isEmpty() || setzen(h, CURLOPT_USERNAME, konto.FTPLogin.toUtf8().constData()))
        && setzen(h, CURLOPT_NOBODY, 1L) && setzen(h, CURLOPT_QUOTE, befehle.get())
        && setzen(h, CURLOPT_WRITEFUNCTION, &verwerfen)
        && setzen(h, CURLOPT_CONNECTTIMEOUT, static_cast<long>(grenzen.verbinden.count()))
        && setzen(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(grenzen.ohneDaten.count()))
        && setzen(h, CURLOPT_NOSIGNAL, 1L) && proxyEinstellen(h, konto);
}

// Keeps the login methods the server offers, as libcurl logs them.
int angebotMitlesen(CURL*, curl_infotype art, char* daten, size_t laenge, void* zeiger)
{
    const QByteArrayView zeile(daten, static_cast<qsizetype>(laenge));
    if (art != CURLINFO_TEXT)
        return 0;
    if (const std::optional<QByteArray> angebot = SftpZugang::anmeldeangebot(zeile))
        *static_cast<QByteArray*>(zeiger) = *angebot;
    return 0;
}

// Answers in which the server was reached and the login went through.
bool eingeloggt(CURLcode code)
{
    return code == CURLE_OK || code == CURLE_REMOTE_ACCESS_DENIED || code == CURLE_QUOTE_ERROR;
}
} // namespace

FtpLoeschergebnis sftpLoeschen(
    const Optionen& konto, const QString& entfernterName, QString& fehlerText, const FtpZeitgrenzen& grenzen)
{
    const FtpServerangabe server = ftpServerLesen(konto.FTPServer).value_or(FtpServerangabe());
    const CurlUrl adresse = ftpAdresse(server, entfernterName);
    CurlListe befehle;
    if (entfernterName.isEmpty() || hatSteuerzeichen(entfernterName)
        || !anhaengen(befehle, rmBefehl(entfernterName).constData())) {
        fehlerText = nichtGeloeschtFehler(entfernterName, konto.FTPServer);
        return FtpLoeschergebnis::Gescheitert;
    }
    fehlerText = loeschverbindungFehler(konto);
    if (!adresse || hatSteuerzeichen(konto.FTPLogin) || hatSteuerzeichen(konto.FTPPassword))
        return FtpLoeschergebnis::Gescheitert;
    // Every way in as for an upload, each only once the server's key is the known one.
    SftpZugang zugang(server, konto);
    QByteArray angebot;
    for (qsizetype anmeldung = 0; anmeldung < zugang.anmeldungen(); ++anmeldung) {
        const CurlHandle handle(curl_easy_init());
        if (!handle || !einstellen(handle.get(), konto, adresse, befehle, grenzen)
            || !zugang.einstellen(handle.get(), anmeldung) || !setzen(handle.get(), CURLOPT_VERBOSE, 1L)
            || !setzen(handle.get(), CURLOPT_DEBUGFUNCTION, &angebotMitlesen)
            || !setzen(handle.get(), CURLOPT_DEBUGDATA, &angebot))
            return FtpLoeschergebnis::Gescheitert;
        const CURLcode code = Hintergrundlauf().ausfuehren(handle.get());
        if (zugang.pruefung() == Schluesselpruefung::Geaendert)
            fehlerText = zugang.warnung();
        if (zugang.pruefung() != Schluesselpruefung::Bekannt)
            return FtpLoeschergebnis::Gescheitert;
        if (code == CURLE_REMOTE_FILE_NOT_FOUND)
            return FtpLoeschergebnis::Geloescht;
        if (eingeloggt(code))
            fehlerText = nichtGeloeschtFehler(entfernterName, konto.FTPServer);
        if (code != CURLE_LOGIN_DENIED)
            return FtpLoeschergebnis::Gescheitert;
    }
    // As for an upload: a password is asked for only where the server would take one.
    return konto.FTPPassword.isEmpty() && SftpZugang::nimmtPasswort(angebot) ? FtpLoeschergebnis::PasswortFehlt
                                                                             : FtpLoeschergebnis::Gescheitert;
}
