#include "laufattrappen.h"
#include "settings/einstellungen.h"
#include "settings/einstellungsspeicher.h"
#include "settings/einstellungstabelle.h"
#include "testumgebung.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
    void passwortMitMarkierung();
    void ungueltigeLinkOptionLaesstAuswahl();
    void gleicherInhaltBleibtUnberuehrt();
    void ordnerStattDatei();
    void byteOrderMarkEinesEditors();
    void binaerwertWirdNichtGelesen_data();
    void binaerwertWirdNichtGelesen();
    void binaerAussehendeTexteBleibenTexte();
    void verknuepfungAufFremdes_data();
    void verknuepfungAufFremdes();
    void verknuepfungAufEinenSpeicher();

private:
    bool laden(SpeicherFenster& fenster, Optionen& optionen)
    {
        Einstellungen e(optionen, fenster, m_speicher);
        Speicherfehler fehler;
        const bool vollstaendig = e.einstellungenLaden(fehler);
        m_fehler = fehler;
        return vollstaendig;
    }

    Testumgebung m_umgebung;
    Einstellungsspeicher m_speicher;
    // What the last load reported of the store.
    Speicherfehler m_fehler;
};

void TestEinstellungen::ersterStart()
{
    SpeicherFenster fenster;
    Optionen optionen;
    QVERIFY(!laden(fenster, optionen));

    for (const Einstellung& e : einstellungstabelle()) {
        if (const auto* t = std::get_if<Texteinstellung>(&e.art))
            QCOMPARE(fenster.text(t->steuerelement), QString());
    }
    QCOMPARE(fenster.istAngehakt(Haken::FTPUseProxy), false);
    QCOMPARE(fenster.istAngehakt(Haken::FTPPassiv), true);
    QCOMPARE(fenster.istAngehakt(Haken::StatusfensterZeigen), true);
    QCOMPARE(fenster.istAngehakt(Haken::useIS), false);
    QCOMPARE(fenster.aktiveOptionFinden(), Zwischenablageinhalt::HtmlCode);
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
    QTest::addColumn<Haken>("haken");
    QTest::addColumn<bool>("angehakt");
    QTest::addColumn<QString>("neuGeschrieben");

    QTest::newRow("Proxy wahr klein") << "FTPUseProxy"
                                      << "wahr" << Haken::FTPUseProxy << false << "Falsch";
    QTest::newRow("Proxy Wahr") << "FTPUseProxy"
                                << "Wahr" << Haken::FTPUseProxy << true << "Wahr";
    QTest::newRow("Passiv falsch klein") << "FTPPassiv"
                                         << "falsch" << Haken::FTPPassiv << true << "Wahr";
    QTest::newRow("Passiv Falsch") << "FTPPassiv"
                                   << "Falsch" << Haken::FTPPassiv << false << "Falsch";
    QTest::newRow("Status 0") << "StatusfensterZeigen"
                              << "0" << Haken::StatusfensterZeigen << true << "Wahr";
    QTest::newRow("Status Falsch") << "StatusfensterZeigen"
                                   << "Falsch" << Haken::StatusfensterZeigen << false << "Falsch";
    QTest::newRow("Bilderdienst true") << "useIS"
                                       << "true" << Haken::useIS << false << "Falsch";
    QTest::newRow("Bilderdienst Wahr") << "useIS"
                                       << "Wahr" << Haken::useIS << true << "Wahr";
}

void TestEinstellungen::wahrheitswerteWoertlich()
{
    QFETCH(QString, schluessel);
    QFETCH(QString, gespeichert);
    QFETCH(Haken, haken);
    QFETCH(bool, angehakt);
    QFETCH(QString, neuGeschrieben);

    m_umgebung.speicherSetzen(schluessel, gespeichert);
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(fenster.istAngehakt(haken), angehakt);
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
    QCOMPARE(fenster.text(Textfeld::FTPPath), erwartet);
    QCOMPARE(fenster.text(Textfeld::URL), erwartet);
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
    fenster.setText(Textfeld::FTPServer, "anderer.example");
    fenster.setText(Textfeld::FTPPath, "neu");
    Speicherfehler fehler;
    QVERIFY(Einstellungen(optionen, fenster, m_speicher).einstellungenUebernehmen(fehler));
    QCOMPARE(optionen.FTPServer, QStringLiteral("anderer.example"));
    QCOMPARE(fenster.text(Textfeld::FTPPath), QStringLiteral("neu/"));
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

// QSettings reads U+FEFF away at the start of a value; a password that starts with one must come
// back whole from the disk, and the next load must not take it away either.
void TestEinstellungen::passwortMitMarkierung()
{
    const QString passwort = QChar(0xFEFF) + QStringLiteral("geheim");
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    fenster.setText(Textfeld::FTPPassword, passwort);
    Speicherfehler fehler;
    QVERIFY(Einstellungen(optionen, fenster, m_speicher).einstellungenUebernehmen(fehler));
    for (int mal = 1; mal <= 2; ++mal) {
        // A new time makes QSettings read the file, not what it remembers writing.
        QFile datei(m_umgebung.speicherDatei());
        QVERIFY(datei.open(QIODevice::ReadWrite));
        QVERIFY(datei.setFileTime(QDateTime::currentDateTime().addSecs(mal * 10), QFileDevice::FileModificationTime));
        datei.close();
        Optionen wieder;
        laden(fenster, wieder);
        QCOMPARE(wieder.FTPPassword, passwort);
    }
}

void TestEinstellungen::ungueltigeLinkOptionLaesstAuswahl()
{
    m_umgebung.speicherSetzen("LinkOption", "1");
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(optionen.LinkOption, Zwischenablageinhalt::Adresse);

    m_umgebung.speicherSetzen("LinkOption", "7");
    laden(fenster, optionen);
    QCOMPARE(optionen.LinkOption, Zwischenablageinhalt::Adresse);
    QCOMPARE(m_umgebung.speicherInhalt().value("LinkOption"), QStringLiteral("1"));
}

// A store that holds the normal form already is not replaced, so one the user
// keeps read-only starts without a box; any change is written.
void TestEinstellungen::gleicherInhaltBleibtUnberuehrt()
{
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    const QDateTime alt(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    QFile datei(m_umgebung.speicherDatei());
    QVERIFY(datei.open(QIODevice::ReadWrite));
    QVERIFY(datei.setFileTime(alt, QFileDevice::FileModificationTime));
    datei.close();
    laden(fenster, optionen);
    QVERIFY(!m_fehler);
    QCOMPARE(QFileInfo(m_umgebung.speicherDatei()).lastModified().toUTC(), alt);

    m_umgebung.speicherSetzen("FTPPassiv", "falsch");
    laden(fenster, optionen);
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPPassiv"), QStringLiteral("Wahr"));
}

// The store is a folder: reported at the load, by file and reason, and never
// replaced; applying reports it too and keeps what was applied in the record.
void TestEinstellungen::ordnerStattDatei()
{
    QVERIFY(QDir().mkpath(m_umgebung.speicherDatei()));
    const QString grund = QString::fromLocal8Bit(std::strerror(EISDIR));
    SpeicherFenster fenster;
    Optionen optionen;
    QVERIFY(!laden(fenster, optionen));
    QCOMPARE(m_fehler.art, Speicherfehler::Art::Lesen);
    QCOMPARE(m_fehler.ort, m_umgebung.speicherDatei());
    QCOMPARE(m_fehler.grund, grund);

    fenster.setText(Textfeld::FTPServer, "ftp.example.org");
    Speicherfehler fehler;
    QVERIFY(!Einstellungen(optionen, fenster, m_speicher).einstellungenUebernehmen(fehler));
    QCOMPARE(fehler.art, Speicherfehler::Art::Schreiben);
    QCOMPARE(fehler.ort, m_umgebung.speicherDatei());
    QCOMPARE(fehler.grund, grund);
    QCOMPARE(optionen.FTPServer, QStringLiteral("ftp.example.org"));
    QVERIFY(QFileInfo(m_umgebung.speicherDatei()).isDir());
    QVERIFY(QDir(m_umgebung.speicherDatei()).removeRecursively());
}

// An editor that saves with a UTF-8 byte-order mark leaves a file Qt reads
// well but calls damaged once it merges it while writing: the rewrite still
// succeeds and must not be reported as failed.
void TestEinstellungen::byteOrderMarkEinesEditors()
{
    QVERIFY(QDir().mkpath(QFileInfo(m_umgebung.speicherDatei()).path()));
    QFile datei(m_umgebung.speicherDatei());
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("\xef\xbb\xbf[Optionen]\r\nFTPServer=ftp.example.org\r\nFTPLogin=anna\r\n");
    datei.close();

    SpeicherFenster fenster;
    Optionen optionen;
    QVERIFY(laden(fenster, optionen));
    QVERIFY2(!m_fehler, qPrintable(m_fehler.grund));
    QCOMPARE(optionen.FTPServer, QStringLiteral("ftp.example.org"));
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPPassiv"), QStringLiteral("Wahr"));

    fenster.setText(Textfeld::FTPServer, "ftp2.example.org");
    Speicherfehler fehler;
    QVERIFY(Einstellungen(optionen, fenster, m_speicher).einstellungenUebernehmen(fehler));
    QVERIFY(!fehler);
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPServer"), QStringLiteral("ftp2.example.org"));
}

void TestEinstellungen::binaerwertWirdNichtGelesen_data()
{
    QTest::addColumn<QByteArray>("wert");
    // Qt's old number for a key sequence, whose text holds lone surrogates.
    QTest::newRow("Tastenfolge") << QByteArray("@Variant(\\0\\0\\0Lx7fStatusfensterZeigen=)");
    // A polygon of two billion points: Qt asked for 16 GB before it read one.
    QTest::newRow("Vieleck") << QByteArray("@Variant(\\0\\0\\0Gx7fStatusfenstegen=)");
    QTest::newRow("in Anführungszeichen") << QByteArray("  \"@DateTime(\\0)\"");
    QTest::newRow("in einer Liste") << QByteArray("a, @Variant(\\0\\0\\0G\\x7f)");
    QTest::newRow("als Escape") << QByteArray("\\x40Variant(\\0\\0\\0G\\x7f)");
}

// "@Variant(…)" in a hand-made file would make Qt decode a value of whatever
// type its bytes name. The load reports the line, and nothing is written.
void TestEinstellungen::binaerwertWirdNichtGelesen()
{
    QFETCH(QByteArray, wert);
    QVERIFY(QDir().mkpath(QFileInfo(m_umgebung.speicherDatei()).path()));
    QFile datei(m_umgebung.speicherDatei());
    QVERIFY(datei.open(QIODevice::WriteOnly));
    const QByteArray inhalt = "[Optionen]\nFTPServer=ftp.example.org\nFTPPassword=" + wert + '\n';
    datei.write(inhalt);
    datei.close();

    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(m_fehler.art, Speicherfehler::Art::Lesen);
    QVERIFY2(m_fehler.grund.startsWith("Zeile 3 enthält einen Wert der Form"), qPrintable(m_fehler.grund));
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QCOMPARE(datei.readAll(), inhalt);
}

// The program's own texts that look alike are stored so that they stay texts.
void TestEinstellungen::binaerAussehendeTexteBleibenTexte()
{
    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    fenster.setText(Textfeld::FTPPassword, "@Variant(\\0\\0\\0G)");
    fenster.setText(Textfeld::FTPLogin, "x, @DateTime(1)");
    Speicherfehler fehler;
    QVERIFY(Einstellungen(optionen, fenster, m_speicher).einstellungenUebernehmen(fehler));
    Optionen geladen;
    laden(fenster, geladen);
    QVERIFY2(!m_fehler, qPrintable(m_fehler.grund));
    QCOMPARE(geladen.FTPPassword, QStringLiteral("@Variant(\\0\\0\\0G)"));
    QCOMPARE(geladen.FTPLogin, QStringLiteral("x, @DateTime(1)"));
}

void TestEinstellungen::verknuepfungAufFremdes_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<QString>("grund");
    QTest::newRow("Notizen") << "Notizen"
                             << "Zeile 1 ist weder leer noch";
    QTest::newRow("FIFO") << "FIFO"
                          << "“, und das ist keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO).";
    QTest::newRow("Gerät") << "Gerät"
                           << "“, und das ist keine gewöhnliche Datei, sondern ein Gerät.";
}

// The store linked to a file that is no store, or to a FIFO or device: the
// load reports it (without waiting on the FIFO for ever), applying refuses to
// write, and the target stays exactly as it was.
void TestEinstellungen::verknuepfungAufFremdes()
{
    QFETCH(QString, art);
    QFETCH(QString, grund);
    const QString ziel = m_umgebung.konfigurationsordner() + QStringLiteral("/ziel");
    const QByteArray zielName = QFile::encodeName(ziel);
    QFile::remove(ziel);
    if (art == "Notizen") {
        QFile notizen(ziel);
        QVERIFY(notizen.open(QIODevice::WriteOnly));
        notizen.write("Einkaufen: Milch, Brot\n[nicht vergessen]\nPIN=1234\n");
    } else if (art == "FIFO") {
        QVERIFY(::mkfifo(zielName.constData(), 0644) == 0);
    } else if (::mknod(zielName.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        // /dev/null's own numbers in a node of the test's own: were it ever
        // replaced, the machine's /dev/null stays whole.
        QSKIP("no device node can be made here");
    }
    const auto inhalt = [&ziel, &art] {
        QFile notizen(ziel);
        return art == "Notizen" && notizen.open(QIODevice::ReadOnly) ? notizen.readAll() : QByteArray();
    };
    const QByteArray inhaltVorher = inhalt();
    const struct stat vorher = dateistatus(ziel);
    QVERIFY(QDir().mkpath(QFileInfo(m_umgebung.speicherDatei()).path()));
    QVERIFY(QFile::link(ziel, m_umgebung.speicherDatei()));

    SpeicherFenster fenster;
    Optionen optionen;
    laden(fenster, optionen);
    QCOMPARE(m_fehler.art, Speicherfehler::Art::Lesen);
    QVERIFY2(m_fehler.grund.contains(grund), qPrintable(m_fehler.grund));
    fenster.setText(Textfeld::FTPServer, "ftp.example.org");
    Speicherfehler fehler;
    QVERIFY(!Einstellungen(optionen, fenster, m_speicher).einstellungenUebernehmen(fehler));
    QCOMPARE(fehler.grund, m_fehler.grund);

    const struct stat nachher = dateistatus(ziel);
    QCOMPARE(nachher.st_ino, vorher.st_ino);
    QCOMPARE(nachher.st_mode, vorher.st_mode);
    QCOMPARE(inhalt(), inhaltVorher);
    QVERIFY(QFileInfo(m_umgebung.speicherDatei()).isSymLink());
    QVERIFY(QFile::remove(m_umgebung.speicherDatei()));
    QVERIFY(QFile::remove(ziel));
}

// A store kept elsewhere and linked in, as dotfile managers do: read and
// written through the link, which stays a link, and kept private.
void TestEinstellungen::verknuepfungAufEinenSpeicher()
{
    const QString ziel = m_umgebung.konfigurationsordner() + QStringLiteral("/punktdateien/fotoschicker.conf");
    QVERIFY(QDir().mkpath(QFileInfo(ziel).path()));
    QFile datei(ziel);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("[Optionen]\nFTPServer=ftp.example.org\nFTPLogin=anna\n");
    datei.close();
    QVERIFY(QDir().mkpath(QFileInfo(m_umgebung.speicherDatei()).path()));
    QVERIFY(QFile::link(ziel, m_umgebung.speicherDatei()));

    SpeicherFenster fenster;
    Optionen optionen;
    QVERIFY(laden(fenster, optionen));
    QVERIFY2(!m_fehler, qPrintable(m_fehler.grund));
    QCOMPARE(optionen.FTPServer, QStringLiteral("ftp.example.org"));
    QVERIFY(QFileInfo(m_umgebung.speicherDatei()).isSymLink());
    QCOMPARE(m_umgebung.speicherInhalt().value("FTPPassiv"), QStringLiteral("Wahr"));
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QVERIFY(datei.readAll().contains("FTPPassiv=Wahr"));
    QCOMPARE(dateimodus(ziel), 0600);
    QVERIFY(QFile::remove(m_umgebung.speicherDatei()));
}

QTEST_MAIN(TestEinstellungen)
#include "test_einstellungen.moc"
