// ftpUpload against a real FTP server (pyftpdlib) and a real proxy
// (tinyproxy), both on 127.0.0.1 and started by this test.

#include "frist.h"
#include "ftptestserver.h"
#include "laufattrappen.h"
#include "proxytestserver.h"
#include "testumgebung.h"

#include "settings/optionen.h"
#include "statusfenster/statusanzeige.h"
#include "transfer/ftpupload.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace std::chrono_literals;

namespace {
const QString pruefeLogin = QStringLiteral("Überprüfe Login und Passwort");
const QString verbunden = QStringLiteral("Verbindung hergestellt, übertrage Datei...");

struct Ausgang {
    bool erfolg = false;
    QString fehlerText;
    QString pfad;
    QStringList texte;
};

Ausgang hochladen(const QString& pfad, const Optionen& optionen, const FtpZeitgrenzen& grenzen = { 5s, 5s })
{
    Ausgang ausgang;
    const Bilddatei datei = bilddateiAus(pfad, true);
    ausgang.pfad = datei.kurzerPfad;
    AufzeichnendeStatusanzeige status;
    ausgang.erfolg = ftpUpload(datei, optionen, status, ausgang.fehlerText, grenzen) == FtpErgebnis::Hochgeladen;
    ausgang.texte = status.texte;
    return ausgang;
}

Optionen kontoAuf(const FtpTestserver& server)
{
    Optionen optionen;
    optionen.FTPServer = server.adresse();
    optionen.FTPLogin = QStringLiteral("fotograf");
    optionen.FTPPassword = QStringLiteral("geheim");
    return optionen;
}

QByteArray zufallsbytes(qsizetype anzahl)
{
    QByteArray bytes(anzahl, Qt::Uninitialized);
    QRandomGenerator zufall(4711);
    for (char& b : bytes)
        b = static_cast<char>(zufall.bounded(256));
    return bytes;
}

QString verbindungsFehler(const QString& server, const QString& login, int laenge)
{
    return QStringLiteral("Es konnte keine Verbindung zu ") + server + QStringLiteral(" unter Verwendung von Login \"")
        + login + QStringLiteral("\" und ") + QString::number(laenge)
        + QStringLiteral("-stelligem Passwort hergestellt werden!");
}

QString kopierFehler(const QString& entfernt)
{
    return QStringLiteral("Datei konnte nicht nach \"") + entfernt + QStringLiteral("\" kopiert werden!");
}

QStringList stors(const QStringList& befehle)
{
    QStringList gefunden;
    for (const QString& befehl : befehle)
        if (befehl.startsWith(QStringLiteral("STOR ")))
            gefunden << befehl.mid(5);
    return gefunden;
}

qint64 speicherSpitzeKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& zeile : status.readAll().split('\n'))
        if (zeile.startsWith("VmHWM:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}
} // namespace

class TestFtpUpload : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A proxy from the environment must never be used: this one would refuse every connection.
        qputenv("all_proxy", "http://127.0.0.1:9");
        qputenv("ftp_proxy", "http://127.0.0.1:9");
    }

    void speichertDieBytesUnterPfadUndLangemNamen_data()
    {
        QTest::addColumn<QString>("ftpPath");
        QTest::addColumn<QString>("dateiname");
        QTest::addColumn<bool>("passiv");
        QTest::addColumn<QString>("aufDemServer");
        QTest::addColumn<qsizetype>("groesse");

        const qsizetype gross = 300000;
        QTest::newRow("Ordner mit /, passiv") << "bilder/"
                                              << "foto.jpg" << true << "bilder/foto.jpg" << gross;
        QTest::newRow("Ordner mit /, aktiv") << "bilder/"
                                             << "foto.jpg" << false << "bilder/foto.jpg" << gross;
        QTest::newRow("ohne / angehängt") << "bilder"
                                          << "foto.jpg" << true << "bilderfoto.jpg" << gross;
        QTest::newRow("leerer Pfad") << ""
                                     << "foto.jpg" << true << "foto.jpg" << gross;
        QTest::newRow("absoluter Pfad") << "/bilder/"
                                        << "foto.jpg" << true << "bilder/foto.jpg" << gross;
        QTest::newRow("Blanks, Umlaute, # und %")
            << "bilder/" << QStringLiteral("Ürlaub am Meer #1 100%;type=a.jpg") << false
            << QStringLiteral("bilder/Ürlaub am Meer #1 100%;type=a.jpg") << gross;
        QTest::newRow("leere Datei") << "bilder/"
                                     << "leer.jpg" << true << "bilder/leer.jpg" << qsizetype(0);
        // 244 bytes, near the limit of most file systems; the address carries it as 724 characters.
        const QString lang = QString(120, u'ä') + QStringLiteral(".jpg");
        QTest::newRow("langer Name") << "" << lang << true << lang << qsizetype(1000);
    }

    void speichertDieBytesUnterPfadUndLangemNamen()
    {
        QFETCH(QString, ftpPath);
        QFETCH(QString, dateiname);
        QFETCH(bool, passiv);
        QFETCH(QString, aufDemServer);
        QFETCH(qsizetype, groesse);

        FtpTestserver server;
        QVERIFY(server.laeuft());
        QVERIFY(QDir(server.wurzel()).mkdir(QStringLiteral("bilder")));
        Testumgebung umgebung;
        const QString datei = umgebung.datei(dateiname, 0);
        const QByteArray inhalt = zufallsbytes(groesse);
        QFile schreiben(datei);
        QVERIFY(schreiben.open(QIODevice::WriteOnly));
        schreiben.write(inhalt);
        schreiben.close();

        Optionen optionen = kontoAuf(server);
        optionen.FTPPath = ftpPath;
        optionen.FTPPassiv = passiv;
        const Ausgang ausgang = hochladen(datei, optionen);

        QCOMPARE(ausgang.fehlerText, QString());
        QVERIFY(ausgang.erfolg);
        QCOMPARE(ausgang.pfad, datei);
        QCOMPARE(ausgang.texte, QStringList({ pruefeLogin, verbunden, QString() }));
        QFile angekommen(server.wurzel() + u'/' + aufDemServer);
        QVERIFY2(angekommen.open(QIODevice::ReadOnly), qPrintable(angekommen.fileName()));
        QVERIFY(angekommen.readAll() == inhalt);

        const QStringList befehle = server.befehle();
        QCOMPARE(stors(befehle), QStringList{ ftpPath + dateiname });
        // Asked after the upload, of the very name it went to.
        const qsizetype stor = befehle.indexOf(QStringLiteral("STOR ") + ftpPath + dateiname);
        QCOMPARE(befehle.indexOf(QStringLiteral("SIZE ") + ftpPath + dateiname, stor), stor + 1);
        QVERIFY(!befehle.join(u'\n').contains(QStringLiteral("CWD")));
        QVERIFY(befehle.contains(QStringLiteral("TYPE I")));
        const QString modus = passiv ? QStringLiteral("EPSV") : QStringLiteral("EPRT ");
        QVERIFY(
            std::any_of(befehle.begin(), befehle.end(), [&modus](const QString& b) { return b.startsWith(modus); }));
    }

    void gehtDurchDenProxy_data()
    {
        QTest::addColumn<bool>("socks");
        QTest::addColumn<bool>("portImProxy");
        QTest::newRow("HTTP, Port in FTPProxy") << false << true;
        QTest::newRow("HTTP, Port in FTPProxyPort") << false << false;
        QTest::newRow("SOCKS5, Port in FTPProxy") << true << true;
        QTest::newRow("SOCKS5, Port in FTPProxyPort") << true << false;
    }

    void gehtDurchDenProxy()
    {
        QFETCH(bool, socks);
        QFETCH(bool, portImProxy);
        FtpTestserver server;
        ProxyTestserver proxy(socks ? ProxyTestserver::Art::Socks5 : ProxyTestserver::Art::Http);
        QVERIFY(server.laeuft());
        QVERIFY(proxy.laeuft());
        Testumgebung umgebung;
        const QString datei = umgebung.datei(QStringLiteral("proxy.jpg"), 5000);

        Optionen optionen = kontoAuf(server);
        optionen.FTPUseProxy = true;
        const QString host = socks ? QStringLiteral("socks5://127.0.0.1") : QStringLiteral("127.0.0.1");
        const QString port = QString::number(proxy.port());
        // A port in FTPProxy wins; the stray one in FTPProxyPort would lead nowhere.
        optionen.FTPProxy = portImProxy ? host + u':' + port : host;
        optionen.FTPProxyPort = portImProxy ? QStringLiteral("9") : port;
        const Ausgang ausgang = hochladen(datei, optionen);

        QCOMPARE(ausgang.fehlerText, QString());
        QVERIFY(ausgang.erfolg);
        QCOMPARE(QFileInfo(server.wurzel() + QStringLiteral("/proxy.jpg")).size(), 5000);
        const QString protokoll = proxy.protokoll();
        QVERIFY2(protokoll.contains(QStringLiteral("CONNECT 127.0.0.1:") + QString::number(server.port())),
            qPrintable(protokoll));
    }

    void scheitertMitDemTextDesSchritts_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("passwort");
        QTest::addColumn<QString>("ftpPath");
        QTest::addColumn<QString>("rechte");
        QTest::addColumn<bool>("verbindungsText");

        QTest::newRow("falsches Passwort") << "fotograf"
                                           << "falsch12"
                                           << ""
                                           << "elradfmwMT" << true;
        QTest::newRow("leeres Passwort") << "fotograf"
                                         << ""
                                         << ""
                                         << "elradfmwMT" << true;
        QTest::newRow("fehlender Ordner") << "fotograf"
                                          << "geheim"
                                          << "gibtsnicht/"
                                          << "elradfmwMT" << false;
        QTest::newRow("kein Schreibrecht") << "fotograf"
                                           << "geheim"
                                           << ""
                                           << "elr" << false;
    }

    void scheitertMitDemTextDesSchritts()
    {
        QFETCH(QString, login);
        QFETCH(QString, passwort);
        QFETCH(QString, ftpPath);
        QFETCH(QString, rechte);
        QFETCH(bool, verbindungsText);

        FtpTestserver::Art art;
        art.rechte = rechte;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        Optionen optionen = kontoAuf(server);
        optionen.FTPLogin = login;
        optionen.FTPPassword = passwort;
        optionen.FTPPath = ftpPath;
        const Ausgang ausgang = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), 1000), optionen);

        QVERIFY(!ausgang.erfolg);
        QCOMPARE(ausgang.fehlerText,
            verbindungsText ? verbindungsFehler(server.adresse(), login, static_cast<int>(passwort.size()))
                            : kopierFehler(ftpPath + QStringLiteral("foto.jpg")));
        QVERIFY(!ausgang.fehlerText.contains(QStringLiteral("geheim")) || login != QStringLiteral("fotograf"));
        QCOMPARE(ausgang.texte.value(0), pruefeLogin);
        QCOMPARE(ausgang.texte.last(), QString());
        QCOMPARE(ausgang.texte.contains(verbunden), !verbindungsText);
    }

    void zeilenumbruchSchleustKeinenBefehlEin_data()
    {
        QTest::addColumn<bool>("imNamen");
        QTest::newRow("im Dateinamen") << true;
        QTest::newRow("im Login") << false;
    }

    void zeilenumbruchSchleustKeinenBefehlEin()
    {
        QFETCH(bool, imNamen);
        FtpTestserver server;
        QVERIFY(server.laeuft());
        QFile opfer(server.wurzel() + QStringLiteral("/opfer.jpg"));
        QVERIFY(opfer.open(QIODevice::WriteOnly));
        opfer.close();
        Testumgebung umgebung;
        const QString boeserName = QStringLiteral("a.jpg\r\nDELE opfer.jpg");
        Optionen optionen = kontoAuf(server);
        if (!imNamen)
            optionen.FTPLogin = QStringLiteral("fotograf\r\nDELE opfer.jpg");
        const QString datei = umgebung.datei(imNamen ? boeserName : QStringLiteral("gut.jpg"), 10);
        const Ausgang ausgang = hochladen(datei, optionen);

        QVERIFY(!ausgang.erfolg);
        QCOMPARE(ausgang.fehlerText,
            imNamen ? kopierFehler(boeserName) : verbindungsFehler(server.adresse(), optionen.FTPLogin, 6));
        QCOMPARE(ausgang.texte.last(), QString());
        const QStringList befehle = server.befehle();
        QVERIFY2(befehle.filter(QStringLiteral("DELE")).isEmpty(), qPrintable(befehle.join(u'|')));
        QVERIFY(stors(befehle).isEmpty());
        QVERIFY(opfer.exists());
    }

    // libcurl takes no text option longer than 8,000,000 bytes. Unchecked, a
    // refused login went out as "anonymous" with the user's password, and a
    // refused password as an empty one: the server must not be contacted at all.
    void verweigerteAngabeErreichtDenServerNicht_data()
    {
        QTest::addColumn<bool>("imLogin");
        QTest::newRow("Login") << true;
        QTest::newRow("Passwort") << false;
    }

    void verweigerteAngabeErreichtDenServerNicht()
    {
        QFETCH(bool, imLogin);
        FtpTestserver server;
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        Optionen optionen = kontoAuf(server);
        (imLogin ? optionen.FTPLogin : optionen.FTPPassword) = QString(8000001, u'x');
        const Ausgang ausgang = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), 10), optionen);

        QVERIFY(!ausgang.erfolg);
        QCOMPARE(ausgang.fehlerText,
            verbindungsFehler(server.adresse(), optionen.FTPLogin, static_cast<int>(optionen.FTPPassword.size())));
        QCOMPARE(ausgang.texte, QStringList({ pruefeLogin, QString() }));
        QCOMPARE(server.befehle(), QStringList());
    }

    void verstummterServerEndetInDerFrist_data()
    {
        QTest::addColumn<QString>("haengen");
        QTest::addColumn<qint64>("groesse");
        QTest::addColumn<bool>("verbindungsText");

        // Before the login only the connection limit (1 s here) may end it, after it only the silence limit (1 s).
        QTest::newRow("kein Gruß") << "gruss" << qint64(10) << true;
        QTest::newRow("keine Antwort auf PASS") << "login" << qint64(10) << true;
        QTest::newRow("keine Antwort auf STOR") << "stor" << qint64(10) << false;
        // More than the socket buffers on both ends take, so the sender really stalls.
        QTest::newRow("liest die Daten nicht") << "daten" << qint64(64) * 1024 * 1024 << false;
        QTest::newRow("bestätigt die Daten nicht") << "abschluss" << qint64(1000) << false;
    }

    void verstummterServerEndetInDerFrist()
    {
        QFETCH(QString, haengen);
        QFETCH(qint64, groesse);
        QFETCH(bool, verbindungsText);

        // Takes the connection and never greets.
        QTcpServer stumm;
        QVERIFY(stumm.listen(QHostAddress::LocalHost));
        const bool ohneGruss = haengen == QStringLiteral("gruss");
        FtpTestserver::Art art;
        art.haengen = ohneGruss ? QString() : haengen;
        art.verwerfen = true;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        Optionen optionen = kontoAuf(server);
        if (ohneGruss)
            optionen.FTPServer = QStringLiteral("127.0.0.1:") + QString::number(stumm.serverPort());
        const FtpZeitgrenzen grenzen = verbindungsText ? FtpZeitgrenzen{ 1s, 60s } : FtpZeitgrenzen{ 60s, 1s };

        const Frist frist(1s);
        const Ausgang ausgang = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), groesse), optionen, grenzen);

        QVERIFY2(frist.verletzt().isEmpty(), qPrintable(frist.verletzt()));
        QVERIFY(!ausgang.erfolg);
        QCOMPARE(ausgang.fehlerText,
            verbindungsText ? verbindungsFehler(optionen.FTPServer, QStringLiteral("fotograf"), 6)
                            : kopierFehler(QStringLiteral("foto.jpg")));
        QCOMPARE(ausgang.texte.last(), QString());
    }

    void tropfendeAntwortEndetInDerStillefrist_data()
    {
        QTest::addColumn<QString>("tropfen");
        QTest::newRow("auf PWD") << "pwd";
        QTest::newRow("auf STOR") << "stor";
        QTest::newRow("nach den Daten") << "abschluss";
    }

    // Every byte resets no clock: the whole answer must be there within the
    // silence limit. The server drips for a minute, then hangs up by itself.
    void tropfendeAntwortEndetInDerStillefrist()
    {
        QFETCH(QString, tropfen);
        FtpTestserver::Art art;
        art.tropfen = tropfen;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;

        const Frist frist(2s);
        const Ausgang ausgang
            = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), 1000), kontoAuf(server), { 60s, 2s });

        QVERIFY2(frist.verletzt().isEmpty(), qPrintable(frist.verletzt()));
        QVERIFY(!ausgang.erfolg);
        QCOMPARE(ausgang.fehlerText, kopierFehler(QStringLiteral("foto.jpg")));
        QCOMPARE(ausgang.texte.last(), QString());
    }

    void groesseAufDemServerEntscheidet_data()
    {
        QTest::addColumn<qint64>("kuerzen");
        QTest::addColumn<bool>("ohneSize");
        QTest::addColumn<bool>("erfolg");
        QTest::newRow("vollständig") << qint64(-1) << false << true;
        QTest::newRow("nur 10 Bytes behalten") << qint64(10) << false << false;
        QTest::newRow("leer behalten") << qint64(0) << false << false;
        QTest::newRow("Server kennt SIZE nicht") << qint64(-1) << true << true;
        // Without SIZE nothing can be told, so nothing changes.
        QTest::newRow("gekürzt, Server kennt SIZE nicht") << qint64(10) << true << true;
    }

    void groesseAufDemServerEntscheidet()
    {
        QFETCH(qint64, kuerzen);
        QFETCH(bool, ohneSize);
        QFETCH(bool, erfolg);
        FtpTestserver::Art art;
        art.kuerzen = kuerzen;
        art.ohneSize = ohneSize;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        const QString datei = umgebung.datei(QStringLiteral("foto.jpg"), 240000);

        const Ausgang ausgang = hochladen(datei, kontoAuf(server));

        QCOMPARE(ausgang.erfolg, erfolg);
        QCOMPARE(ausgang.fehlerText, erfolg ? QString() : kopierFehler(QStringLiteral("foto.jpg")));
        QCOMPARE(ausgang.texte.last(), QString());
        QCOMPARE(QFileInfo(server.wurzel() + QStringLiteral("/foto.jpg")).size(), kuerzen < 0 ? 240000 : kuerzen);
        QVERIFY(server.befehle().contains(QStringLiteral("SIZE foto.jpg")));
    }

    void unerreichbaresGibtDenVerbindungstext_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("proxy");
        QTest::newRow("geschlossener Port") << "127.0.0.1:9" << false;
        QTest::newRow("kein Host") << ":21" << false;
        QTest::newRow("toter Proxy") << "" << true;
    }

    void unerreichbaresGibtDenVerbindungstext()
    {
        QFETCH(QString, server);
        QFETCH(bool, proxy);
        FtpTestserver ftp;
        Testumgebung umgebung;
        Optionen optionen = kontoAuf(ftp);
        if (!server.isEmpty())
            optionen.FTPServer = server;
        optionen.FTPUseProxy = proxy;
        optionen.FTPProxy = QStringLiteral("127.0.0.1:9");
        const Ausgang ausgang = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), 10), optionen);

        QVERIFY(!ausgang.erfolg);
        QCOMPARE(ausgang.fehlerText, verbindungsFehler(optionen.FTPServer, QStringLiteral("fotograf"), 6));
        QCOMPARE(ausgang.texte, QStringList({ pruefeLogin, QString() }));
    }

    void dateiAendertSichWaehrendDesSendens_data()
    {
        QTest::addColumn<qint64>("spaeter");
        QTest::newRow("schrumpft") << qint64(1000);
        QTest::newRow("wächst") << qint64(2 * 1024 * 1024);
    }

    void dateiAendertSichWaehrendDesSendens()
    {
        QFETCH(qint64, spaeter);
        FtpTestserver::Art art;
        art.storAufhalten = true;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        const QString datei = umgebung.datei(QStringLiteral("wandelbar.jpg"), 1024 * 1024);
        // The server holds the STOR: the size has been taken, and no byte is read
        // before the server answers it. The file changes in between.
        QTimer wache;
        connect(&wache, &QTimer::timeout, this, [&] {
            if (!server.lesestand().storErhalten)
                return;
            wache.stop();
            QFile::resize(datei, spaeter);
            server.storFreigeben();
        });
        wache.start(10);

        const Ausgang ausgang = hochladen(datei, kontoAuf(server), { 30s, 30s });

        QVERIFY(!ausgang.erfolg);
        QCOMPARE(ausgang.fehlerText, kopierFehler(QStringLiteral("wandelbar.jpg")));
        QCOMPARE(ausgang.texte.last(), QString());
    }

    void bleibtAnsprechbarUndMeldetFortschritt()
    {
        FtpTestserver::Art art;
        art.drossel = 128 * 1024;
        art.mitzaehlen = true;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        const qint64 groesse = 640 * 1024;
        const QString datei = umgebung.datei(QStringLiteral("langsam.jpg"), groesse);

        // Each event on this thread, with what the server had really done when it came.
        struct Ereignis {
            bool schritt = false;
            qint64 gezeigt = 0;
            FtpTestserver::Lesestand server;
        };
        QList<Ereignis> ereignisse;
        QTimer takt;
        connect(&takt, &QTimer::timeout, this, [&] { ereignisse.append({ false, 0, server.lesestand() }); });
        takt.start(50);
        class Aufzeichnung : public Statusanzeige {
        public:
            explicit Aufzeichnung(std::function<void(qint64, qint64)> f)
                : melden(std::move(f))
            {
            }
            void status(const QString&) override { }
            void fortschritt(qint64 gesendet, qint64 gesamt) override { melden(gesendet, gesamt); }
            std::function<void(qint64, qint64)> melden;
        } status([&](qint64 gesendet, qint64 gesamt) {
            QCOMPARE(gesamt, groesse);
            ereignisse.append({ true, gesendet, server.lesestand() });
        });
        QElapsedTimer uhr;
        uhr.start();
        QString fehlerText;
        QCOMPARE(ftpUpload(bilddateiAus(datei, true), kontoAuf(server), status, fehlerText, { 30s, 30s }),
            FtpErgebnis::Hochgeladen);
        const qint64 dauer = uhr.elapsed();
        takt.stop();
        QCOMPARE(QFileInfo(server.wurzel() + QStringLiteral("/langsam.jpg")).size(), groesse);

        // What the bar may run ahead of the server's reads: one read of the
        // server's not yet recorded, and what its small receive buffer holds.
        const qint64 spielraum = 128 * 1024;
        qint64 vorher = -1;
        int schritte = 0;
        bool schrittUnterwegs = false;
        bool taktUnterwegs = false;
        for (const Ereignis& e : std::as_const(ereignisse)) {
            const bool unterwegs = e.server.gelesen > 0 && !e.server.bestaetigt;
            if (!e.schritt) {
                taktUnterwegs = taktUnterwegs || unterwegs;
                continue;
            }
            ++schritte;
            schrittUnterwegs = schrittUnterwegs || unterwegs;
            QVERIFY2(e.gezeigt > vorher, qPrintable(QString::number(e.gezeigt)));
            vorher = e.gezeigt;
            QVERIFY2(e.gezeigt <= e.server.gelesen + spielraum,
                qPrintable(
                    QStringLiteral("%1 bytes shown when the server had read %2").arg(e.gezeigt).arg(e.server.gelesen)));
            QVERIFY2(e.gezeigt < groesse || e.server.bestaetigt, "full bar before the server confirmed the upload");
        }
        // The bar moved while the file went out, ended full, and this thread
        // kept handling its timers in between; at most four steps a second.
        QVERIFY(schrittUnterwegs);
        QCOMPARE(vorher, groesse);
        QVERIFY(taktUnterwegs);
        QVERIFY2(schritte <= dauer / 250 + 2, qPrintable(QStringLiteral("%1 steps in %2 ms").arg(schritte).arg(dauer)));
    }

    void grosseDateiBleibtImSpeicherFlach()
    {
        FtpTestserver::Art art;
        art.verwerfen = true;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        const QString datei = umgebung.datei(QStringLiteral("gross.jpg"), qint64(1) << 30);
        const qint64 vorher = speicherSpitzeKiB();

        const Ausgang ausgang = hochladen(datei, kontoAuf(server), { 5s, 30s });

        QCOMPARE(ausgang.fehlerText, QString());
        QVERIFY(ausgang.erfolg);
        const qint64 zuwachs = speicherSpitzeKiB() - vorher;
        QVERIFY2(zuwachs < 50 * 1024, qPrintable(QStringLiteral("%1 KiB more").arg(zuwachs)));
        QFile::remove(datei);
    }
};

QTEST_MAIN(TestFtpUpload)
#include "test_ftpupload.moc"
