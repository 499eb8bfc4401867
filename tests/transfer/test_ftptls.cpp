// ftpUpload over TLS against pyftpdlib's TLS handler, with certificates this
// test makes itself: what arrives, in which order the server saw handshake
// and login, and that an untrusted certificate or a server without TLS stops
// the upload before the login goes out.

#include "ftptestserver.h"
#include "laufattrappen.h"
#include "proxytestserver.h"
#include "testumgebung.h"
#include "tlszertifikate.h"

#include "platform/privatedatei.h"
#include "settings/optionen.h"
#include "transfer/ftploeschen.h"
#include "transfer/ftpupload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace std::chrono_literals;

namespace {
const QString pruefeLogin = QStringLiteral("Überprüfe Login und Passwort");
const QString verbunden = QStringLiteral("Verbindung hergestellt, übertrage Datei...");
const QString unbekannterAussteller = QStringLiteral("Der Aussteller ist unbekannt.");

struct Ausgang {
    FtpErgebnis ergebnis = FtpErgebnis::Gescheitert;
    QString fehlerText;
    QStringList texte;
};

Ausgang hochladen(const QString& datei, const Optionen& optionen)
{
    Ausgang ausgang;
    AufzeichnendeStatusanzeige status;
    ausgang.ergebnis = ftpUpload(bilddateiAus(datei, true), optionen, status, ausgang.fehlerText, { 10s, 10s });
    ausgang.texte = status.texte;
    return ausgang;
}

Optionen kontoAuf(const QString& server)
{
    Optionen optionen;
    optionen.FTPServer = server;
    optionen.FTPLogin = QStringLiteral("fotograf");
    optionen.FTPPassword = QStringLiteral("geheim");
    optionen.FTPPassiv = true;
    return optionen;
}

QString verbindungsFehler(const QString& server)
{
    return QStringLiteral("Es konnte keine Verbindung zu ") + server
        + QStringLiteral(" unter Verwendung von Login \"fotograf\" und 6-stelligem Passwort hergestellt werden!");
}

FtpTestserver::Art tlsServer(const QString& tls, const QString& zertifikat)
{
    FtpTestserver::Art art;
    art.tls = tls;
    art.zertifikat = zertifikat;
    return art;
}

QByteArray zufallsdatei(const QString& pfad, qsizetype groesse)
{
    QByteArray bytes(groesse, Qt::Uninitialized);
    QRandomGenerator zufall(815);
    for (char& b : bytes)
        b = static_cast<char>(zufall.bounded(256));
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(bytes) != groesse)
        return {};
    return bytes;
}

QByteArray readAll(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// Whether the server was sent the user name or the password.
bool loginGesendet(const QStringList& befehle)
{
    return std::any_of(befehle.begin(), befehle.end(), [](const QString& befehl) {
        return befehl.startsWith(QStringLiteral("USER")) || befehl.startsWith(QStringLiteral("PASS"));
    });
}
} // namespace

class TestFtpTls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A proxy from the environment must never be used: this one would refuse every connection.
        qputenv("all_proxy", "http://127.0.0.1:9");
        qputenv("ftp_proxy", "http://127.0.0.1:9");
        QVERIFY(m_zertifikate.bereit());
    }

    void init() { TlsZertifikate::vertrauen(m_zertifikate.ca()); }

    void landetUnverfaelscht_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QString>("tls");
        QTest::addColumn<bool>("passiv");
        QTest::addColumn<QString>("proxy");
        QTest::addColumn<bool>("caAusOrdner");

        QTest::newRow("ftpes://") << "ftpes://"
                                  << "explizit" << true << "" << false;
        QTest::newRow("ftps://") << "ftps://"
                                 << "implizit" << true << "" << false;
        // This libcurl would open an active data connection without TLS.
        QTest::newRow("FTPES:// mit aktiver Übertragung eingestellt") << "FTPES://"
                                                                      << "explizit" << false << "" << false;
        QTest::newRow("ftpes://, Stelle aus SSL_CERT_DIR") << "ftpes://"
                                                           << "explizit" << true << "" << true;
        QTest::newRow("ftpes:// durch HTTP-Proxy") << "ftpes://"
                                                   << "explizit" << true << "http" << false;
        QTest::newRow("ftps:// durch SOCKS5-Proxy") << "ftps://"
                                                    << "implizit" << true << "socks5" << false;
    }

    void landetUnverfaelscht()
    {
        QFETCH(QString, schema);
        QFETCH(QString, tls);
        QFETCH(bool, passiv);
        QFETCH(QString, proxy);
        QFETCH(bool, caAusOrdner);

        FtpTestserver server(tlsServer(tls, m_zertifikate.datei(QStringLiteral("server.pem"))));
        QVERIFY(server.laeuft());
        std::unique_ptr<ProxyTestserver> vermittler;
        if (!proxy.isEmpty()) {
            vermittler = std::make_unique<ProxyTestserver>(
                proxy == QStringLiteral("http") ? ProxyTestserver::Art::Http : ProxyTestserver::Art::Socks5);
            QVERIFY(vermittler->laeuft());
        }
        if (caAusOrdner)
            TlsZertifikate::vertrauen(QString(), m_zertifikate.caOrdner());
        Testumgebung umgebung;
        const QString datei = umgebung.datei(QStringLiteral("geheim.jpg"), 0);
        const QByteArray inhalt = zufallsdatei(datei, 300000);
        QVERIFY(!inhalt.isEmpty());

        Optionen optionen = kontoAuf(schema + server.adresse());
        optionen.FTPPassiv = passiv;
        if (vermittler) {
            optionen.FTPUseProxy = true;
            optionen.FTPProxy = (proxy == QStringLiteral("http") ? QString() : proxy + QStringLiteral("://"))
                + QStringLiteral("127.0.0.1:") + QString::number(vermittler->port());
        }
        const Ausgang ausgang = hochladen(datei, optionen);

        QCOMPARE(ausgang.fehlerText, QString());
        QCOMPARE(ausgang.ergebnis, FtpErgebnis::Hochgeladen);
        QCOMPARE(ausgang.texte, QStringList({ pruefeLogin, verbunden, QString() }));
        QFile angekommen(server.wurzel() + QStringLiteral("/geheim.jpg"));
        QVERIFY(angekommen.open(QIODevice::ReadOnly));
        const QByteArray gespeichert = angekommen.readAll();
        QCOMPARE(gespeichert.size(), inhalt.size());
        QVERIFY(gespeichert == inhalt);

        // The handshake came before the login, TLS was asked for the data, and
        // the data connection had its own handshake.
        const QStringList ereignisse = server.protokoll();
        const QString mitschrift = ereignisse.join(u'|');
        const qsizetype handschlag = ereignisse.indexOf(QStringLiteral("TLS STEUERUNG"));
        const qsizetype user = ereignisse.indexOf(QStringLiteral("BEFEHL USER fotograf"));
        QVERIFY2(handschlag >= 0 && user > handschlag, qPrintable(mitschrift));
        // Explicit TLS begins with AUTH TLS (no AUTH SSL first); implicit TLS with the handshake.
        const qsizetype ersterBefehl = std::find_if(ereignisse.begin(), ereignisse.end(), [](const QString& z) {
            return z.startsWith(QStringLiteral("BEFEHL "));
        }) - ereignisse.begin();
        if (tls == QStringLiteral("explizit"))
            QCOMPARE(ereignisse.value(ersterBefehl), QStringLiteral("BEFEHL AUTH TLS"));
        else
            QVERIFY2(handschlag < ersterBefehl, qPrintable(mitschrift));
        const qsizetype prot = ereignisse.indexOf(QStringLiteral("BEFEHL PROT P"));
        const qsizetype stor = ereignisse.indexOf(QStringLiteral("BEFEHL STOR geheim.jpg"));
        QVERIFY2(prot > user && stor > prot, qPrintable(mitschrift));
        QVERIFY2(ereignisse.contains(QStringLiteral("TLS DATEN")), qPrintable(mitschrift));
        QVERIFY2(
            ereignisse.filter(QStringLiteral("EPRT")).isEmpty() && ereignisse.filter(QStringLiteral("PORT")).isEmpty(),
            qPrintable(mitschrift));
        if (vermittler)
            QVERIFY(vermittler->protokoll().contains(
                QStringLiteral("CONNECT 127.0.0.1:") + QString::number(server.port())));
    }

    void zertifikatWirdAbgelehnt_data()
    {
        QTest::addColumn<QString>("tls");
        QTest::addColumn<QString>("zertifikat");
        QTest::addColumn<bool>("nurSystemstellen");
        QTest::addColumn<QString>("grund");

        const QString fremd = QStringLiteral("Es ist auf einen anderen Namen ausgestellt.");
        const QString unbekannt = unbekannterAussteller;
        QTest::newRow("ftpes://, anderer Name") << "explizit"
                                                << "fremder-name.pem" << false << fremd;
        QTest::newRow("ftpes://, fremde Stelle") << "explizit"
                                                 << "unbekannt.pem" << false << unbekannt;
        QTest::newRow("ftpes://, abgelaufen") << "explizit"
                                              << "abgelaufen.pem" << false << "Es ist abgelaufen.";
        QTest::newRow("ftps://, anderer Name") << "implizit"
                                               << "fremder-name.pem" << false << fremd;
        QTest::newRow("ftps://, fremde Stelle") << "implizit"
                                                << "unbekannt.pem" << false << unbekannt;
        // Without SSL_CERT_FILE and SSL_CERT_DIR only the system's authorities count.
        QTest::newRow("ftpes://, nur die Stellen des Systems") << "explizit"
                                                               << "server.pem" << true << unbekannt;
    }

    void zertifikatWirdAbgelehnt()
    {
        QFETCH(QString, tls);
        QFETCH(QString, zertifikat);
        QFETCH(bool, nurSystemstellen);
        QFETCH(QString, grund);

        FtpTestserver server(tlsServer(tls, m_zertifikate.datei(zertifikat)));
        QVERIFY(server.laeuft());
        if (nurSystemstellen)
            TlsZertifikate::vertrauen(QString());
        Testumgebung umgebung;
        const QString schema
            = tls == QStringLiteral("explizit") ? QStringLiteral("ftpes://") : QStringLiteral("ftps://");
        const Ausgang ausgang
            = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), 1000), kontoAuf(schema + server.adresse()));

        // An authority nobody trusts may be trusted by hand: then the sentence heads the question.
        QCOMPARE(ausgang.ergebnis,
            grund == unbekannterAussteller ? FtpErgebnis::Rueckfrage : FtpErgebnis::ZertifikatAbgelehnt);
        QCOMPARE(ausgang.fehlerText.section(QStringLiteral("\r\n"), 0, 0),
            QStringLiteral("Das Zertifikat von 127.0.0.1 ist nicht vertrauenswürdig: ") + grund);
        QCOMPARE(ausgang.texte, QStringList({ pruefeLogin, QString() }));
        const QStringList befehle = server.befehle();
        QVERIFY2(!loginGesendet(befehle), qPrintable(befehle.join(u'|')));
        QVERIFY(QDir(server.wurzel()).isEmpty());
    }

    // A certificate from an authority the system does not know: the user may
    // pin its key, and from then on that key, and only that one, passes: for
    // uploads, for removing what a cancel left, and for deleting from the history.
    void eigenesZertifikatWirdGemerkt()
    {
        FtpTestserver server(
            tlsServer(QStringLiteral("explizit"), m_zertifikate.datei(QStringLiteral("unbekannt.pem"))));
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        const QString datei = umgebung.datei(QStringLiteral("eigen.jpg"), 0);
        const QByteArray inhalt = zufallsdatei(datei, 20000);
        const Optionen optionen = kontoAuf(QStringLiteral("ftpes://") + server.adresse());

        Vertrauensfrage frage;
        AufzeichnendeStatusanzeige status;
        QString fehlerText;
        QCOMPARE(ftpUpload(bilddateiAus(datei, true), optionen, status, fehlerText, { 10s, 10s }, &frage),
            FtpErgebnis::Rueckfrage);
        QVERIFY2(fehlerText.startsWith(QStringLiteral(
                     "Das Zertifikat von 127.0.0.1 ist nicht vertrauenswürdig: Der Aussteller ist unbekannt.\r\n"
                     "SHA-256-Fingerabdruck: ")),
            qPrintable(fehlerText));
        QVERIFY2(fehlerText.endsWith(QStringLiteral("\r\nDiesem Zertifikat für 127.0.0.1 künftig vertrauen?")),
            qPrintable(fehlerText));
        QVERIFY2(!loginGesendet(server.befehle()), qPrintable(server.befehle().join(u'|')));
        QString grund;
        QVERIFY2(vertrauenMerken(frage, grund), qPrintable(grund));
        QVERIFY(istPrivat(eigeneZertifikatsschluessel()));

        const Ausgang ausgang = hochladen(datei, optionen);
        QCOMPARE(ausgang.ergebnis, FtpErgebnis::Hochgeladen);
        QVERIFY(readAll(server.wurzel() + QStringLiteral("/eigen.jpg")) == inhalt);
        QCOMPARE(
            ftpLoeschen(optionen, QStringLiteral("eigen.jpg"), fehlerText, { 10s, 10s }), FtpLoeschergebnis::Geloescht);
        QVERIFY(!QFile::exists(server.wurzel() + QStringLiteral("/eigen.jpg")));

        // Stopped once part of it is on the server's disk; flow control keeps
        // the rest of the 64 MB from going out before that.
        const QString gross = umgebung.datei(QStringLiteral("gross.jpg"), 64 << 20);
        const QString ziel = server.wurzel() + QStringLiteral("/gross.jpg");
        AufzeichnendeStatusanzeige abbrechend;
        auto angekommen = std::make_shared<std::atomic<bool>>(false);
        abbrechend.abbrechenWenn = [ziel, angekommen] {
            if (!*angekommen && QFileInfo(ziel).size() > 0)
                *angekommen = true;
            return angekommen->load();
        };
        QCOMPARE(ftpUpload(bilddateiAus(gross, true), optionen, abbrechend, fehlerText, { 10s, 10s }),
            FtpErgebnis::Abgebrochen);
        QVERIFY(server.befehle().contains(QStringLiteral("DELE gross.jpg")));
        QVERIFY(!QFile::exists(ziel));

        // Another certificate on the same host and port: the pin names the first key.
        FtpTestserver anderer(tlsServer(QStringLiteral("explizit"), m_zertifikate.datei(QStringLiteral("server.pem"))));
        QVERIFY(anderer.laeuft());
        TlsZertifikate::vertrauen(QString());
        const QByteArray nadel = frage.zeile.split(' ').value(1);
        frage.zeile = "127.0.0.1:" + QByteArray::number(anderer.port()) + ' ' + nadel;
        QVERIFY(vertrauenMerken(frage, grund));
        const Ausgang abgelehnt = hochladen(datei, kontoAuf(QStringLiteral("ftpes://") + anderer.adresse()));
        QCOMPARE(abgelehnt.ergebnis, FtpErgebnis::SchluesselGeaendert);
        QVERIFY2(abgelehnt.fehlerText.contains(QStringLiteral("Gespeichert: ") + QString::fromLatin1(nadel)),
            qPrintable(abgelehnt.fehlerText));
        QVERIFY2(!loginGesendet(anderer.befehle()), qPrintable(anderer.befehle().join(u'|')));
    }

    // Expired or for another name: refused as before, never offered.
    void fehlerhaftesZertifikatWirdNichtAngeboten_data()
    {
        QTest::addColumn<QString>("zertifikat");
        QTest::addColumn<QString>("grund");
        QTest::newRow("unbekannte Stelle, abgelaufen") << "unbekannt-abgelaufen.pem"
                                                       << "Der Aussteller ist unbekannt.";
        QTest::newRow("anderer Name") << "fremder-name.pem"
                                      << "Es ist auf einen anderen Namen ausgestellt.";
    }

    void fehlerhaftesZertifikatWirdNichtAngeboten()
    {
        QFETCH(QString, zertifikat);
        QFETCH(QString, grund);
        FtpTestserver server(tlsServer(QStringLiteral("explizit"), m_zertifikate.datei(zertifikat)));
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        Vertrauensfrage frage;
        AufzeichnendeStatusanzeige status;
        QString fehlerText;
        QCOMPARE(ftpUpload(bilddateiAus(umgebung.datei(QStringLiteral("f.jpg"), 100), true),
                     kontoAuf(QStringLiteral("ftpes://") + server.adresse()), status, fehlerText, { 10s, 10s }, &frage),
            FtpErgebnis::ZertifikatAbgelehnt);
        QCOMPARE(fehlerText, QStringLiteral("Das Zertifikat von 127.0.0.1 ist nicht vertrauenswürdig: ") + grund);
        QVERIFY(frage.zeile.isEmpty());
        QVERIFY(!loginGesendet(server.befehle()));
    }

    void ohneTlsBeimServerKeinKlartext_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::newRow("ftpes://, AUTH TLS abgelehnt") << "ftpes://";
        QTest::newRow("ftps://, kein TLS am Port") << "ftps://";
    }

    void ohneTlsBeimServerKeinKlartext()
    {
        QFETCH(QString, schema);
        FtpTestserver server;
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        const Optionen optionen = kontoAuf(schema + server.adresse());
        const Ausgang ausgang = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), 1000), optionen);

        QCOMPARE(ausgang.ergebnis, FtpErgebnis::Gescheitert);
        QCOMPARE(ausgang.fehlerText, verbindungsFehler(optionen.FTPServer));
        const QStringList befehle = server.befehle();
        QVERIFY2(!loginGesendet(befehle), qPrintable(befehle.join(u'|')));
        if (schema == QStringLiteral("ftpes://"))
            QVERIFY2(befehle.contains(QStringLiteral("AUTH TLS")), qPrintable(befehle.join(u'|')));
        QVERIFY(QDir(server.wurzel()).isEmpty());
    }

    void fremdesSchemaBleibtDaheim_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::newRow("http://") << "http://";
        QTest::newRow("scp://") << "scp://";
        QTest::newRow("FTPX://") << "FTPX://";
    }

    void fremdesSchemaBleibtDaheim()
    {
        QFETCH(QString, schema);
        QTcpServer lauscher;
        QVERIFY(lauscher.listen(QHostAddress::LocalHost));
        Testumgebung umgebung;
        const Optionen optionen
            = kontoAuf(schema + QStringLiteral("127.0.0.1:") + QString::number(lauscher.serverPort()));
        const Ausgang ausgang = hochladen(umgebung.datei(QStringLiteral("foto.jpg"), 10), optionen);

        QCOMPARE(ausgang.ergebnis, FtpErgebnis::Gescheitert);
        QCOMPARE(ausgang.fehlerText, verbindungsFehler(optionen.FTPServer));
        QCOMPARE(ausgang.texte, QStringList({ pruefeLogin, QString() }));
        // A connection the upload opened would be waiting here by now.
        QVERIFY(!lauscher.waitForNewConnection(0));
    }

private:
    TlsZertifikate m_zertifikate;
};

QTEST_MAIN(TestFtpTls)
#include "test_ftptls.moc"
