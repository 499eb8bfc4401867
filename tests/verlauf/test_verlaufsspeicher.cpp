#include "app/startlauf.h"
#include "laufattrappen.h"
#include "testumgebung.h"
#include "transfer/imagehost.h"
#include "verlauf/verlaufsschreiber.h"
#include "verlauf/verlaufsspeicher.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

// The upload history: what the run records, and that the file survives two
// writers and damage.
class TestVerlaufsspeicher : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void jederUploadEineZeile();
    void keineZeileOhneUpload_data();
    void keineZeileOhneUpload();
    void mehrereBilderJeEineZeile();
    void zweiLaeufeZugleich();
    void beschaedigteDateiWirdBeiseitegelegt();
    void entfernenUndGeloeschtVermerken();

private:
    Laufende starten(const QStringList& dateien);
    QList<Verlaufseintrag> zeilen();

    Testumgebung m_umgebung;
    QTemporaryDir m_ordner;
    QString m_datei;
    Einstellungsspeicher m_speicher;
    SkriptDialoge m_dialoge;
    SpeicherFenster m_fenster;
    FesteSperre m_sperre;
    SkriptUebertragung m_uebertragung;
    AufzeichnendeStatusanzeige m_status;
    AufzeichnenderNachUpload m_nachUpload;
    OhneSchluesselbund m_schluesselbund;
};

void TestVerlaufsspeicher::init()
{
    m_umgebung.speicherLeeren();
    m_datei = m_ordner.filePath(QStringLiteral("%1/verlauf.sqlite").arg(QTest::currentTestFunction()));
    m_dialoge = {};
    m_uebertragung = {};
    m_status.texte.clear();
    m_status.abbruch = false;
    m_umgebung.speicherSetzen("FTPServer", "ftpes://ftp.example.org");
    m_umgebung.speicherSetzen("FTPLogin", "anna");
    m_umgebung.speicherSetzen("FTPPassword", "geheim");
    m_umgebung.speicherSetzen("FTPPath", "www/bilder/");
    m_umgebung.speicherSetzen("URL", "http://www.example.org/bilder/");
}

Laufende TestVerlaufsspeicher::starten(const QStringList& dateien)
{
    // As the program records its uploads: from a thread of the history's own.
    Verlaufsschreiber verlauf(m_datei);
    Startlauf lauf({ m_dialoge, m_fenster, m_speicher, m_sperre, m_uebertragung, m_status, m_nachUpload,
                       m_schluesselbund, &verlauf },
        QString(), dateien);
    return lauf.ausfuehren();
}

QList<Verlaufseintrag> TestVerlaufsspeicher::zeilen()
{
    Verlaufsspeicher verlauf(m_datei);
    QString fehler;
    const auto liste = verlauf.eintraege(fehler);
    if (!liste)
        qWarning() << fehler;
    return liste.value_or(QList<Verlaufseintrag>());
}

void TestVerlaufsspeicher::jederUploadEineZeile()
{
    const QString bild = m_ordner.filePath(QStringLiteral("Strand am See.jpg"));
    QImage(400, 300, QImage::Format_RGB32).save(bild, "JPEG");
    QCOMPARE(starten({ bild }), Laufende::Hochgeladen);
    m_umgebung.speicherSetzen("useIS", "Wahr");
    QCOMPARE(starten({ bild }), Laufende::Hochgeladen);
    QVERIFY(m_dialoge.meldungen.isEmpty());

    const QList<Verlaufseintrag> liste = zeilen();
    QCOMPARE(liste.size(), 2);
    // Newest first.
    const Verlaufseintrag& bildhost = liste[0];
    QCOMPARE(bildhost.modus, QStringLiteral("Bildhost"));
    QCOMPARE(bildhost.server, imageHost());
    QCOMPARE(bildhost.link, QStringLiteral("http://bilder.example/x.jpg"));
    QCOMPARE(bildhost.entfernterPfad, QStringLiteral("x.jpg"));
    QVERIFY(bildhost.benutzer.isEmpty());
    const Verlaufseintrag& ftp = liste[1];
    QCOMPARE(ftp.modus, QStringLiteral("FTPES"));
    QCOMPARE(ftp.server, QStringLiteral("ftpes://ftp.example.org"));
    QCOMPARE(ftp.benutzer, QStringLiteral("anna"));
    QCOMPARE(ftp.entfernterPfad, QStringLiteral("www/bilder/Strand am See.jpg"));
    QCOMPARE(ftp.datei, bild);
    QCOMPARE(ftp.groesse, QFileInfo(bild).size());
    QVERIFY(ftp.zeit.isValid() && ftp.zeit <= bildhost.zeit);

    const QImage vorschau = QImage::fromData(Verlaufsspeicher(m_datei).vorschau(ftp.id));
    QCOMPARE(vorschau.size(), QSize(128, 96));
    // The file keeps deletion keys: only its owner may read it.
    QCOMPARE(QFile::permissions(m_datei) & 0x0077, QFileDevice::Permissions());
    QFile roh(m_datei);
    QVERIFY(roh.open(QIODevice::ReadOnly));
    QVERIFY(!roh.readAll().contains("geheim"));
}

void TestVerlaufsspeicher::keineZeileOhneUpload_data()
{
    QTest::addColumn<bool>("bildhost");
    QTest::addColumn<bool>("abbrechen");
    QTest::newRow("FTP gescheitert") << false << false;
    QTest::newRow("FTP abgebrochen") << false << true;
    QTest::newRow("Bildhost gescheitert") << true << false;
}

void TestVerlaufsspeicher::keineZeileOhneUpload()
{
    QFETCH(bool, bildhost);
    QFETCH(bool, abbrechen);
    m_umgebung.speicherSetzen("useIS", bildhost ? "Wahr" : "Falsch");
    m_uebertragung.ftpErgebnis = FtpErgebnis::Gescheitert;
    m_uebertragung.bildhostLink.clear();
    m_status.abbruch = abbrechen;
    const Laufende ende = starten({ m_umgebung.datei("a.jpg", 100) });
    QCOMPARE(ende, abbrechen ? Laufende::Abgebrochen : Laufende::FensterOffen);
    QVERIFY(zeilen().isEmpty());
}

void TestVerlaufsspeicher::mehrereBilderJeEineZeile()
{
    const QString a = m_umgebung.datei("a.jpg", 100);
    const QString b = m_umgebung.datei("b.jpg", 100);
    QCOMPARE(starten({ a, a + ".fehlt", b }), Laufende::Fehlgeschlagen);
    const QList<Verlaufseintrag> liste = zeilen();
    QCOMPARE(liste.size(), 2);
    QCOMPARE(liste[0].datei, b);
    QCOMPARE(liste[1].datei, a);
}

void TestVerlaufsspeicher::zweiLaeufeZugleich()
{
    constexpr int jeLauf = 40;
    // Each writer has its own connection, as two programs would: SQLite's file locks decide.
    const auto schreiben = [this](const QString& name) {
        Verlaufsspeicher verlauf(m_datei);
        for (int i = 0; i < jeLauf; ++i) {
            Verlaufseintrag eintrag;
            eintrag.zeit = QDateTime::currentDateTimeUtc();
            eintrag.datei = name + QString::number(i);
            if (!verlauf.eintragen(eintrag).isEmpty())
                return;
        }
    };
    std::thread erster(schreiben, QStringLiteral("erster"));
    std::thread zweiter(schreiben, QStringLiteral("zweiter"));
    erster.join();
    zweiter.join();
    QCOMPARE(zeilen().size(), 2 * jeLauf);
}

void TestVerlaufsspeicher::beschaedigteDateiWirdBeiseitegelegt()
{
    QDir().mkpath(QFileInfo(m_datei).path());
    const QByteArray kaputt = QByteArray("SQLite format 3") + QByteArray(5000, 'x');
    QFile datei(m_datei);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write(kaputt);
    datei.close();

    // Two pictures in one run: one box for the damaged file, two rows in the new one.
    QCOMPARE(starten({ m_umgebung.datei("a.jpg", 100), m_umgebung.datei("b.jpg", 100) }), Laufende::Hochgeladen);
    QCOMPARE(m_dialoge.meldungen.size(), 1);
    QCOMPARE(m_dialoge.meldungen[0].titel, QStringLiteral("Verlauf"));
    const QStringList beiseite
        = QDir(QFileInfo(m_datei).path()).entryList({ QStringLiteral("verlauf.sqlite.beschaedigt-*") });
    QCOMPARE(beiseite.size(), 1);
    QVERIFY(m_dialoge.meldungen[0].text.contains(beiseite[0]));
    QFile alt(QFileInfo(m_datei).path() + u'/' + beiseite[0]);
    QVERIFY(alt.open(QIODevice::ReadOnly));
    QCOMPARE(alt.readAll(), kaputt);
    QCOMPARE(zeilen().size(), 2);
}

void TestVerlaufsspeicher::entfernenUndGeloeschtVermerken()
{
    Verlaufsspeicher verlauf(m_datei);
    for (const QString& name : { QStringLiteral("a.jpg"), QStringLiteral("b.jpg") }) {
        Verlaufseintrag eintrag;
        eintrag.zeit = QDateTime::currentDateTimeUtc();
        eintrag.datei = name;
        QCOMPARE(verlauf.eintragen(eintrag), QString());
    }
    QList<Verlaufseintrag> liste = zeilen();
    QString fehler;
    const QDateTime jetzt = QDateTime::fromString(QStringLiteral("2026-12-07T18:30:00.000Z"), Qt::ISODateWithMs);
    QVERIFY(verlauf.geloeschtVermerken(liste[0].id, jetzt, fehler));
    QVERIFY(verlauf.entfernen(liste[1].id, fehler));
    liste = zeilen();
    QCOMPARE(liste.size(), 1);
    QCOMPARE(liste[0].datei, QStringLiteral("b.jpg"));
    QCOMPARE(liste[0].geloescht, jetzt);
}

QTEST_GUILESS_MAIN(TestVerlaufsspeicher)
#include "test_verlaufsspeicher.moc"
