#include "app/meldungstexte.h"

#include "text/textfunktionen.h"

#include <QLocale>

#include <cmath>

namespace Meldungstexte {

namespace {
const QString crlf = QStringLiteral("\r\n");
} // namespace

QString anwendungstitel()
{
    return QStringLiteral("Morva Fotoschicker");
}

QString fensterTitel(int major, int minor)
{
    return QStringLiteral("Morva Fotoschicker ") + QString::number(major) + u'.' + QString::number(minor)
        + QStringLiteral(" - Einstellungen");
}

QString bereitsGestartetText()
{
    return QStringLiteral("Morva Fotoschicker läuft bereits.") + crlf
        + QStringLiteral("Bitte warten Sie bis der vorherige Vorgang abgeschlossen ist");
}

QString bereitsGestartetTitel()
{
    return QStringLiteral("Morva Fotoschicker schon gestartet");
}

QString passwortAufforderung(const QString& ftpServer)
{
    return QStringLiteral("Sie haben kein Passwort hinterlegt.") + crlf
        + QStringLiteral("Bitte geben Sie Ihr Passwort für den Zugang zu \"") + ftpServer
        + QStringLiteral("\" jetzt ein:");
}

QString passwortTitel()
{
    return QStringLiteral("Passwort eingeben");
}

QString dateiFehltText(const QString& quoteFreeName)
{
    return QStringLiteral("Die angegebene Datei (\"") + quoteFreeName
        + QStringLiteral("\") existiert nicht, ist ein Verzeichnis oder es sind mehrere Dateien markiert gewesen!");
}

QString dateiFehltTitel()
{
    return QStringLiteral("Datei existiert nicht");
}

QString zuGrossFuerBildhostText(qint64 laenge, const QString& imageHost)
{
    return QStringLiteral("Die Datei ist mit ") + groessenangabe(laenge) + QStringLiteral(" MB zu groß für ")
        + imageHost + QStringLiteral(", oder es handelt sich nicht um ein gültiges Bild (jpg, gif, png)");
}

QString sehrGrossText(qint64 laenge)
{
    return QStringLiteral("Die angegebene Datei ist mit ") + groessenangabe(laenge) + QStringLiteral(" MB sehr groß.")
        + crlf + QStringLiteral("Wollen Sie die Datei wirklich übertragen?");
}

QString sehrGrossTitel()
{
    return QStringLiteral("Datei sicher übertragen?");
}

QString erfolgText()
{
    return QStringLiteral("Datei erfolgreich übertragen!");
}

QString erfolgTitel()
{
    return QStringLiteral("Datei übertragen");
}

QString fehlerText(const QString& detail)
{
    return QStringLiteral("Die Datei konnte nicht erfolgreich übertragen werden!") + crlf + detail;
}

QString verlaufTitel()
{
    return QStringLiteral("Verlauf");
}

QString fehlerTitel()
{
    return QStringLiteral("Fehler bei Dateiübertragung");
}

QString bildzeile(int nummer, int anzahl, const QString& name)
{
    return QStringLiteral("Bild ") + QString::number(nummer) + QStringLiteral(" von ") + QString::number(anzahl)
        + QStringLiteral(": ") + name;
}

QString mehrereSehrGrossText(int anzahl, qint64 grenze)
{
    return QString::number(anzahl)
        + (anzahl == 1 ? QStringLiteral(" Datei ist größer als ") : QStringLiteral(" Dateien sind größer als "))
        + QString::number(grenze) + QStringLiteral(" Bytes. Trotzdem übertragen?");
}

QString nichtUebertragenText(int gesamt, const QStringList& fehlschlaege)
{
    const qsizetype anzahl = fehlschlaege.size();
    return QString::number(anzahl) + QStringLiteral(" von ") + QString::number(gesamt)
        + (anzahl == 1 ? QStringLiteral(" Dateien wurde nicht übertragen:")
                       : QStringLiteral(" Dateien wurden nicht übertragen:"))
        + crlf + crlf + fehlschlaege.join(crlf);
}

QString nichtUebertragenTitel()
{
    return QStringLiteral("Nicht alle Dateien übertragen");
}

QString fehlschlagZeile(const QString& pfad, const QString& grund)
{
    return u'„' + pfad + QStringLiteral("“: ") + grund;
}

QString dateiFehltGrund()
{
    return QStringLiteral("Die Datei existiert nicht oder ist ein Verzeichnis.");
}

QString nichtLesbarGrund()
{
    return QStringLiteral("Die Datei kann nicht gelesen werden.");
}

QString nichtGesendetGrund()
{
    return QStringLiteral("Nicht gesendet, die Übertragung wurde abgebrochen.");
}

QString speicherNichtLesbarText(const QString& ort, const QString& grund)
{
    return QStringLiteral("Die Einstellungen konnten nicht aus „") + ort + QStringLiteral("“ gelesen werden: ")
        + alsSatz(grund) + crlf
        + QStringLiteral("Die Datei bleibt unverändert; bis sie lesbar ist, startet das Programm ")
        + QStringLiteral("ohne die gespeicherten Einstellungen.");
}

QString speicherNichtLesbarTitel()
{
    return QStringLiteral("Einstellungen nicht lesbar");
}

QString speicherNichtGeschriebenText(const QString& ort, const QString& grund)
{
    return QStringLiteral("Die Einstellungen konnten nicht in „") + ort + QStringLiteral("“ gespeichert werden: ")
        + alsSatz(grund);
}

QString speicherNichtGeschriebenTitel()
{
    return QStringLiteral("Einstellungen nicht gespeichert");
}

QString schluesselbundZeitText()
{
    return QStringLiteral("Der Schlüsselbund hat nicht innerhalb von 5 Sekunden geantwortet.\r\n"
                          "Bis zum nächsten Start wird das Passwort wie ohne Schlüsselbund behandelt: "
                          "in der Einstellungsdatei gespeichert oder beim Senden abgefragt.");
}

QString schluesselbundZeitTitel()
{
    return QStringLiteral("Schlüsselbund antwortet nicht");
}

QString zertifikatTitel()
{
    return QStringLiteral("Zertifikat nicht vertrauenswürdig");
}

QString unbekannterServerTitel()
{
    return QStringLiteral("Unbekannter Server");
}

QString schluesselGeaendertTitel()
{
    return QStringLiteral("Serverschlüssel geändert");
}

QString rsaSchluesselTitel()
{
    return QStringLiteral("RSA-Schlüssel abgelehnt");
}

QString vertrauenNichtGespeichertText(const QString& grund)
{
    return QStringLiteral("Der Schlüssel des Servers konnte nicht gespeichert werden: ") + alsSatz(grund);
}

QString restGebliebenText(const QString& entfernterName, const QString& ftpServer)
{
    return QStringLiteral("Die Übertragung wurde abgebrochen, aber die Datei „") + entfernterName
        + QStringLiteral("“ konnte nicht von ") + ftpServer
        + QStringLiteral(" entfernt werden. Bitte löschen Sie sie dort selbst.");
}

QString restGebliebenTitel()
{
    return QStringLiteral("Datei nicht entfernt");
}

QString groessenangabe(qint64 laenge)
{
    if (laenge >= (qint64(1) << 31))
        return QStringLiteral("über 2000");
    const double mib = std::floor(double(laenge) / 1024.0 / 1024.0 * 1000.0) / 1000.0;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    // Shortest form: no trailing zeros, the user's decimal separator.
    return locale.toString(mib, 'g', QLocale::FloatingPointShortest);
}

} // namespace Meldungstexte
