#include "laufattrappen.h"
#include "settings/einstellungen.h"
#include "settings/einstellungsspeicher.h"
#include "testumgebung.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

namespace {
struct stat dateistatus(const QString& pfad)
{
    struct stat info { };
    ::stat(QFile::encodeName(pfad).constData(), &info);
    return info;
}

int dateimodus(const QString& pfad)
{
    return int(dateistatus(pfad).st_mode & 0777);
}
} // namespace

// Load and apply go through the window's controls to the real settings store in a private folder.
class TestEinstellungen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_umgebung.speicherLeeren(); }
    void ersterStart();
    void speicherdateiIstPrivat();
    void wahrheitswerteWoertlich_data();
    void wahrheitswerteWoertlich();
    void schraegstrichAmEnde_data();
    void schraegstrichAmEnde();
    void vollstaendig_data();
    void vollstaendig();
    void parameterModusSchreibtNichts();
    void passwortUnveraendert();
    void ungueltigeLinkOptionLaesstAuswahl();

private:
    bool laden(SpeicherFenster& fenster, Optionen& optionen)
    {
        Einstellungen e(optionen, fenster, m_speicher);
        return e.einstellungenLaden();
    }

    Testumgebung m_umgebung;
    Einstellungsspeicher m_speicher;
};

void TestEinstellungen::ersterStart()
{
    SpeicherFenster fenster;
    Optionen optionen;
    QVERIFY(!laden(fenster, optionen));

    for (const QString& text : fenster.texte)
        QCOMPARE(text, QString());
    QCOMPARE(fenster.haken[0], false); // Proxy verwenden
    QCOMPARE(fenster.haken[1], true); // Passive Übertragung
    QCOMPARE(fenster.haken[2], true); // Statusfenster anzeigen
    QCOMPARE(fenster.haken[3], false); // Bilderdienst
    QCOMPARE(fenster.option, 2);
    QVERIFY(fenster.proxyRegelAufrufe > 0);
    QVERIFY(fenster.bildhostRegelAufrufe > 0);

    const QMap<QString, QString> erwartet{ { "FTPServer", "" }, { "FTPLogin", "" }, { "FTPPassword", "" },
        { "FTPPath", "" }, { "FTPProxy", "" }, { "FTPProxyPort", "" }, { "URL", "" }, { "FTPPassiv", "Wahr" },
        { "StatusfensterZeigen", "Wahr" }, { "FTPUseProxy", "Falsch" }, { "useIS", "Falsch" }, { "LinkOption", "2" } };
    QCOMPARE(m_umgebung.speicherInhalt(), erwartet);
}

void TestEinstellungen::speicherdateiIstPrivat()
{
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(dateimodus(m_umgebung.speicherDatei()), 0600);

    // A store the user made world-readable becomes private at the next write.
    QFile::setPermissions(m_umgebung.speicherDatei(),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
            | QFileDevice::ReadOther | QFileDevice::ReadGroup);
    const ino_t vorher = dateistatus(m_umgebung.speicherDatei()).st_ino;
    laden(fenster, optionen);
    QCOMPARE(dateimodus(m_umgebung.speicherDatei()), 0600);
    // Replaced through a new file, never rewritten in place, so a crash leaves the old store whole.
    QVERIFY(dateistatus(m_umgebung.speicherDatei()).st_ino != vorher);
}

void TestEinstellungen::wahrheitswerteWoertlich_data()
{
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QString>("gespeichert");
    QTest::addColumn<int>("haken");
    QTest::addColumn<bool>("angehakt");
    QTest::addColumn<QString>("neuGeschrieben");

    QTest::newRow("Proxy wahr klein") << "FTPUseProxy"
                                      << "wahr" << 1 << false << "Falsch";
    QTest::newRow("Proxy Wahr") << "FTPUseProxy"
                                << "Wahr" << 1 << true << "Wahr";
    QTest::newRow("Passiv falsch klein") << "FTPPassiv"
                                         << "falsch" << 2 << true << "Wahr";
    QTest::newRow("Passiv Falsch") << "FTPPassiv"
                                   << "Falsch" << 2 << false << "Falsch";
    QTest::newRow("Status 0") << "StatusfensterZeigen"
                              << "0" << 3 << true << "Wahr";
    QTest::newRow("Status Falsch") << "StatusfensterZeigen"
                                   << "Falsch" << 3 << false << "Falsch";
    QTest::newRow("Bilderdienst true") << "useIS"
                                       << "true" << 4 << false << "Falsch";
    QTest::newRow("Bilderdienst Wahr") << "useIS"
                                       << "Wahr" << 4 << true << "Wahr";
}

void TestEinstellungen::wahrheitswerteWoertlich()
{
    QFETCH(QString, schluessel);
    QFETCH(QString, gespeichert);
    QFETCH(int, haken);
    QFETCH(bool, angehakt);
    QFETCH(QString, neuGeschrieben);

    m_umgebung.speicherSetzen(schluessel, gespeichert);
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(fenster.haken[haken - 1], angehakt);
    QCOMPARE(m_umgebung.speicherInhalt().value(schluessel), neuGeschrieben);
}

void TestEinstellungen::schraegstrichAmEnde_data()
{
    QTest::addColumn<QString>("gespeichert");
    QTest::addColumn<QString>("erwartet");

    QTest::newRow("ohne") << "www/bilder"
                          << "www/bilder/";
    QTest::newRow("leer") << ""
                          << "";
    QTest::newRow("nur Schraegstrich") << "/"
                                       << "/";
    QTest::newRow("Backslash") << "www\\bilder\\"
                               << "www\\bilder\\/";
    QTest::newRow("schon da") << "http://a.example/b/"
                              << "http://a.example/b/";
}

void TestEinstellungen::schraegstrichAmEnde()
{
    QFETCH(QString, gespeichert);
    QFETCH(QString, erwartet);

    m_umgebung.speicherSetzen("FTPPath", gespeichert);
    m_umgebung.speicherSetzen("URL", gespeichert);
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(fenster.texte[3], erwartet);
    QCOMPARE(fenster.texte[6], erwartet);
    QCOMPARE(optionen.FTPPath, erwartet);
    QCOMPARE(optionen.URL, erwartet);
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPPath"), erwartet);
    QCOMPARE(m_umgebung.speicherInhalt().value("URL"), erwartet);
}

void TestEinstellungen::vollstaendig_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("useIS");
    QTest::addColumn<QString>("proxyAn");
    QTest::addColumn<QString>("proxy");
    QTest::addColumn<bool>("erwartet");

    QTest::newRow("FTP komplett") << "ftp.example"
                                  << "anna"
                                  << "Falsch"
                                  << "Falsch"
                                  << "" << true;
    QTest::newRow("Server nur Blanks") << "   "
                                       << "anna"
                                       << "Falsch"
                                       << "Falsch"
                                       << "" << false;
    QTest::newRow("Login fehlt") << "ftp.example"
                                 << ""
                                 << "Falsch"
                                 << "Falsch"
                                 << "" << false;
    QTest::newRow("Bilderdienst ohne FTP") << ""
                                           << ""
                                           << "Wahr"
                                           << "Falsch"
                                           << "" << true;
    QTest::newRow("Bilderdienst, Proxy leer") << ""
                                              << ""
                                              << "Wahr"
                                              << "Wahr"
                                              << "" << false;
    QTest::newRow("Proxy ein Blank") << "ftp.example"
                                     << "anna"
                                     << "Falsch"
                                     << "Wahr"
                                     << " " << true;
    QTest::newRow("Proxy leer") << "ftp.example"
                                << "anna"
                                << "Falsch"
                                << "Wahr"
                                << "" << false;
}

void TestEinstellungen::vollstaendig()
{
    QFETCH(QString, server);
    QFETCH(QString, login);
    QFETCH(QString, useIS);
    QFETCH(QString, proxyAn);
    QFETCH(QString, proxy);
    QFETCH(bool, erwartet);

    m_umgebung.speicherSetzen("FTPServer", server);
    m_umgebung.speicherSetzen("FTPLogin", login);
    m_umgebung.speicherSetzen("useIS", useIS);
    m_umgebung.speicherSetzen("FTPUseProxy", proxyAn);
    m_umgebung.speicherSetzen("FTPProxy", proxy);
    SpeicherFenster fenster;
    Optionen optionen;
    QCOMPARE(laden(fenster, optionen), erwartet);
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPServer"), server);
}

void TestEinstellungen::parameterModusSchreibtNichts()
{
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    const auto vorher = m_umgebung.speicherInhalt();

    optionen.parameterModus = true;
    fenster.texte[0] = "anderer.example";
    fenster.texte[3] = "neu";
    Einstellungen(optionen, fenster, m_speicher).einstellungenUebernehmen();
    QCOMPARE(optionen.FTPServer, QStringLiteral("anderer.example"));
    QCOMPARE(fenster.texte[3], QStringLiteral("neu/"));
    QCOMPARE(m_umgebung.speicherInhalt(), vorher);
}

void TestEinstellungen::passwortUnveraendert()
{
    const QString passwort = QString::fromUtf8("  gé=h;e,i\"m#  ");
    m_umgebung.speicherSetzen("FTPPassword", passwort);
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(optionen.FTPPassword, passwort);
    QCOMPARE(Einstellungsspeicher().lesen("FTPPassword"), passwort);
}

void TestEinstellungen::ungueltigeLinkOptionLaesstAuswahl()
{
    m_umgebung.speicherSetzen("LinkOption", "1");
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(optionen.LinkOption, 1);

    m_umgebung.speicherSetzen("LinkOption", "7");
    laden(fenster, optionen);
    QCOMPARE(optionen.LinkOption, 1);
    QCOMPARE(m_umgebung.speicherInhalt().value("LinkOption"), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestEinstellungen)
#include "test_einstellungen.moc"
