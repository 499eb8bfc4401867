#include "bildhostprozess.h"
#include "httpskriptserver.h"

#include "transfer/multipartkoerper.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

namespace {
const QByteArray jpeg("\xFF\xD8\xFF\xE0 kein echtes, aber ein JPEG nach dem Anfang");

QStringList alleDateien(const QString& ordner)
{
    QStringList dateien;
    QDirIterator gang(ordner, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (gang.hasNext())
        dateien << QDir(ordner).relativeFilePath(gang.next());
    return dateien;
}

// A refusal is an HTML page that the uploading program cannot mistake for an address.
void istAblehnung(const QByteArray& antwort, int status)
{
    QCOMPARE(httpStatus(antwort), status);
    const HttpNachricht nachricht = httpZerlegen(antwort);
    QVERIFY2(nachricht.kopf.contains("Content-Type: text/html"), nachricht.kopf.constData());
    QVERIFY(nachricht.koerper.contains("<html"));
    QVERIFY(!nachricht.koerper.contains("[img]"));
}
} // namespace

class TestBildhostServer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ablehnungen();
    void nameDesClientsZaehltNicht();
    void nurEigeneNamenWerdenAusgeliefert();
    void mehrereGleichzeitig();
    void haeltBeiSigterm();
    void loeschenMitSchluessel();
    void clientHinterDemProxy();
};

void TestBildhostServer::ablehnungen()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM), { "--max-size", "1000" });
    QVERIFY(bildhost.laeuft());

    istAblehnung(bildhost.formularSenden(multipartKoerper("bild.jpg", "kein Bild, nur Text")), 415);
    istAblehnung(bildhost.formularSenden(multipartKoerper("bild.bmp", "BM\x36\x00\x00\x00")), 415);
    istAblehnung(bildhost.formularSenden(multipartKoerper("gross.jpg", jpeg + QByteArray(1001, 'x'))), 413);
    // Refused by its announced length alone, before a byte of it is read.
    istAblehnung(bildhost.senden("POST / HTTP/1.0\r\nContent-Type: multipart/form-data, boundary=AaB03x\r\n"
                                 "Content-Length: 100000000\r\n\r\n"),
        413);
    istAblehnung(bildhost.formularSenden(multipartKoerper("bild.jpg", jpeg).chopped(12)), 400);
    istAblehnung(bildhost.formularSenden(multipartKoerper("bild.jpg", jpeg).replace("fileupload", "anderesfeld")), 400);
    istAblehnung(bildhost.senden("POST / HTTP/1.0\r\nContent-Type: image/jpeg\r\nContent-Length: "
                     + QByteArray::number(jpeg.size()) + "\r\n\r\n" + jpeg),
        400);
    QCOMPARE(alleDateien(bildhost.elternordner()), QStringList());

    // At the limit it is taken.
    const QByteArray genau = jpeg + QByteArray(1000 - jpeg.size(), 'x');
    QCOMPARE(httpStatus(bildhost.formularSenden(multipartKoerper("genau.jpg", genau))), 200);
}

void TestBildhostServer::nameDesClientsZaehltNicht()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(bildhost.laeuft());
    const QByteArray png("\x89PNG\r\n\x1A\n mit dem Namen einer Systemdatei", 39);

    const QByteArray antwort = bildhost.formularSenden(multipartKoerper("../../etc/passwd", png));
    QCOMPARE(httpStatus(antwort), 200);
    const auto treffer = QRegularExpression(
        "\\[img\\]http://127\\.0\\.0\\.1:" + QString::number(bildhost.port()) + "/([0-9a-f]{32}\\.png)\\[/img\\]")
                             .match(QString::fromUtf8(httpZerlegen(antwort).koerper));
    QVERIFY2(treffer.hasMatch(), antwort.constData());
    // Only the picture, under its own name, and its deletion key's hash, in its own folder; nothing above it.
    QStringList dateien = alleDateien(bildhost.elternordner());
    dateien.sort();
    QCOMPARE(
        dateien, QStringList({ "ablage/." + treffer.captured(1) + ".schluessel", "ablage/" + treffer.captured(1) }));
}

void TestBildhostServer::nurEigeneNamenWerdenAusgeliefert()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(bildhost.laeuft());
    const QByteArray gif("GIF89a\x01\x00\x01\x00", 10);
    const QByteArray seite = httpZerlegen(bildhost.formularSenden(multipartKoerper("a.gif", gif))).koerper;
    const QString name
        = QRegularExpression("/([0-9a-f]{32}\\.gif)\\[/img\\]").match(QString::fromUtf8(seite)).captured(1);
    QVERIFY2(!name.isEmpty(), seite.constData());
    QFile beiseite(bildhost.elternordner() + "/geheim.txt");
    QVERIFY(beiseite.open(QIODevice::WriteOnly));
    beiseite.write("geheim");
    beiseite.close();

    const QByteArray bild = bildhost.senden("GET /" + name.toLatin1() + " HTTP/1.0\r\n\r\n");
    QCOMPARE(httpStatus(bild), 200);
    QVERIFY(httpZerlegen(bild).kopf.contains("Content-Type: image/gif\r\n"));
    // A polyglot picture is never run as a page: browsers must keep to the type.
    QVERIFY(httpZerlegen(bild).kopf.contains("X-Content-Type-Options: nosniff\r\n"));
    QCOMPARE(httpZerlegen(bild).koerper, gif);

    const QString anderesFormat = QString(name).replace(".gif", ".png");
    const QStringList fremde{ "/../geheim.txt", "/%2e%2e/geheim.txt", "/..%2fgeheim.txt", "/" + name.toUpper(),
        "/" + anderesFormat, "/ablage/" + name, "/", "/." + name };
    for (const QString& pfad : fremde) {
        const QByteArray antwort = bildhost.senden("GET " + pfad.toLatin1() + " HTTP/1.0\r\n\r\n");
        QVERIFY2(httpStatus(antwort) == 404 || httpStatus(antwort) == 400, qPrintable(pfad));
        QVERIFY2(!antwort.contains("geheim\r\n") && !httpZerlegen(antwort).koerper.startsWith("GIF"), qPrintable(pfad));
    }
}

void TestBildhostServer::mehrereGleichzeitig()
{
    // Time limits far off: the slow client stays open for the whole test, so
    // only serving the others beside it lets them through.
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM),
        { QStringLiteral("--idle-timeout"), QStringLiteral("600"), QStringLiteral("--request-timeout"),
            QStringLiteral("600") });
    QVERIFY(bildhost.laeuft());

    // A client that sends half a request and then nothing must not hold up the others.
    QTcpSocket zoegerer;
    zoegerer.connectToHost(QHostAddress::LocalHost, bildhost.port());
    QVERIFY(zoegerer.waitForConnected(5000));
    zoegerer.write("POST / HTTP/1.0\r\nContent-Length: 500\r\n");
    zoegerer.flush();

    const QByteArray koerper = multipartKoerper("bild.jpg", jpeg);
    const QByteArray anfrage
        = "POST / HTTP/1.0\r\nContent-Type: multipart/form-data, boundary=AaB03x\r\nContent-Length: "
        + QByteArray::number(koerper.size()) + "\r\n\r\n" + koerper;
    QList<QTcpSocket*> kunden;
    for (int i = 0; i < 6; ++i) {
        auto* kunde = new QTcpSocket(this);
        kunde->connectToHost(QHostAddress::LocalHost, bildhost.port());
        QVERIFY(kunde->waitForConnected(5000));
        kunden << kunde;
    }
    // All connected before any has sent: the server has them open at once.
    // The deadline only bounds a failure.
    const QDeadlineTimer frist(60000);
    for (QTcpSocket* kunde : kunden)
        kunde->write(anfrage);
    for (QTcpSocket* kunde : kunden) {
        QByteArray antwort;
        while (kunde->state() == QAbstractSocket::ConnectedState && !frist.hasExpired()) {
            kunde->waitForReadyRead(100);
            antwort += kunde->readAll();
        }
        antwort += kunde->readAll();
        QVERIFY2(httpStatus(antwort) == 200, "the server waited for the slow client");
        delete kunde;
    }
    zoegerer.waitForReadyRead(0);
    QCOMPARE(zoegerer.state(), QAbstractSocket::ConnectedState);
    // Six pictures, each with its key's hash, and no draft left.
    QCOMPARE(QDir(bildhost.ablage()).entryList(QDir::Files | QDir::Hidden).size(), 12);
    QCOMPARE(QDir(bildhost.ablage()).entryList({ "*.schluessel" }, QDir::Files | QDir::Hidden).size(), 6);
}

void TestBildhostServer::haeltBeiSigterm()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(bildhost.laeuft());
    QCOMPARE(httpStatus(bildhost.formularSenden(multipartKoerper("bild.jpg", jpeg))), 200);
    QCOMPARE(bildhost.anhalten(), 0);
    QVERIFY(bildhost.protokoll().contains("POST / 200"));

    // A client that trickles its request, a byte a second, never letting the
    // read time-out strike, must not hold the stop up for as long as it likes.
    BildhostProzess aufgehalten(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(aufgehalten.laeuft());
    QProcess troepfler;
    troepfler.start(QStringLiteral("/usr/bin/python3"),
        { "-c",
            "import socket, sys, time\n"
            "s = socket.create_connection(('127.0.0.1', int(sys.argv[1])))\n"
            "s.sendall(b'POST / HTTP/1.0\\r\\nContent-Length: 1000\\r\\n\\r\\n')\n"
            "print('gesendet', flush=True)\n"
            "for i in range(60):\n"
            "    s.sendall(b'x')\n"
            "    time.sleep(1)\n",
            QString::number(aufgehalten.port()) });
    QVERIFY(troepfler.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(troepfler.canReadLine(), 10000);
    // Ends within anhalten()'s deadline, or it reports -1.
    QCOMPARE(aufgehalten.anhalten(), 0);
    troepfler.kill();
    troepfler.waitForFinished();
}

void TestBildhostServer::loeschenMitSchluessel()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(bildhost.laeuft());
    const QRegularExpression muster("/([0-9a-f]{32}\\.jpg)\\[/img\\].*\\[delete\\]([0-9a-f]{32})\\[/delete\\]",
        QRegularExpression::DotMatchesEverythingOption);
    QStringList namen;
    QStringList schluessel;
    for (int i = 0; i < 2; ++i) {
        const auto treffer = muster.match(
            QString::fromUtf8(httpZerlegen(bildhost.formularSenden(multipartKoerper("a.jpg", jpeg))).koerper));
        QVERIFY(treffer.hasMatch());
        namen << treffer.captured(1);
        schluessel << treffer.captured(2);
    }
    const auto loeschen = [&bildhost](const QString& name, const QString& key, const QByteArray& mehr = {}) {
        return bildhost.senden("DELETE /" + name.toLatin1() + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n"
            + (key.isEmpty() ? QByteArray() : "X-Delete-Key: " + key.toLatin1() + "\r\n") + mehr + "\r\n");
    };
    const QString bild = bildhost.ablage() + u'/' + namen[0];

    istAblehnung(loeschen(namen[0], QString()), 403);
    istAblehnung(loeschen(namen[0], QString(schluessel[0]).replace(0, 1, schluessel[0][0] == u'0' ? "1" : "0")), 403);
    // The key of another picture deletes only that one.
    istAblehnung(loeschen(namen[0], schluessel[1]), 403);
    // A body on a deletion is refused before its key is looked at.
    istAblehnung(loeschen(namen[0], schluessel[0], "Content-Length: 5\r\n"), 400);
    QVERIFY(QFile::exists(bild));

    QCOMPARE(httpStatus(loeschen(namen[0], schluessel[0])), 204);
    QVERIFY(!QFile::exists(bild));
    QVERIFY(!QFile::exists(bildhost.ablage() + "/." + namen[0] + ".schluessel"));
    QCOMPARE(httpStatus(bildhost.senden("GET /" + namen[0].toLatin1() + " HTTP/1.0\r\n\r\n")), 404);
    istAblehnung(loeschen(namen[0], schluessel[0]), 404);
    QTRY_VERIFY_WITH_TIMEOUT(bildhost.protokoll().contains("DELETE /" + namen[0] + " 204"), 30000);
    QVERIFY(!bildhost.protokoll().contains(schluessel[0]));

    // Four failures so far; after ten, even the right key waits.
    for (int i = 0; i < 6; ++i)
        istAblehnung(loeschen(namen[1], QStringLiteral("falsch")), 403);
    istAblehnung(loeschen(namen[1], schluessel[1]), 429);
    QVERIFY(QFile::exists(bildhost.ablage() + u'/' + namen[1]));
}

// Only the trusted proxy's X-Real-IP names the client, and it must name one
// address; from any other peer the header changes nothing.
void TestBildhostServer::clientHinterDemProxy()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM), { "--trusted-proxy", "127.0.0.2" });
    QVERIFY(bildhost.laeuft());
    const auto treffer
        = QRegularExpression("/([0-9a-f]{32}\\.jpg)\\[/img\\].*\\[delete\\]([0-9a-f]{32})\\[/delete\\]",
            QRegularExpression::DotMatchesEverythingOption)
              .match(QString::fromUtf8(httpZerlegen(bildhost.formularSenden(multipartKoerper("a.jpg", jpeg))).koerper));
    QVERIFY(treffer.hasMatch());
    const QString name = treffer.captured(1);
    const QByteArray schluessel = treffer.captured(2).toLatin1();
    const QHostAddress direkt(QStringLiteral("127.0.0.1"));
    const QHostAddress proxy(QStringLiteral("127.0.0.2"));
    const auto loeschen = [&](const QHostAddress& von, const QByteArray& kopf, const QByteArray& key) {
        return bildhost.senden("DELETE /" + name.toLatin1() + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n" + kopf
                + "X-Delete-Key: " + key + "\r\n\r\n",
            von);
    };

    // Another client address in every request does not help a guesser who is not the proxy.
    for (int i = 0; i < 10; ++i)
        istAblehnung(loeschen(direkt, "X-Real-IP: 192.0.2." + QByteArray::number(i) + "\r\n", "falsch"), 403);
    istAblehnung(loeschen(direkt, "X-Real-IP: 192.0.2.99\r\n", schluessel), 429);

    // From the proxy without exactly one valid address: refused before the key counts for anyone.
    for (const QByteArray& kopf : { QByteArray(), QByteArray("X-Real-IP: 192.0.2.1\r\nX-Real-IP: 192.0.2.2\r\n"),
             QByteArray("X-Real-IP: 192.0.2.1, 198.51.100.1\r\n") })
        istAblehnung(loeschen(proxy, kopf, schluessel), 400);
    QVERIFY(QFile::exists(bildhost.ablage() + u'/' + name));

    // One client behind the proxy locked out, another one behind it still deletes.
    for (int i = 0; i < 10; ++i)
        istAblehnung(loeschen(proxy, "X-Real-IP: 2001:db8::1\r\n", "falsch"), 403);
    istAblehnung(loeschen(proxy, "x-real-ip: 2001:DB8::1\r\n", schluessel), 429);
    // Its whole /64 with it: one IPv6 host may take any address there.
    istAblehnung(loeschen(proxy, "X-Real-IP: 2001:db8::7:2\r\n", schluessel), 429);
    QCOMPARE(httpStatus(loeschen(proxy, "X-Real-IP: ::ffff:192.0.2.1\r\n", schluessel)), 204);
    QVERIFY(!QFile::exists(bildhost.ablage() + u'/' + name));

    // Each line names the client the limit counted, the proxy where it named none.
    QTRY_VERIFY_WITH_TIMEOUT(bildhost.protokoll().contains("DELETE /" + name + " 204 192.0.2.1\n"), 30000);
    const QString protokoll = bildhost.protokoll();
    QVERIFY(protokoll.contains("DELETE /" + name + " 429 127.0.0.1\n"));
    QVERIFY(protokoll.contains("DELETE /" + name + " 400 127.0.0.2\n"));
    QVERIFY(protokoll.contains("DELETE /" + name + " 429 2001:db8::1\n"));
}

QTEST_GUILESS_MAIN(TestBildhostServer)
#include "test_bildhostserver.moc"
