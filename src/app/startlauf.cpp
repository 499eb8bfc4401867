#include "app/startlauf.h"

#include "app/dateipruefung.h"
#include "app/dialoge.h"
#include "app/einstellungsfenster.h"
#include "app/instanzsperre.h"
#include "app/meldungstexte.h"
#include "app/parameter.h"
#include "links/nachupload.h"
#include "settings/einstellungen.h"
#include "statusfenster/statusanzeige.h"
#include "transfer/bilddatei.h"
#include "transfer/imagehost.h"
#include "transfer/uebertragung.h"

#include <QScopedValueRollback>

namespace {
constexpr qint64 groessenGrenze = 250000;
constexpr int versionMajor = FOTOSCHICKER_VERSION_MAJOR;
constexpr int versionMinor = FOTOSCHICKER_VERSION_MINOR;
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

Startlauf::Startlauf(Teile teile, QString argumentString, QString einzigeDatei)
    : m_teile(teile)
    , m_argumentString(std::move(argumentString))
    , m_einzigeDatei(std::move(einzigeDatei))
{
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

    Einstellungen einstellungen(m_optionen, m_teile.fenster, m_teile.speicher);
    Speicherfehler speicherfehler;
    const bool vollstaendig = einstellungen.einstellungenLaden(speicherfehler);
    if (speicherfehler)
        speicherfehlerMelden(speicherfehler);

    const bool woertlich = !m_einzigeDatei.isEmpty();
    const QString gegebenerName
        = woertlich ? m_einzigeDatei : parameterAuswerten(m_argumentString, m_optionen, dialoge);
    if (gegebenerName.isEmpty() && m_optionen.parameterModus)
        return Laufende::Fehlgeschlagen;

    m_teile.fenster.setTitel(fensterTitel(versionMajor, versionMinor));
    m_teile.fenster.verbergen();

    if (gegebenerName.isEmpty())
        return fensterZeigen(true);
    if (!vollstaendig)
        return fensterZeigen(false);

    // An image-host transfer uses no FTP credentials, so it needs no password.
    if (!m_optionen.useIS && m_optionen.FTPPassword.trimmed().isEmpty()) {
        const QString antwort = dialoge.passwortAbfragen(passwortAufforderung(m_optionen.FTPServer), passwortTitel());
        m_optionen.FTPPassword = antwort;
        if (antwort.isEmpty())
            return fensterZeigen(false);
    }
    return dateiSenden(gegebenerName, woertlich);
}

Laufende Startlauf::dateiSenden(const QString& gegebenerName, bool woertlich)
{
    using namespace Meldungstexte;
    Dialoge& dialoge = m_teile.dialoge;

    // Quotes around a path are dropped, but a name taken as written keeps
    // them: they are part of it, and dropping them would name another file.
    const Bilddatei datei = bilddateiAus(gegebenerName, woertlich);

    if (!dateiExistiert(datei.kurzerPfad)) {
        dialoge.meldung(dateiFehltText(datei.pfad), dateiFehltTitel(), Meldungsstil::Kritisch);
        return Laufende::Fehlgeschlagen;
    }

    const qint64 laenge = dateiLaenge(datei.kurzerPfad);
    if (m_optionen.useIS) {
        if (!hatBildEndung(datei.kurzerPfad) || laenge > groessenGrenze) {
            dialoge.meldung(zuGrossFuerBildhostText(laenge, imageHost()), anwendungstitel(), Meldungsstil::Keins);
            return Laufende::Fehlgeschlagen;
        }
    } else if (laenge > groessenGrenze) {
        if (!dialoge.meldung(sehrGrossText(laenge), sehrGrossTitel(), Meldungsstil::FrageJaNein))
            return Laufende::Abgebrochen;
    }

    FtpErgebnis ergebnis = FtpErgebnis::Gescheitert;
    QString link;
    if (m_optionen.useIS) {
        link = m_teile.uebertragung.bildhostUpload(datei, m_teile.status, m_fehlerText);
        if (!link.isEmpty())
            ergebnis = FtpErgebnis::Hochgeladen;
    } else {
        ergebnis = m_teile.uebertragung.ftpUpload(datei, m_optionen, m_teile.status, m_fehlerText);
    }

    if (ergebnis != FtpErgebnis::Hochgeladen) {
        // The user stopped it: that ends the run as quietly as "Nein" to the size question.
        if (m_teile.status.abbruchGewuenscht())
            return Laufende::Abgebrochen;
        if (ergebnis == FtpErgebnis::ZertifikatAbgelehnt)
            dialoge.meldung(m_fehlerText, zertifikatTitel(), Meldungsstil::Kritisch);
        else
            dialoge.meldung(Meldungstexte::fehlerText(m_fehlerText), fehlerTitel(), Meldungsstil::Kritisch);
        if (m_optionen.parameterModus)
            return Laufende::Fehlgeschlagen;
        return fensterZeigen(false);
    }

    if (!m_optionen.StatusfensterZeigen)
        dialoge.meldung(erfolgText(), erfolgTitel(), Meldungsstil::Information);
    m_link = m_teile.nachUpload.ausfuehren(link, datei, m_optionen);
    return Laufende::Hochgeladen;
}

Laufende Startlauf::fensterZeigen(bool ohneDatei)
{
    if (ohneDatei)
        m_teile.fenster.okAktivieren(false);
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
    if (Einstellungen(m_optionen, m_teile.fenster, m_teile.speicher).einstellungenUebernehmen(fehler))
        return true;
    speicherfehlerMelden(fehler);
    return false;
}
