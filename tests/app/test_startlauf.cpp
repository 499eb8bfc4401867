#include "app/lockdatei.h"
#include "app/meldungstexte.h"
#include "app/startlauf.h"
#include "laufattrappen.h"
#include "settings/einstellungsspeicher.h"
#include "testumgebung.h"
#include "transfer/imagehost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

// The start-up run with scripted answers: which box it shows, with which text,
// and where it ends.
class TestStartlauf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init();
    void groessenangabe_data();
    void groessenangabe();
    void zweiteInstanz();
    void instanzsperre();
    void ohneDatei();
    void unvollstaendigeEinstellungen();
    void passwortAbfrage();
    void passwortAbgebrochen();
    void bildhostOhnePasswort();
    void dateiFehlt_data();
    void dateiFehlt();
    void bildhostPrueftEndungUndGroesse_data();
    void bildhostPrueftEndungUndGroesse();
    void grosseDateiFrage();
    void riesigeDatei();
    void erfolg();
    void erfolgOhneStatusfenster();
    void fehlschlagZeigtFenster();
    void abbruchEndetWieNein_data();
    void abbruchEndetWieNein();
    void restNachAbbruchWirdGenannt();
    void bildhostAusDemSpeicher();
    void zertifikatHatEigeneMeldung_data();
    void zertifikatHatEigeneMeldung();
    void okWiederholtLauf();
    void speicherNichtNutzbarBehaeltEingaben();
    void mehrereNacheinander_data();
    void mehrereNacheinander();
    void mehrereOhneStatusfensterEinErfolgskasten();
    void mehrereFehlschlaegeInEinemKasten();
    void mehrereGrosseEineFrage();
    void mehrereAbbruchNenntUngesendete();

private:
    Laufende starten(const QString& argumente, const QStringList& dateien = {});
    void ftpKontoSpeichern(const QString& passwort = QStringLiteral("geheim"));

    Testumgebung m_umgebung;
    Einstellungsspeicher m_speicher;
    SkriptDialoge m_dialoge;
    SpeicherFenster m_fenster;
    FesteSperre m_sperre;
    SkriptUebertragung m_uebertragung;
    AufzeichnendeStatusanzeige m_status;
    AufzeichnenderNachUpload m_nachUpload;
    OhneSchluesselbund m_schluesselbund;
    std::unique_ptr<Startlauf> m_lauf;
    QStringList m_links;
};

void TestStartlauf::init()
{
    m_umgebung.speicherLeeren();
    m_dialoge = {};
    m_fenster = {};
    m_sperre = {};
    m_uebertragung = {};
    m_nachUpload = {};
    m_status.texte.clear();
    m_status.bildzeilen.clear();
    m_status.abbruch = false;
    m_links.clear();
}

Laufende TestStartlauf::starten(const QString& argumente, const QStringList& dateien)
{
    m_lauf = std::make_unique<Startlauf>(Startlauf::Teile{ m_dialoge, m_fenster, m_speicher, m_sperre, m_uebertragung,
                                             m_status, m_nachUpload, m_schluesselbund },
        argumente, dateien);
    m_lauf->beiJedemLink([this](const QString& link) { m_links.append(link); });
    return m_lauf->ausfuehren();
}

void TestStartlauf::ftpKontoSpeichern(const QString& passwort)
{
    m_umgebung.speicherSetzen("FTPServer", "ftp.example.org");
    m_umgebung.speicherSetzen("FTPLogin", "anna");
    m_umgebung.speicherSetzen("FTPPassword", passwort);
    m_umgebung.speicherSetzen("URL", "http://www.example.org/bilder/");
}

void TestStartlauf::groessenangabe_data()
{
    QTest::addColumn<qint64>("laenge");
    QTest::addColumn<QString>("text");

    QTest::newRow("leer") << qint64(0) << "0";
    QTest::newRow("250001") << qint64(250001) << "0,238";
    QTest::newRow("262144") << qint64(262144) << "0,25";
    QTest::newRow("300000") << qint64(300000) << "0,286";
    QTest::newRow("1 MiB") << qint64(1048576) << "1";
    QTest::newRow("5000000") << qint64(5000000) << "4,768";
    QTest::newRow("2 GiB - 1") << (qint64(1) << 31) - 1 << "2047,999";
    QTest::newRow("2 GiB") << (qint64(1) << 31) << QString::fromUtf8("über 2000");
    QTest::newRow("5 GiB") << qint64(5) * 1024 * 1024 * 1024 << QString::fromUtf8("über 2000");
}

void TestStartlauf::groessenangabe()
{
    QFETCH(qint64, laenge);
    QFETCH(QString, text);
    QCOMPARE(Meldungstexte::groessenangabe(laenge), text);
}

void TestStartlauf::zweiteInstanz()
{
    m_sperre.laeuft = true;
    QCOMPARE(starten(m_umgebung.datei("a.jpg", 10)), Laufende::Fehlgeschlagen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text,
        QString::fromUtf8("Morva Fotoschicker läuft bereits.\r\n"
                          "Bitte warten Sie bis der vorherige Vorgang abgeschlossen ist"));
    QCOMPARE(m_dialoge.meldungen[0].titel, QStringLiteral("Morva Fotoschicker schon gestartet"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::Ausrufezeichen);
    // The first instance owns the store: the second one touches nothing.
    QVERIFY(!QFile::exists(m_umgebung.speicherDatei()));
    QCOMPARE(m_fenster.gezeigt, 0);
}

void TestStartlauf::instanzsperre()
{
    const QString pfad = QFileInfo(m_umgebung.datei("sperre", 0)).absolutePath() + "/MorvaFotoschicker.lock";
    Lockdatei erste(pfad);
    QVERIFY(!erste.andereInstanzLaeuft());
    // "OK" runs the start again in the same process: its own lock is no other instance.
    QVERIFY(!erste.andereInstanzLaeuft());
    Lockdatei zweite(pfad);
    QVERIFY(zweite.andereInstanzLaeuft());
    // A lock that cannot be made says nothing about another instance.
    Lockdatei ohneOrdner(pfad + "/fehlt/MorvaFotoschicker.lock");
    QVERIFY(!ohneOrdner.andereInstanzLaeuft());
}

void TestStartlauf::ohneDatei()
{
    QCOMPARE(starten(QString()), Laufende::FensterOffen);
    QVERIFY(m_dialoge.meldungen.isEmpty());
    QCOMPARE(m_fenster.titel, QStringLiteral("Morva Fotoschicker 1.1 - Einstellungen"));
    QVERIFY(m_fenster.sichtbar);
    QVERIFY(!m_fenster.okAktiv);
    QCOMPARE(m_umgebung.speicherInhalt().size(), 12);
}

void TestStartlauf::unvollstaendigeEinstellungen()
{
    m_umgebung.speicherSetzen("FTPServer", "ftp.example.org");
    QCOMPARE(starten(m_umgebung.datei("a.jpg", 10)), Laufende::FensterOffen);
    QVERIFY(m_dialoge.meldungen.isEmpty());
    QVERIFY(m_dialoge.passwortAufforderungen.isEmpty());
    QVERIFY(m_fenster.okAktiv);
    QVERIFY(m_uebertragung.ftpPfade.isEmpty());
}

void TestStartlauf::passwortAbfrage()
{
    ftpKontoSpeichern(QStringLiteral("   "));
    m_dialoge.passwortAntworten = QStringList{ "  " };
    QCOMPARE(starten(m_umgebung.datei("a.jpg", 10)), Laufende::Hochgeladen);
    QCOMPARE(m_dialoge.passwortAufforderungen,
        QStringList{
            QString::fromUtf8("Passwort eingeben|Sie haben kein Passwort hinterlegt.\r\n"
                              "Bitte geben Sie Ihr Passwort für den Zugang zu \"ftp.example.org\" jetzt ein:") });
    // A password of blanks is a password; it lives for this run only.
    QCOMPARE(m_uebertragung.letzteOptionen.FTPPassword, QStringLiteral("  "));
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPPassword"), QStringLiteral("   "));
}

void TestStartlauf::passwortAbgebrochen()
{
    ftpKontoSpeichern(QString());
    QCOMPARE(starten(m_umgebung.datei("a.jpg", 10)), Laufende::FensterOffen);
    QCOMPARE(m_dialoge.passwortAufforderungen.size(), 1);
    QVERIFY(m_dialoge.meldungen.isEmpty());
    QVERIFY(m_fenster.okAktiv);
    QVERIFY(m_uebertragung.ftpPfade.isEmpty());
}

void TestStartlauf::bildhostOhnePasswort()
{
    m_umgebung.speicherSetzen("useIS", "Wahr");
    QCOMPARE(starten(m_umgebung.datei("a.png", 10)), Laufende::Hochgeladen);
    QVERIFY(m_dialoge.passwortAufforderungen.isEmpty());
    QCOMPARE(m_uebertragung.bildhostPfade.size(), 1);
    QCOMPARE(m_nachUpload.aufrufe.value(0).link, m_uebertragung.bildhostLink);
}

void TestStartlauf::dateiFehlt_data()
{
    QTest::addColumn<QString>("argumente");
    QTest::addColumn<QString>("gezeigterName");

    const QString fehlt = QDir::tempPath() + "/gibt es nicht.jpg";
    QTest::newRow("fehlt") << fehlt << fehlt;
    QTest::newRow("in Anfuehrungszeichen") << "\"" + fehlt + "\"" << fehlt;
    QTest::newRow("nur Anfuehrungszeichen") << "\"\""
                                            << "";
    QTest::newRow("Verzeichnis") << QDir::tempPath() << QDir::tempPath();
    // Reading a named pipe would wait for ever for a writer.
    const QString rohr = m_umgebung.datei("rohr.jpg", 0);
    QFile::remove(rohr);
    QVERIFY(::mkfifo(QFile::encodeName(rohr).constData(), 0600) == 0);
    QTest::newRow("benannte Pipe") << rohr << rohr;
    QTest::newRow("Geraet") << "/dev/null"
                            << "/dev/null";
}

void TestStartlauf::dateiFehlt()
{
    QFETCH(QString, argumente);
    QFETCH(QString, gezeigterName);

    ftpKontoSpeichern();
    QCOMPARE(starten(argumente), Laufende::Fehlgeschlagen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text,
        "Die angegebene Datei (\"" + gezeigterName
            + "\") existiert nicht, ist ein Verzeichnis oder es sind mehrere Dateien markiert gewesen!");
    QCOMPARE(m_dialoge.meldungen[0].titel, QStringLiteral("Datei existiert nicht"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::Kritisch);
    QCOMPARE(m_fenster.gezeigt, 0);
}

void TestStartlauf::bildhostPrueftEndungUndGroesse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("groesse");
    QTest::addColumn<QString>("zahl");

    QTest::newRow("bmp") << "a.bmp" << qint64(1000) << "0";
    QTest::newRow("250001") << "a.jpg" << qint64(250001) << "0,238";
    QTest::newRow("250000 passt") << "b.jpg" << qint64(250000) << "";
    QTest::newRow("grosse Endung passt") << "c.JPG" << qint64(100) << "";
    QTest::newRow("jpeg passt") << "d.jpeg" << qint64(100) << "";
}

void TestStartlauf::bildhostPrueftEndungUndGroesse()
{
    QFETCH(QString, name);
    QFETCH(qint64, groesse);
    QFETCH(QString, zahl);

    m_umgebung.speicherSetzen("useIS", "Wahr");
    const Laufende ende = starten(m_umgebung.datei(name, groesse));
    if (zahl.isEmpty()) {
        QCOMPARE(ende, Laufende::Hochgeladen);
        QVERIFY(m_dialoge.meldungen.isEmpty());
        return;
    }
    QCOMPARE(ende, Laufende::Fehlgeschlagen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text,
        "Die Datei ist mit " + zahl + QString::fromUtf8(" MB zu groß für ") + imageHost()
            + QString::fromUtf8(", oder es handelt sich nicht um ein gültiges Bild (jpg, gif, png)"));
    QCOMPARE(m_dialoge.meldungen[0].titel, QStringLiteral("Morva Fotoschicker"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::Keins);
    QVERIFY(m_uebertragung.bildhostPfade.isEmpty());
}

void TestStartlauf::grosseDateiFrage()
{
    ftpKontoSpeichern();
    const QString datei = m_umgebung.datei("gross.zip", 250001);
    m_dialoge.antworten = { false };
    QCOMPARE(starten(datei), Laufende::Abgebrochen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text,
        QString::fromUtf8(
            "Die angegebene Datei ist mit 0,238 MB sehr groß.\r\nWollen Sie die Datei wirklich übertragen?"));
    QCOMPARE(m_dialoge.meldungen[0].titel, QString::fromUtf8("Datei sicher übertragen?"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::FrageJaNein);
    QVERIFY(m_uebertragung.ftpPfade.isEmpty());

    init();
    ftpKontoSpeichern();
    m_dialoge.antworten = { true };
    QCOMPARE(starten(datei), Laufende::Hochgeladen);
    QCOMPARE(m_uebertragung.ftpPfade, QStringList{ datei });
}

void TestStartlauf::riesigeDatei()
{
    ftpKontoSpeichern();
    m_dialoge.antworten = { false };
    QCOMPARE(starten(m_umgebung.datei("riesig.bin", qint64(1) << 31)), Laufende::Abgebrochen);
    QCOMPARE(m_dialoge.meldungen.value(0).text,
        QString::fromUtf8(
            "Die angegebene Datei ist mit über 2000 MB sehr groß.\r\nWollen Sie die Datei wirklich übertragen?"));
}

void TestStartlauf::erfolg()
{
    ftpKontoSpeichern();
    const QString datei = m_umgebung.datei("mein bild.jpg", 100);
    QCOMPARE(starten("\"" + datei + "\""), Laufende::Hochgeladen);
    // The status window was on: success shows no box at all.
    QVERIFY(m_dialoge.meldungen.isEmpty());
    // The short path step took the quotes off the name the transfer gets.
    QCOMPARE(m_uebertragung.ftpPfade, QStringList{ datei });
    QCOMPARE(m_nachUpload.aufrufe.size(), 1);
    QCOMPARE(m_nachUpload.aufrufe[0].quoteFreeName, datei);
    QCOMPARE(m_nachUpload.aufrufe[0].shortPath, datei);
    QCOMPARE(m_fenster.gezeigt, 0);
}

void TestStartlauf::erfolgOhneStatusfenster()
{
    ftpKontoSpeichern();
    m_umgebung.speicherSetzen("StatusfensterZeigen", "Falsch");
    QCOMPARE(starten(m_umgebung.datei("a.jpg", 100)), Laufende::Hochgeladen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text, QStringLiteral("Datei erfolgreich übertragen!"));
    QCOMPARE(m_dialoge.meldungen[0].titel, QString::fromUtf8("Datei übertragen"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::Information);
    QCOMPARE(m_nachUpload.aufrufe.size(), 1);
}

void TestStartlauf::fehlschlagZeigtFenster()
{
    ftpKontoSpeichern();
    m_uebertragung.ftpErgebnis = FtpErgebnis::Gescheitert;
    QCOMPARE(starten(m_umgebung.datei("a.jpg", 100)), Laufende::FensterOffen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text,
        QStringLiteral("Die Datei konnte nicht erfolgreich übertragen werden!\r\nFehlergrund"));
    QCOMPARE(m_dialoge.meldungen[0].titel, QString::fromUtf8("Fehler bei Dateiübertragung"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::Kritisch);
    QVERIFY(m_fenster.sichtbar);
    QVERIFY(m_fenster.okAktiv);
    QVERIFY(m_nachUpload.aufrufe.isEmpty());
}

void TestStartlauf::abbruchEndetWieNein_data()
{
    QTest::addColumn<bool>("bildhost");
    QTest::addColumn<QString>("parameter");
    QTest::newRow("FTP") << false << "";
    QTest::newRow("FTP mit Parametern") << false << "/ftpuser:anna /file:";
    QTest::newRow("Bildhost") << true << "";
}

// A click on the status window stopped the transfer: no box, no link, no
// settings window, and the exit status of "Nein" to the size question.
void TestStartlauf::abbruchEndetWieNein()
{
    QFETCH(bool, bildhost);
    QFETCH(QString, parameter);
    ftpKontoSpeichern();
    m_umgebung.speicherSetzen("useIS", bildhost ? "Wahr" : "Falsch");
    m_uebertragung.ftpErgebnis = FtpErgebnis::Gescheitert;
    m_uebertragung.bildhostLink.clear();
    m_status.abbruch = true;

    const Laufende ende = starten(parameter + m_umgebung.datei("a.jpg", 100));

    QCOMPARE(ende, Laufende::Abgebrochen);
    QCOMPARE(exitStatus(ende), 2);
    QCOMPARE(m_uebertragung.ftpPfade.size() + m_uebertragung.bildhostPfade.size(), 1);
    QCOMPARE(m_dialoge.meldungen.size(), 0);
    QVERIFY(!m_fenster.sichtbar);
    QVERIFY(m_nachUpload.aufrufe.isEmpty());
    QCOMPARE(m_lauf->link(), QString());
}

// The store's imageHost replaces the built-in host in the check box, the box for a
// file the image host will not take, and the upload; it is never written back,
// and an absent one leaves the built-in.
void TestStartlauf::bildhostAusDemSpeicher()
{
    m_umgebung.speicherSetzen("useIS", "Wahr");
    starten(QString());
    QCOMPARE(m_fenster.bildhost, imageHost());

    m_umgebung.speicherSetzen("imageHost", "https://bilder.example.org:8443");
    QCOMPARE(starten(m_umgebung.datei("a.jpg", 100)), Laufende::Hochgeladen);
    QCOMPARE(m_fenster.bildhost, QStringLiteral("https://bilder.example.org:8443"));
    QCOMPARE(m_uebertragung.letzteOptionen.imageHost, QStringLiteral("https://bilder.example.org:8443"));

    QCOMPARE(starten(m_umgebung.datei("a.bmp", 100)), Laufende::Fehlgeschlagen);
    QVERIFY(m_dialoge.meldungen.last().text.contains(QStringLiteral(" zu groß für https://bilder.example.org:8443,")));
    QCOMPARE(m_speicher.lesen(QStringLiteral("imageHost")), QStringLiteral("https://bilder.example.org:8443"));
}

// After the cancel, what reached the server could not be removed: one box
// names it and the server, and the run still ends as stopped.
void TestStartlauf::restNachAbbruchWirdGenannt()
{
    ftpKontoSpeichern();
    m_uebertragung.ftpErgebnis = FtpErgebnis::RestGeblieben;
    m_uebertragung.fehler = QStringLiteral("bilder/a.jpg");
    m_status.abbruch = true;

    const Laufende ende = starten(m_umgebung.datei("a.jpg", 100));

    QCOMPARE(ende, Laufende::Abgebrochen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].titel, QStringLiteral("Datei nicht entfernt"));
    QCOMPARE(m_dialoge.meldungen[0].text,
        QStringLiteral("Die Übertragung wurde abgebrochen, aber die Datei „bilder/a.jpg“ konnte nicht von "
                       "ftp.example.org entfernt werden. Bitte löschen Sie sie dort selbst."));
    QVERIFY(!m_fenster.sichtbar);
    QVERIFY(m_nachUpload.aufrufe.isEmpty());
}

void TestStartlauf::zertifikatHatEigeneMeldung_data()
{
    QTest::addColumn<bool>("mitParametern");
    QTest::addColumn<Laufende>("ende");
    QTest::newRow("ohne Parameter: Fenster") << false << Laufende::FensterOffen;
    QTest::newRow("mit Parametern: Ende") << true << Laufende::Fehlgeschlagen;
}

void TestStartlauf::zertifikatHatEigeneMeldung()
{
    QFETCH(bool, mitParametern);
    QFETCH(Laufende, ende);
    ftpKontoSpeichern();
    m_uebertragung.ftpErgebnis = FtpErgebnis::ZertifikatAbgelehnt;
    m_uebertragung.fehler = QString::fromUtf8("Das Zertifikat von ftp.example.org ist nicht vertrauenswürdig: Es ist "
                                              "abgelaufen.");
    const QString datei = m_umgebung.datei("a.jpg", 100);
    QCOMPARE(
        starten(mitParametern ? "/ftpserver:ftpes://ftp.example.org /ftppassword:pw /file:" + datei : datei), ende);

    QCOMPARE(m_uebertragung.letzteOptionen.FTPServer,
        mitParametern ? QStringLiteral("ftpes://ftp.example.org") : QStringLiteral("ftp.example.org"));
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text, m_uebertragung.fehler);
    QCOMPARE(m_dialoge.meldungen[0].titel, QString::fromUtf8("Zertifikat nicht vertrauenswürdig"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::Kritisch);
    QCOMPARE(m_fenster.sichtbar, !mitParametern);
    QVERIFY(m_nachUpload.aufrufe.isEmpty());
}

void TestStartlauf::okWiederholtLauf()
{
    ftpKontoSpeichern();
    m_uebertragung.ftpErgebnis = FtpErgebnis::Gescheitert;
    const QString datei = m_umgebung.datei("a.jpg", 100);
    QCOMPARE(starten(datei), Laufende::FensterOffen);
    QCOMPARE(m_lauf->fehlerText(), QStringLiteral("Fehlergrund"));

    // The user corrects the server in the window and presses "OK".
    m_fenster.setText(Textfeld::FTPServer, "richtig.example.org");
    m_uebertragung.ftpErgebnis = FtpErgebnis::Hochgeladen;
    QCOMPARE(m_lauf->okGeklickt(), Laufende::Hochgeladen);
    QCOMPARE(m_lauf->fehlerText(), QString());
    QCOMPARE(m_uebertragung.letzteOptionen.FTPServer, QStringLiteral("richtig.example.org"));
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPServer"), QStringLiteral("richtig.example.org"));
    QCOMPARE(m_uebertragung.ftpPfade.size(), 2);
}

// The store is a folder: it can be neither read nor written. The start says
// so and leaves it alone; "OK" says so and keeps what was typed instead of
// loading the store over it.
void TestStartlauf::speicherNichtNutzbarBehaeltEingaben()
{
    QVERIFY(QDir().mkpath(m_umgebung.speicherDatei()));
    const QString grund = QString::fromLocal8Bit(std::strerror(EISDIR));
    const QString datei = m_umgebung.datei("a.jpg", 100);

    QCOMPARE(starten(datei), Laufende::FensterOffen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text,
        "Die Einstellungen konnten nicht aus „" + m_umgebung.speicherDatei() + "“ gelesen werden: " + grund
            + ".\r\nDie Datei bleibt unverändert; bis sie lesbar ist, startet das Programm ohne die gespeicherten "
              "Einstellungen.");
    QCOMPARE(m_dialoge.meldungen[0].titel, QStringLiteral("Einstellungen nicht lesbar"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::Kritisch);
    QVERIFY(m_fenster.sichtbar);

    m_fenster.setText(Textfeld::FTPServer, "ftp.example.org");
    m_fenster.setText(Textfeld::FTPLogin, "anna");
    m_fenster.setText(Textfeld::FTPPath, "www");
    QCOMPARE(m_lauf->okGeklickt(), Laufende::FensterOffen);
    QCOMPARE(m_dialoge.meldungen.size(), 2);
    QCOMPARE(m_dialoge.meldungen[1].text,
        "Die Einstellungen konnten nicht in „" + m_umgebung.speicherDatei() + "“ gespeichert werden: " + grund + '.');
    QCOMPARE(m_dialoge.meldungen[1].titel, QStringLiteral("Einstellungen nicht gespeichert"));
    QCOMPARE(m_fenster.text(Textfeld::FTPServer), QStringLiteral("ftp.example.org"));
    QCOMPARE(m_fenster.text(Textfeld::FTPLogin), QStringLiteral("anna"));
    QCOMPARE(m_fenster.text(Textfeld::FTPPath), QStringLiteral("www/"));
    QVERIFY(m_fenster.sichtbar);
    QVERIFY(m_uebertragung.ftpPfade.isEmpty());

    QVERIFY(!m_lauf->uebernehmenGeklickt());
    QCOMPARE(m_dialoge.meldungen.size(), 3);
    QCOMPARE(m_dialoge.meldungen[2].titel, QStringLiteral("Einstellungen nicht gespeichert"));
    QVERIFY(QFileInfo(m_umgebung.speicherDatei()).isDir());
    QVERIFY(QDir(m_umgebung.speicherDatei()).removeRecursively());
}

void TestStartlauf::mehrereNacheinander_data()
{
    QTest::addColumn<bool>("bildhost");
    QTest::newRow("FTP") << false;
    QTest::newRow("Bildhost") << true;
}

// In the order given; the password asked once; each link passed on as its picture goes up.
void TestStartlauf::mehrereNacheinander()
{
    QFETCH(bool, bildhost);
    ftpKontoSpeichern(QString());
    m_umgebung.speicherSetzen("useIS", bildhost ? "Wahr" : "Falsch");
    m_dialoge.passwortAntworten = QStringList{ "pw" };
    m_uebertragung.waehrendDesUploads
        = [this] { m_uebertragung.bildhostLink = "http://h/" + QString::number(m_uebertragung.bildhostPfade.size()); };
    const QStringList dateien{ m_umgebung.datei("b.jpg", 10), m_umgebung.datei("Grüße aus Köln.jpg", 10) };

    QCOMPARE(starten(dateien.join(u' '), dateien), Laufende::Hochgeladen);
    QCOMPARE(bildhost ? m_uebertragung.bildhostPfade : m_uebertragung.ftpPfade, dateien);
    QCOMPARE(m_dialoge.passwortAufforderungen.size(), bildhost ? 0 : 1);
    QVERIFY(m_dialoge.meldungen.isEmpty());
    QCOMPARE(m_status.bildzeilen, QStringList({ "Bild 1 von 2: b.jpg", "Bild 2 von 2: Grüße aus Köln.jpg", "" }));
    // The scripted after-upload action forms no FTP address.
    QCOMPARE(m_links, bildhost ? QStringList({ "http://h/1", "http://h/2" }) : QStringList());
}

// Without the status window the success box comes once, after the last picture.
void TestStartlauf::mehrereOhneStatusfensterEinErfolgskasten()
{
    ftpKontoSpeichern();
    m_umgebung.speicherSetzen("StatusfensterZeigen", "Falsch");
    const QStringList dateien{ m_umgebung.datei("a.jpg", 10), m_umgebung.datei("b.jpg", 10) };
    QCOMPARE(starten(QString(), dateien), Laufende::Hochgeladen);
    QCOMPARE(m_uebertragung.ftpPfade, dateien);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].text, QString::fromUtf8("Datei erfolgreich übertragen!"));
}

// A failure does not stop the rest; one box at the end names each with its reason.
void TestStartlauf::mehrereFehlschlaegeInEinemKasten()
{
    ftpKontoSpeichern();
    m_uebertragung.waehrendDesUploads = [this] {
        m_uebertragung.ftpErgebnis
            = m_uebertragung.ftpPfade.size() == 1 ? FtpErgebnis::Gescheitert : FtpErgebnis::Hochgeladen;
    };
    const QString fehlt = QDir::tempPath() + "/gibt es nicht.jpg";
    const QStringList dateien{ m_umgebung.datei("a.jpg", 10), fehlt, m_umgebung.datei("c.jpg", 10) };

    QCOMPARE(exitStatus(starten(QString(), dateien)), 1);
    QCOMPARE(m_uebertragung.ftpPfade, QStringList({ dateien[0], dateien[2] }));
    QCOMPARE(m_nachUpload.aufrufe.size(), 1);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].titel, QString::fromUtf8("Nicht alle Dateien übertragen"));
    QCOMPARE(m_dialoge.meldungen[0].text,
        "2 von 3 Dateien wurden nicht übertragen:\r\n\r\n„" + dateien[0] + "“: Fehlergrund\r\n„" + fehlt
            + "“: Die Datei existiert nicht oder ist ein Verzeichnis.");
    QCOMPARE(m_fenster.gezeigt, 0);
}

// One question for all large files; "Nein" sends none of them, the small one neither.
void TestStartlauf::mehrereGrosseEineFrage()
{
    ftpKontoSpeichern();
    m_dialoge.antworten = { false };
    const QStringList dateien{ m_umgebung.datei("a.jpg", 250001), m_umgebung.datei("b.jpg", 250000),
        m_umgebung.datei("c.zip", 5000000) };
    QCOMPARE(exitStatus(starten(QString(), dateien)), 2);
    QCOMPARE(m_dialoge.meldungen.size(), 2);
    QCOMPARE(
        m_dialoge.meldungen[0].text, QString::fromUtf8("2 Dateien sind größer als 250000 Bytes. Trotzdem übertragen?"));
    QCOMPARE(m_dialoge.meldungen[0].stil, Meldungsstil::FrageJaNein);
    QVERIFY(m_uebertragung.ftpPfade.isEmpty());
    QCOMPARE(
        m_dialoge.meldungen[1].text.count(QString::fromUtf8(": Nicht gesendet, die Übertragung wurde abgebrochen.")),
        3);
}

// A click on the status window stops the picture under way and the rest.
void TestStartlauf::mehrereAbbruchNenntUngesendete()
{
    ftpKontoSpeichern();
    m_uebertragung.waehrendDesUploads = [this] {
        m_status.abbruch = true;
        m_uebertragung.ftpErgebnis = FtpErgebnis::Gescheitert;
    };
    const QStringList dateien{ m_umgebung.datei("a.jpg", 10), m_umgebung.datei("b.jpg", 10) };
    QCOMPARE(exitStatus(starten(QString(), dateien)), 2);
    QCOMPARE(m_uebertragung.ftpPfade.size(), 1);
    const QString nichtGesendet = QString::fromUtf8("“: Nicht gesendet, die Übertragung wurde abgebrochen.");
    QCOMPARE(m_dialoge.meldungen.value(0).text,
        "2 von 2 Dateien wurden nicht übertragen:\r\n\r\n„" + dateien[0] + nichtGesendet + "\r\n„" + dateien[1]
            + nichtGesendet);
}

QTEST_GUILESS_MAIN(TestStartlauf)
#include "test_startlauf.moc"
