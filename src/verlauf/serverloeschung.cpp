#include "verlauf/serverloeschung.h"

#include "app/dialoge.h"
#include "app/meldungstexte.h"
#include "settings/einstellungsspeicher.h"
#include "settings/einstellungstabelle.h"
#include "settings/passwortablage.h"
#include "transfer/bildhostloeschen.h"
#include "transfer/ftploeschen.h"
#include "verlauf/verlaufseintrag.h"

namespace {
bool istBildhost(const Verlaufseintrag& eintrag)
{
    return eintrag.modus == u"Bildhost";
}

// The stored settings as a run would read them, without a window in between.
Optionen gespeicherteOptionen(const Einstellungsspeicher& speicher)
{
    QStringList schluessel;
    for (const Einstellung& einstellung : einstellungstabelle())
        schluessel.append(einstellung.schluessel);
    QString lesefehler;
    const QHash<QString, QString> gelesen = speicher.lesen(schluessel, lesefehler);
    Optionen optionen;
    for (const Einstellung& einstellung : einstellungstabelle()) {
        const QString wert = gelesen.value(einstellung.schluessel);
        if (const auto* text = std::get_if<Texteinstellung>(&einstellung.art)) {
            optionen.*(text->feld) = wert;
        } else if (const auto* haken = std::get_if<Hakeneinstellung>(&einstellung.art)) {
            optionen.*(haken->feld) = haken->regel == Wortregel::NurWahrHaktAn ? wert == u"Wahr" : wert != u"Falsch";
        }
    }
    return optionen;
}
} // namespace

bool loeschbar(const Verlaufseintrag& eintrag)
{
    if (eintrag.geloescht.isValid() || eintrag.entfernterPfad.isEmpty())
        return false;
    if (istBildhost(eintrag))
        return !eintrag.loeschschluessel.isEmpty();
    return eintrag.modus == u"FTP" || eintrag.modus == u"FTPES" || eintrag.modus == u"FTPS" || eintrag.modus == u"SFTP";
}

Loeschergebnis vomServerLoeschen(const Verlaufseintrag& eintrag, const Einstellungsspeicher& speicher,
    Passwortablage& passwoerter, Dialoge& dialoge, QString& fehlerText)
{
    if (istBildhost(eintrag))
        return bildhostLoeschen(eintrag.server, eintrag.entfernterPfad, eintrag.loeschschluessel, fehlerText)
            ? Loeschergebnis::Geloescht
            : Loeschergebnis::Gescheitert;

    const Optionen gespeichert = gespeicherteOptionen(speicher);
    Optionen konto = gespeichert;
    konto.FTPServer = eintrag.server;
    konto.FTPLogin = eintrag.benutzer;
    // The file's password belongs to the account the file names; the keyring keeps each account's own.
    const bool eigenesKonto = gespeichert.FTPServer == eintrag.server && gespeichert.FTPLogin == eintrag.benutzer;
    konto.FTPPassword
        = passwoerter.laden(eintrag.benutzer, eintrag.server, eigenesKonto ? gespeichert.FTPPassword : QString());
    const auto passwortFragen = [&] {
        konto.FTPPassword = dialoge.passwortAbfragen(
            Meldungstexte::passwortAufforderung(eintrag.server), Meldungstexte::passwortTitel());
        return !konto.FTPPassword.isEmpty();
    };
    // SFTP logs in by agent or key first, as an upload does, and asks only once those were refused.
    const bool sftp = eintrag.modus == u"SFTP";
    if (!sftp && konto.FTPPassword.trimmed().isEmpty() && !passwortFragen())
        return Loeschergebnis::Abgebrochen;
    FtpLoeschergebnis ergebnis = ftpLoeschen(konto, eintrag.entfernterPfad, fehlerText);
    if (ergebnis == FtpLoeschergebnis::PasswortFehlt) {
        if (!passwortFragen())
            return Loeschergebnis::Abgebrochen;
        ergebnis = ftpLoeschen(konto, eintrag.entfernterPfad, fehlerText);
    }
    return ergebnis == FtpLoeschergebnis::Geloescht ? Loeschergebnis::Geloescht : Loeschergebnis::Gescheitert;
}
