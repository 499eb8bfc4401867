#include "frist.h"
#include "httpskriptserver.h"

#include "transfer/bildhostwahl.h"
#include "transfer/httpupload.h"
#include "transfer/multipartkoerper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {
// The body as the image host's form lays it out, line by line.
QByteArray erwarteterKoerper(const QByteArray& name, const QByteArray& inhalt)
{
    return "--AaB03x\r\n"
           "Content-Disposition: form-data; name=\"fileupload\"; filename=\""
        + name
        + "\"\r\n"
          "Content-Transfer-Encoding: binary\r\n"
          "Content-Type: application/octet-stream\r\n"
          "\r\n"
        + inhalt
        + "\r\n"
          "--AaB03x\r\n"
          "Content-Disposition: form-data; name=\"variable1\"\r\n"
          "\r\n"
          "meine variable numero uno\r\n"
          "--AaB03x\r\n"
          "Content-Disposition: form-data; name=\"variable2\"\r\n"
          "\r\n"
          "meine variable zwei\r\n"
          "--AaB03x--";
}

QString dateiAnlegen(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt)
{
    const QString pfad = ordner.filePath(name);
    QDir().mkpath(QFileInfo(pfad).path());
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly))
        return {};
    datei.write(inhalt);
    return pfad;
}
} // namespace

class TestHttpUpload : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void koerperGolden();
    void anfrageAmSocket_data();
    void anfrageAmSocket();
    void fehlerseiteIstAntwort();
    void ohneLesbareDateiBleibtAntwort();
    void grenzen();
    void proxyAusDerUmgebung();
    void bildhostBasis_data();
    void bildhostBasis();

private:
    QTemporaryDir m_ordner;
};

void TestHttpUpload::initTestCase()
{
    // Everything here talks to 127.0.0.1 directly; a proxy from the caller's environment must not step in.
    for (const char* name : { "http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY" })
        qunsetenv(name);
    QVERIFY(m_ordner.isValid());
}

void TestHttpUpload::koerperGolden()
{
    // A name that would close the quotes and start a part of its own, were it written as it is.
    const QByteArray koerper = multipartKoerper("A \"B\"\r\n--AaB03x.JPG", QByteArray("\xFF\xD8\x00\r\n--AaB03x", 13));
    const QByteArray golden(
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"fileupload\"; filename=\"A %22B%22%0D%0A--AaB03x.JPG\"\r\n"
        "Content-Transfer-Encoding: binary\r\n"
        "Content-Type: application/octet-stream\r\n"
        "\r\n"
        "\xFF\xD8\x00\r\n--AaB03x\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"variable1\"\r\n"
        "\r\n"
        "meine variable numero uno\r\n"
        "--AaB03x\r\n"
        "Content-Disposition: form-data; name=\"variable2\"\r\n"
        "\r\n"
        "meine variable zwei\r\n"
        "--AaB03x--",
        335 + 27 + 13);
    QCOMPARE(koerper, golden);
}

void TestHttpUpload::anfrageAmSocket_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("inhalt");
    // The name as the form carries it: without the folders.
    QTest::addColumn<QByteArray>("formularname");
    QTest::newRow("leere Datei") << "leer.jpg" << QByteArray() << QByteArray("leer.jpg");
    QTest::newRow("NUL, CR LF und Grenze im Inhalt")
        << "binaer.png" << QByteArray("\x89PNG\x00\x00\r\n--AaB03x\r\n--AaB03x--\r\n\xFF", 31)
        << QByteArray("binaer.png");
    QTest::newRow("Leerzeichen im Pfad") << "ordner mit leer/bild eins.gif" << QByteArray("GIF89a ...")
                                         << QByteArray("bild eins.gif");
    QTest::newRow("Umlaut im Pfad") << "größe.jpg" << QByteArray("\xFF\xD8\xFF")
                                    << QByteArray("gr\xC3\xB6\xC3\x9F"
                                                  "e.jpg");
    QTest::newRow("Kopfzeile und Teil im Namen")
        << "x\r\n\r\nGIF89a\r\n--AaB03x\r\nX: \"y.jpg" << QByteArray("\xFF\xD8\xFF")
        << QByteArray("x%0D%0A%0D%0AGIF89a%0D%0A--AaB03x%0D%0AX: %22y.jpg");
}

void TestHttpUpload::anfrageAmSocket()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, inhalt);
    QFETCH(QByteArray, formularname);
    const QString pfad = dateiAnlegen(m_ordner, name, inhalt);
    HttpSkriptServer server;
    server.seiteAntworten("<p>danke</p>");

    QString antwort = QStringLiteral("vorher");
    QVERIFY(httpUpload(server.host(), QStringLiteral("/"), pfad, antwort));
    QCOMPARE(antwort, QStringLiteral("<p>danke</p>"));
    QCOMPARE(server.anfragen.size(), 1);

    const HttpNachricht anfrage = httpZerlegen(server.anfragen.first());
    QCOMPARE(anfrage.koerper, erwarteterKoerper(formularname, inhalt));
    QCOMPARE(anfrage.koerper.size(), 335 + formularname.size() + inhalt.size());

    for (const QByteArray& zeile : anfrage.kopf.split('\n'))
        QVERIFY2(zeile.isEmpty() || zeile.endsWith('\r'), zeile.constData());
    const QByteArray kopf = anfrage.kopf;
    QVERIFY2(kopf.startsWith("POST / HTTP/1.0\r\n"), kopf.constData());
    QVERIFY(kopf.contains(QByteArray("\r\nHost: " + server.host().toLatin1() + "\r\n")));
    QVERIFY(kopf.contains("\r\nContent-Type: multipart/form-data, boundary=AaB03x\r\n"));
    QVERIFY(kopf.contains(QByteArray("\r\nContent-Length: " + QByteArray::number(anfrage.koerper.size()) + "\r\n")));
    QVERIFY(kopf.contains("\r\nPragma: no-cache\r\n"));
    QVERIFY(kopf.contains("\r\nCache-Control: no-cache\r\n"));
    QVERIFY(kopf.contains("\r\nUser-Agent: test_httpupload\r\n"));
    QVERIFY(!kopf.toLower().contains("authorization"));
    QVERIFY(!kopf.toLower().contains("expect"));
    QCOMPARE(kopf.count("Content-Type"), 1);
}

void TestHttpUpload::fehlerseiteIstAntwort()
{
    const QString pfad = dateiAnlegen(m_ordner, QStringLiteral("fehler.jpg"), "\xFF\xD8\xFF");
    HttpSkriptServer server;
    server.seiteAntworten("<h1>Nicht gefunden</h1>", 404);
    QString antwort;
    QVERIFY(httpUpload(server.host(), QStringLiteral("/"), pfad, antwort));
    QCOMPARE(antwort, QStringLiteral("<h1>Nicht gefunden</h1>"));

    // Nobody listening: the request went nowhere and the reply is empty, which is not told apart here.
    quint16 freierPort = 0;
    {
        HttpSkriptServer geschlossen;
        freierPort = geschlossen.port();
    }
    antwort = QStringLiteral("vorher");
    QVERIFY(httpUpload(QStringLiteral("127.0.0.1:") + QString::number(freierPort), QStringLiteral("/"), pfad, antwort));
    QCOMPARE(antwort, QString());
}

void TestHttpUpload::ohneLesbareDateiBleibtAntwort()
{
    HttpSkriptServer server;
    for (const QString& pfad : { QString(), m_ordner.filePath(QStringLiteral("fehlt.jpg")), m_ordner.path() }) {
        QString antwort = QStringLiteral("vorher");
        QVERIFY2(!httpUpload(server.host(), QStringLiteral("/"), pfad, antwort), qPrintable(pfad));
        QCOMPARE(antwort, QStringLiteral("vorher"));
    }
    // A request that does go out: had any of the refused calls sent one, it would have come first.
    const QString lesbar = dateiAnlegen(m_ordner, QStringLiteral("lesbar.jpg"), "\xFF\xD8\xFF");
    QString antwort;
    QVERIFY(httpUpload(server.host(), QStringLiteral("/"), lesbar, antwort));
    QCOMPARE(server.anfragen.size(), 1);
    QVERIFY(server.anfragen.first().contains("lesbar.jpg\"\r\n"));
}

void TestHttpUpload::grenzen()
{
    const QString pfad = dateiAnlegen(m_ordner, QStringLiteral("grenze.jpg"), "\xFF\xD8\xFF");
    HttpGrenzen kurz;
    kurz.antwortHoechstens = 4096;
    kurz.stille = 1s;

    HttpSkriptServer server;
    QString antwort;
    server.seiteAntworten(QByteArray(4096, 'x'));
    QVERIFY(httpUpload(server.host(), QStringLiteral("/"), pfad, antwort, kurz));
    QCOMPARE(antwort.size(), 4096);

    server.seiteAntworten("[img]http://a/b.jpg[/img]" + QByteArray(4096, 'x'));
    QVERIFY(!httpUpload(server.host(), QStringLiteral("/"), pfad, antwort, kurz));
    QCOMPARE(antwort, QString());

    // The real limit: a megabyte of reply and not a byte more.
    server.seiteAntworten(QByteArray(1024 * 1024 + 1, 'x'));
    antwort = QStringLiteral("vorher");
    QVERIFY(!httpUpload(server.host(), QStringLiteral("/"), pfad, antwort));
    QCOMPARE(antwort, QString());

    server.schweigen();
    const Frist frist(kurz.stille);
    QVERIFY(!httpUpload(server.host(), QStringLiteral("/"), pfad, antwort, kurz));
    QVERIFY2(frist.verletzt().isEmpty(), qPrintable(frist.verletzt()));
    QCOMPARE(server.anfragen.size(), 4);
}

void TestHttpUpload::proxyAusDerUmgebung()
{
    const QString pfad = dateiAnlegen(m_ordner, QStringLiteral("proxy.jpg"), "\xFF\xD8\xFF");
    HttpSkriptServer proxy;
    qputenv("http_proxy", "http://" + proxy.host().toLatin1());
    QString antwort;
    const bool ok = httpUpload(QStringLiteral("bildhost.invalid:8080"), QStringLiteral("/"), pfad, antwort);
    qunsetenv("http_proxy");
    QVERIFY(ok);
    QCOMPARE(proxy.anfragen.size(), 1);
    const QByteArray kopf = httpZerlegen(proxy.anfragen.first()).kopf;
    QVERIFY2(kopf.startsWith("POST http://bildhost.invalid:8080/ HTTP/1.0\r\n"), kopf.constData());
    QVERIFY(kopf.contains("\r\nPragma: no-cache\r\n"));
}

// What the store's imageHost may say; anything else must not be posted to.
void TestHttpUpload::bildhostBasis_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("basis");
    QTest::newRow("Name") << "bilder.example.org"
                          << "http://bilder.example.org";
    QTest::newRow("Name und Port") << "127.0.0.1:8080"
                                   << "http://127.0.0.1:8080";
    QTest::newRow("http://, Großbuchstaben") << "HTTP://Bilder.example.org/"
                                             << "http://bilder.example.org";
    QTest::newRow("https:// mit Port") << "https://bilder.example.org:8443"
                                       << "https://bilder.example.org:8443";
    QTest::newRow("IPv6") << "[::1]:8080"
                          << "http://[::1]:8080";
    QTest::newRow("Pfad") << "bilder.example.org/upload"
                          << "";
    QTest::newRow("Anmeldung") << "anna@bilder.example.org"
                               << "";
    QTest::newRow("anderes Schema") << "ftp://bilder.example.org"
                                    << "";
    QTest::newRow("Leerzeichen") << "bilder example.org"
                                 << "";
    QTest::newRow("Port 0") << "bilder.example.org:0"
                            << "";
    QTest::newRow("Port zu groß") << "bilder.example.org:70000"
                                  << "";
    QTest::newRow("Abfrage") << "bilder.example.org?x=1"
                             << "";
    QTest::newRow("leer") << ""
                          << "";
}

void TestHttpUpload::bildhostBasis()
{
    QFETCH(QString, host);
    QFETCH(QString, basis);
    QCOMPARE(QString::fromLatin1(::bildhostBasis(host).value_or(QByteArray())), basis);
}

QTEST_GUILESS_MAIN(TestHttpUpload)
#include "test_httpupload.moc"
