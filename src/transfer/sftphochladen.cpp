#include "transfer/sftphochladen.h"

#include "settings/optionen.h"
#include "statusfenster/statusanzeige.h"
#include "transfer/sftpzugang.h"

FtpErgebnis sftpHochladen(const Auftrag& auftrag, QString& fehlerText, Vertrauensfrage* frage)
{
    SftpZugang zugang(auftrag.server, auftrag.optionen);
    Durchgang durchgang;
    for (qsizetype anmeldung = 0; anmeldung < zugang.anmeldungen(); ++anmeldung) {
        durchgang = ftpVerbinden(auftrag, &zugang, anmeldung, fehlerText);
        if (zugang.pruefung() == Schluesselpruefung::Unbekannt) {
            fehlerText = zugang.frage();
            if (frage)
                *frage = zugang.vertrauensfrage();
            return FtpErgebnis::Rueckfrage;
        }
        if (zugang.pruefung() == Schluesselpruefung::Geaendert) {
            fehlerText = zugang.warnung();
            return FtpErgebnis::SchluesselGeaendert;
        }
        if (durchgang.code != CURLE_LOGIN_DENIED || durchgang.eingeloggt || auftrag.status.abbruchGewuenscht())
            return durchgang.ergebnis;
    }
    if (auftrag.optionen.FTPPassword.isEmpty() && SftpZugang::nimmtPasswort(durchgang.anmeldeangebot))
        return FtpErgebnis::PasswortFehlt;
    if (zugang.mitRsaSchluessel()) {
        fehlerText = SftpZugang::rsaHinweis();
        return FtpErgebnis::RsaSchluessel;
    }
    return durchgang.ergebnis;
}
