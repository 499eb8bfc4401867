#include "app/startlauf.h"

#include "app/dateipruefung.h"
#include "app/dialoge.h"
#include "app/einstellungsfenster.h"
#include "app/instanzsperre.h"
#include "app/meldungstexte.h"
#include "app/parameter.h"
#include "links/benachrichtigung.h"
#include "links/nachupload.h"
#include "settings/einstellungen.h"
#include "statusfenster/statusanzeige.h"
#include "transfer/bilddatei.h"
#include "transfer/bildhostwahl.h"
#include "transfer/ftpadresse.h"
#include "transfer/uebertragung.h"
#include "verlauf/uploadeintrag.h"
#include "verlauf/verlaufsaufnahme.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <utility>

namespace {
constexpr qint64 groessenGrenze = 250000;
constexpr int versionMajor = FOTOSCHICKER_VERSION_MAJOR;
constexpr int versionMinor = FOTOSCHICKER_VERSION_MINOR;

bool mitSftp(const Optionen& optionen)
{
    const std::optional<FtpServerangabe> server = ftpServerLesen(optionen.FTPServer);
    return server && server->schutz == FtpSchutz::Ssh;
}
} // namespace

int exitStatus(Laufende ende)
{
    switch (ende) {
    case Laufende::Hochgeladen:
    case Laufende::FensterOffen:
        return 0;
    case Laufende::Fehlgeschlagen:
        return 1;
    case Laufende::Abgebrochen:
        return 2;
    }
    return 1;
}

Startlauf::Startlauf(Teile teile, QString argumentString, QStringList dateien)
    : m_teile(teile)
    , m_argumentString(std::move(argumentString))
    , m_dateien(std::move(dateien))
    , m_passwortablage(teile.schluesselbund)
{
}

void Startlauf::beiJedemLink(std::function<void(const QString&)> melden)
{
    m_linkMelden = std::move(melden);
}

void Startlauf::vorbereiten()
{
    if (m_teile.verlauf)
        m_teile.verlauf->vorbereiten();
}

Laufende Startlauf::ausfuehren()
{
    const QScopedValueRollback wache(m_laeuft, true);
    return durchlauf();
}

Laufende Startlauf::durchlauf()
{
    using namespace Meldungstexte;
    Dialoge& dialoge = m_teile.dialoge;

    if (m_teile.sperre.andereInstanzLaeuft()) {
        dialoge.meldung(bereitsGestartetText(), bereitsGestartetTitel(), Meldungsstil::Ausrufezeichen);
        return Laufende::Fehlgeschlagen;
    }

    m_fehlerText.clear();
    m_link.clear();
    m_optionen.parameterModus = false;
    m_optionen.passwortAusParameter = false;

    Einstellungen einstellungen(m_optionen, m_teile.fenster, m_teile.speicher, &m_passwortablage);
    Speicherfehler speicherfehler;
    const bool vollstaendig = einstellungen.einstellungenLaden(speicherfehler);
    if (speicherfehler)
        speicherfehlerMelden(speicherfehler);
    schluesselbundMelden();

    const QString gespeicherterServer = m_optionen.FTPServer;
    const QString gespeicherterLogin = m_optionen.FTPLogin;
    const bool woertlich = !m_dateien.isEmpty();
    const QString gegebenerName
        = woertlich ? m_dateien.constFirst() : parameterAuswerten(m_argumentString, m_optionen, dialoge);
    if (gegebenerName.isEmpty() && m_optionen.parameterModus)
        return Laufende::Fehlgeschlagen;

    // The stored password belongs to the stored account: for another server
    // or login it is that account's own from the keyring, or asked for below.
    const bool anderesKonto = m_optionen.FTPServer != gespeicherterServer || m_optionen.FTPLogin != gespeicherterLogin;
    if (!m_optionen.useIS && anderesKonto && !m_optionen.passwortAusParameter) {
        m_optionen.FTPPassword = m_passwortablage.nachschlagen(m_optionen.FTPLogin, m_optionen.FTPServer);
        schluesselbundMelden();
    }

    m_teile.fenster.setTitel(fensterTitel(versionMajor, versionMinor));
    m_teile.fenster.setBildhost(bildhost(m_optionen));
    m_teile.fenster.verbergen();

    if (gegebenerName.isEmpty())
        return fensterZeigen(true);
    if (!vollstaendig)
        return fensterZeigen(false);

    // An image-host transfer uses no FTP credentials, so it needs no password;
    // SFTP asks only when the server wants one, as a key may let the user in.
    if (!m_optionen.useIS && !mitSftp(m_optionen) && m_optionen.FTPPassword.trimmed().isEmpty()) {
        const QString antwort = dialoge.passwortAbfragen(passwortAufforderung(m_optionen.FTPServer), passwortTitel());
        m_optionen.FTPPassword = antwort;
        if (antwort.isEmpty())
            return fensterZeigen(false);
    }
    if (m_dateien.size() > 1)
        return dateienSenden();
    return dateiSenden(gegebenerName, woertlich);
}

Laufende Startlauf::dateiSenden(const QString& gegebenerName, bool woertlich)
{
    using namespace Meldungstexte;
    Dialoge& dialoge = m_teile.dialoge;

    // Quotes around a path are dropped, but a name taken as written keeps
    // them: they are part of it, and dropping them would name another file.
    const Bilddatei datei = bilddateiAus(gegebenerName, woertlich);

    switch (hindernis(datei)) {
    case Hindernis::Fehlt:
        dialoge.meldung(dateiFehltText(datei.pfad), dateiFehltTitel(), Meldungsstil::Kritisch);
        return Laufende::Fehlgeschlagen;
    case Hindernis::NichtFuerBildhost:
        dialoge.meldung(zuGrossFuerBildhostText(dateiLaenge(datei.kurzerPfad), bildhost(m_optionen)), anwendungstitel(),
            Meldungsstil::Keins);
        return Laufende::Fehlgeschlagen;
    case Hindernis::Keins:
        break;
    }
    const qint64 laenge = dateiLaenge(datei.kurzerPfad);
    if (!m_optionen.useIS && laenge > groessenGrenze
        && !dialoge.meldung(sehrGrossText(laenge), sehrGrossTitel(), Meldungsstil::FrageJaNein))
        return Laufende::Abgebrochen;

    QString link;
    std::optional<Laufende> ende;
    const FtpErgebnis ergebnis = hochladen(datei, link, ende);
    // No password given: back to the settings, as when it is asked before the upload.
    if (ende)
        return *ende == Laufende::FensterOffen ? fensterZeigen(false) : *ende;
    if (ergebnis != FtpErgebnis::Hochgeladen) {
        if (ergebnis == FtpErgebnis::RestGeblieben)
            dialoge.meldung(restGebliebenText(m_fehlerText, m_optionen.FTPServer), restGebliebenTitel(),
                Meldungsstil::Ausrufezeichen);
        // The user stopped it: that ends the run as quietly as "Nein" to the size question.
        if (ergebnis == FtpErgebnis::Abgebrochen || ergebnis == FtpErgebnis::RestGeblieben
            || m_teile.status.abbruchGewuenscht())
            return Laufende::Abgebrochen;
        if (ergebnis == FtpErgebnis::ZertifikatAbgelehnt
            || (ergebnis == FtpErgebnis::SchluesselGeaendert && !mitSftp(m_optionen)))
            dialoge.meldung(m_fehlerText, zertifikatTitel(), Meldungsstil::Kritisch);
        else if (ergebnis == FtpErgebnis::SchluesselGeaendert)
            dialoge.meldung(m_fehlerText, schluesselGeaendertTitel(), Meldungsstil::Kritisch);
        else if (ergebnis == FtpErgebnis::RsaSchluessel)
            dialoge.meldung(m_fehlerText, rsaSchluesselTitel(), Meldungsstil::Ausrufezeichen);
        else
            dialoge.meldung(Meldungstexte::fehlerText(m_fehlerText), fehlerTitel(), Meldungsstil::Kritisch);
        if (m_optionen.parameterModus)
            return Laufende::Fehlgeschlagen;
        return fensterZeigen(false);
    }
    // The link is in the clipboard while the box says the picture is up, as after several pictures:
    // pasted before "OK", the last upload's link would go out in its place.
    linkWeitergeben(link, datei);
    if (!m_optionen.StatusfensterZeigen)
        dialoge.meldung(erfolgText(), erfolgTitel(), Meldungsstil::Information);
    benachrichtigen();
    return Laufende::Hochgeladen;
}

Laufende Startlauf::dateienSenden()
{
    using namespace Meldungstexte;
    QList<Bilddatei> dateien;
    for (const QString& name : std::as_const(m_dateien))
        dateien.append(bilddateiAus(name, true));

    QStringList fehlschlaege;
    const auto festhalten = [&fehlschlaege](const Bilddatei& datei, const QString& grund) {
        fehlschlaege.append(fehlschlagZeile(datei.pfad, grund));
    };

    // One question for all of them, before the first goes: asked in between,
    // it would hold the run up until the user comes back to answer it.
    bool abgebrochen = false;
    if (!m_optionen.useIS) {
        const auto grosse = std::count_if(dateien.cbegin(), dateien.cend(),
            [](const Bilddatei& datei) { return dateiLaenge(datei.kurzerPfad) > groessenGrenze; });
        abgebrochen = grosse > 0
            && !m_teile.dialoge.meldung(
                mehrereSehrGrossText(int(grosse), groessenGrenze), sehrGrossTitel(), Meldungsstil::FrageJaNein);
    }

    for (qsizetype i = 0; i < dateien.size(); ++i) {
        const Bilddatei& datei = dateien[i];
        // A click that came as the last picture finished stops the rest as well.
        abgebrochen = abgebrochen || m_teile.status.abbruchGewuenscht();
        if (abgebrochen) {
            festhalten(datei, nichtGesendetGrund());
            continue;
        }
        m_teile.status.bildzeile(bildzeile(int(i + 1), int(dateien.size()), datei.langerName));
        const Hindernis vorab = hindernis(datei);
        if (vorab == Hindernis::Fehlt) {
            festhalten(datei, dateiFehltGrund());
            continue;
        }
        if (vorab == Hindernis::NichtFuerBildhost) {
            festhalten(datei, zuGrossFuerBildhostText(dateiLaenge(datei.kurzerPfad), bildhost(m_optionen)));
            continue;
        }
        // Sent anyway, it would fail as if the server had refused it; the list must say whose fault it is.
        if (!dateiLesbar(datei.kurzerPfad)) {
            festhalten(datei, nichtLesbarGrund());
            continue;
        }
        m_fehlerText.clear();
        QString link;
        std::optional<Laufende> ende;
        const FtpErgebnis ergebnis = hochladen(datei, link, ende);
        if (ergebnis == FtpErgebnis::Hochgeladen) {
            linkWeitergeben(link, datei);
            continue;
        }
        // "Nein" to trusting the server, no password given, or the user stopped it: none of the rest could go either.
        abgebrochen = ende.has_value() || m_teile.status.abbruchGewuenscht() || ergebnis == FtpErgebnis::Abgebrochen
            || ergebnis == FtpErgebnis::RestGeblieben;
        if (ergebnis == FtpErgebnis::RestGeblieben)
            festhalten(datei, restGebliebenText(m_fehlerText, m_optionen.FTPServer));
        else
            festhalten(datei, abgebrochen ? nichtGesendetGrund() : m_fehlerText);
    }
    m_teile.status.bildzeile(QString());
    // Before the box: what did go up is in the clipboard while the user reads what did not.
    benachrichtigen();

    if (!fehlschlaege.isEmpty())
        m_teile.dialoge.meldung(nichtUebertragenText(int(dateien.size()), fehlschlaege), nichtUebertragenTitel(),
            abgebrochen ? Meldungsstil::Ausrufezeichen : Meldungsstil::Kritisch);
    // Once for the whole list: a box after each picture would hold the next one up until it is answered.
    else if (!m_optionen.StatusfensterZeigen)
        m_teile.dialoge.meldung(erfolgText(), erfolgTitel(), Meldungsstil::Information);
    if (abgebrochen)
        return Laufende::Abgebrochen;
    return fehlschlaege.isEmpty() ? Laufende::Hochgeladen : Laufende::Fehlgeschlagen;
}

Startlauf::Hindernis Startlauf::hindernis(const Bilddatei& datei) const
{
    if (!dateiExistiert(datei.kurzerPfad))
        return Hindernis::Fehlt;
    if (m_optionen.useIS && (!hatBildEndung(datei.kurzerPfad) || dateiLaenge(datei.kurzerPfad) > groessenGrenze))
        return Hindernis::NichtFuerBildhost;
    return Hindernis::Keins;
}

FtpErgebnis Startlauf::hochladen(const Bilddatei& datei, QString& link, std::optional<Laufende>& ende)
{
    // What the clipboard and the history will need starts alongside the transfer.
    m_teile.nachUpload.vorbereiten(datei, m_optionen);
    if (m_teile.verlauf)
        m_teile.verlauf->vorbereiten();
    if (!m_optionen.useIS)
        return ftpHochladen(datei, ende);
    link = m_teile.uebertragung.bildhostUpload(datei, m_optionen, m_teile.status, m_fehlerText);
    return link.isEmpty() ? FtpErgebnis::Gescheitert : FtpErgebnis::Hochgeladen;
}

// The upload with the questions it may raise on the way: whether to trust a
// server not known yet, and the password a server asked for. Each is asked at
// most once an upload. ende is set when an answer ends the run: Abgebrochen
// for "Nein", FensterOffen for a password prompt left empty.
FtpErgebnis Startlauf::ftpHochladen(const Bilddatei& datei, std::optional<Laufende>& ende)
{
    using namespace Meldungstexte;
    Dialoge& dialoge = m_teile.dialoge;
    bool vertrauenGefragt = false;
    bool passwortGefragt = false;
    for (;;) {
        const FtpErgebnis ergebnis = m_teile.uebertragung.ftpUpload(datei, m_optionen, m_teile.status, m_fehlerText);
        if (ergebnis == FtpErgebnis::Rueckfrage && !vertrauenGefragt) {
            vertrauenGefragt = true;
            const QString titel = mitSftp(m_optionen) ? unbekannterServerTitel() : zertifikatTitel();
            if (!dialoge.meldung(m_fehlerText, titel, Meldungsstil::FrageJaNein)) {
                ende = Laufende::Abgebrochen;
                return ergebnis;
            }
            if (QString grund; !m_teile.uebertragung.vertrauen(grund)) {
                m_fehlerText = vertrauenNichtGespeichertText(grund);
                return FtpErgebnis::Gescheitert;
            }
        } else if (ergebnis == FtpErgebnis::PasswortFehlt && !passwortGefragt) {
            passwortGefragt = true;
            const QString antwort
                = dialoge.passwortAbfragen(passwortAufforderung(m_optionen.FTPServer), passwortTitel());
            if (antwort.isEmpty()) {
                ende = Laufende::FensterOffen;
                return ergebnis;
            }
            m_optionen.FTPPassword = antwort;
        } else {
            return ergebnis;
        }
    }
}

void Startlauf::linkWeitergeben(const QString& link, const Bilddatei& datei)
{
    m_link = m_teile.nachUpload.ausfuehren(link, datei, m_optionen);
    if (!m_link.isEmpty() && m_linkMelden)
        m_linkMelden(m_link);
    if (m_teile.verlauf) {
        // The picture is up whatever the history says: a row that could not be written is told, not a failure.
        const QString schluessel = m_optionen.useIS ? m_teile.uebertragung.loeschschluessel() : QString();
        // The thumbnail is made only now: decoded during the transfer, it took a core of two from the
        // transfer, the server and the display, and the link waited for them.
        const QString hinweis = m_teile.verlauf->eintragen(
            uploadEintrag(datei, m_optionen, m_link, schluessel, vorschaubild(datei.kurzerPfad)));
        if (!hinweis.isEmpty())
            m_teile.dialoge.meldung(hinweis, Meldungstexte::verlaufTitel(), Meldungsstil::Ausrufezeichen);
    }
    m_gesendet = true;
    if (!m_link.isEmpty())
        m_gesendeteLinks.append(m_link);
}

// One notification for the whole run: one per picture would pile up on the desktop.
void Startlauf::benachrichtigen()
{
    const QStringList links = std::exchange(m_gesendeteLinks, {});
    // Without the status window the success box says it.
    if (std::exchange(m_gesendet, false) && m_optionen.StatusfensterZeigen && m_teile.benachrichtigung) {
        const bool kopiert = !links.isEmpty()
            && (m_optionen.LinkOption == Zwischenablageinhalt::Adresse
                || m_optionen.LinkOption == Zwischenablageinhalt::HtmlCode);
        m_teile.benachrichtigung->hochgeladen(links, kopiert);
    }
}

Laufende Startlauf::fensterZeigen(bool ohneDatei)
{
    if (ohneDatei)
        m_teile.fenster.okAktivieren(false);
    m_teile.fenster.passwortHinweisZeigen(!m_passwortablage.vorhanden());
    m_teile.fenster.zeigen();
    return Laufende::FensterOffen;
}

void Startlauf::speicherfehlerMelden(const Speicherfehler& fehler)
{
    using namespace Meldungstexte;
    if (fehler.art == Speicherfehler::Art::Lesen)
        m_teile.dialoge.meldung(
            speicherNichtLesbarText(fehler.ort, fehler.grund), speicherNichtLesbarTitel(), Meldungsstil::Kritisch);
    else
        m_teile.dialoge.meldung(speicherNichtGeschriebenText(fehler.ort, fehler.grund), speicherNichtGeschriebenTitel(),
            Meldungsstil::Kritisch);
}

void Startlauf::schluesselbundMelden()
{
    if (m_passwortablage.fristAbgelaufen())
        m_teile.dialoge.meldung(Meldungstexte::schluesselbundZeitText(), Meldungstexte::schluesselbundZeitTitel(),
            Meldungsstil::Ausrufezeichen);
}

bool Startlauf::uebernehmenGeklickt()
{
    if (m_laeuft)
        return false;
    const QScopedValueRollback wache(m_laeuft, true);
    return anwenden();
}

Laufende Startlauf::okGeklickt()
{
    if (m_laeuft)
        return Laufende::FensterOffen;
    const QScopedValueRollback wache(m_laeuft, true);
    // The run would load the store into the window again: what was typed would be gone.
    if (!anwenden())
        return Laufende::FensterOffen;
    return durchlauf();
}

bool Startlauf::anwenden()
{
    Speicherfehler fehler;
    const bool gespeichert = Einstellungen(m_optionen, m_teile.fenster, m_teile.speicher, &m_passwortablage)
                                 .einstellungenUebernehmen(fehler);
    schluesselbundMelden();
    m_teile.fenster.passwortHinweisZeigen(!m_passwortablage.vorhanden());
    if (!gespeichert)
        speicherfehlerMelden(fehler);
    return gespeichert;
}
