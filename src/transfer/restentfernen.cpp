#include "transfer/restentfernen.h"

#include "statusfenster/statusanzeige.h"
#include "transfer/curlsetzen.h"
#include "transfer/curlzeiger.h"
#include "transfer/ftpschutz.h"
#include "transfer/ftpshochladen.h"
#include "transfer/hintergrundlauf.h"
#include "transfer/sftploeschen.h"

#include <algorithm>

namespace {
// The answer to DELE, read from the dialogue as the login is.
struct Loeschung {
    QByteArray letzterBefehl;
    bool geloescht = false;
};

int loeschungMitlesen(CURL*, curl_infotype art, char* daten, size_t laenge, void* zeiger)
{
    auto& loeschung = *static_cast<Loeschung*>(zeiger);
    const QByteArrayView zeile(daten, static_cast<qsizetype>(laenge));
    if (art == CURLINFO_HEADER_OUT)
        loeschung.letzterBefehl = zeile.first(std::min<qsizetype>(zeile.size(), 5)).toByteArray();
    else if (art == CURLINFO_HEADER_IN && loeschung.letzterBefehl == "DELE " && zeile.startsWith('2'))
        loeschung.geloescht = true;
    return 0;
}

// After a cancel, whatever reached an FTP or FTPS server under the picture's
// name goes, part or whole, over a connection of its own: the upload's is gone
// with the cancel. True when the name is free on the server afterwards, also when
// nothing had arrived: then DELE fails and the SIZE that libcurl asks for a
// body-less transfer says the file does not exist.
bool ftpRestEntfernen(const Auftrag& auftrag)
{
    const QString& entfernterName = auftrag.entfernterName;
    const CurlHandle handle(curl_easy_init());
    CurlListe befehle;
    Loeschung loeschung;
    Hintergrundlauf lauf;
    const QByteArray dele = QByteArrayLiteral("*DELE ") + entfernterName.toUtf8();
    // As trusted as the upload was: a certificate the user trusted passes on its key.
    const QByteArray nadel = vertrauteNadel(auftrag.server);
    if (!handle || hatSteuerzeichen(entfernterName)
        || !verbindungEinstellen(handle.get(), auftrag.optionen, auftrag.adresse, auftrag.server.schutz)
        || (!nadel.isEmpty() && !nadelEinstellen(handle.get(), nadel))
        || !setzen(handle.get(), CURLOPT_CONNECTTIMEOUT, static_cast<long>(auftrag.grenzen.verbinden.count()))
        || !setzen(handle.get(), CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(auftrag.grenzen.ohneDaten.count()))
        || !setzen(handle.get(), CURLOPT_NOSIGNAL, 1L) || !setzen(handle.get(), CURLOPT_NOBODY, 1L)
        || !setzen(handle.get(), CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD))
        || !anhaengen(befehle, dele.constData()) || !setzen(handle.get(), CURLOPT_QUOTE, befehle.get())
        || !setzen(handle.get(), CURLOPT_VERBOSE, 1L)
        || !setzen(handle.get(), CURLOPT_DEBUGFUNCTION, &loeschungMitlesen)
        || !setzen(handle.get(), CURLOPT_DEBUGDATA, &loeschung))
        return false;
    const CURLcode code = lauf.ausfuehren(handle.get());
    return loeschung.geloescht || code == CURLE_REMOTE_FILE_NOT_FOUND;
}
} // namespace

bool vorDerAnmeldung(FtpErgebnis ergebnis)
{
    return ergebnis == FtpErgebnis::Abgebrochen || ergebnis == FtpErgebnis::Rueckfrage
        || ergebnis == FtpErgebnis::SchluesselGeaendert || ergebnis == FtpErgebnis::ZertifikatAbgelehnt
        || ergebnis == FtpErgebnis::PasswortFehlt || ergebnis == FtpErgebnis::RsaSchluessel;
}

FtpErgebnis restEntfernen(const Auftrag& auftrag, QString& fehlerText)
{
    auftrag.status.status(QStringLiteral("Abgebrochen, entferne die Datei vom Server …"));
    QString nichtGezeigt;
    const bool entfernt = auftrag.server.schutz == FtpSchutz::Ssh
        ? sftpLoeschen(auftrag.optionen, auftrag.entfernterName, nichtGezeigt, auftrag.grenzen)
            == FtpLoeschergebnis::Geloescht
        : ftpRestEntfernen(auftrag);
    if (entfernt)
        return FtpErgebnis::Abgebrochen;
    fehlerText = auftrag.entfernterName;
    return FtpErgebnis::RestGeblieben;
}
