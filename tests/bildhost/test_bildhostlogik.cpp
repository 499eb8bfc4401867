#include "anfragefristen.h"
#include "bildart.h"
#include "bildname.h"
#include "clientadresse.h"
#include "formular.h"
#include "protokollzeile.h"
#include "startoptionen.h"

#include "transfer/multipartkoerper.h"

#include <QDeadlineTimer>
#include <QTest>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <set>

namespace {
std::string_view ansicht(const QByteArray& bytes)
{
    return { bytes.constData(), std::size_t(bytes.size()) };
}

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}
} // namespace

class TestBildhostLogik : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formularDesProgramms();
    void formularZerlegen_data();
    void formularZerlegen();
    void grenzeAusInhaltstyp_data();
    void grenzeAusInhaltstyp();
    void bildartNachInhalt_data();
    void bildartNachInhalt();
    void bildnamen_data();
    void bildnamen();
    void neueNamenSindEigeneUndVerschieden();
    void startoptionen_data();
    void startoptionen();
    void clientadressen_data();
    void clientadressen();
    void protokollzeilen_data();
    void protokollzeilen();
    void fristBeendetNurUnbeantworteteAnfragen();
};

// The body the uploading program sends, with the bytes that could confuse a reader inside the file.
void TestBildhostLogik::formularDesProgramms()
{
    const QByteArray inhalt("\xFF\xD8\xFF\x00--AaB03x\r\n-AaB03x\r\n--AaB03", 31);
    const QByteArray koerper = multipartKoerper("../../etc/passwd", inhalt);
    const auto teile = ::formularZerlegen(ansicht(koerper), "AaB03x");
    QVERIFY(teile.has_value());
    QCOMPARE(teile->size(), std::size_t(3));
    const Formularteil* datei = teilMitNamen(*teile, "fileupload");
    QVERIFY(datei);
    QCOMPARE(bytes(datei->dateiname), QByteArray("../../etc/passwd"));
    QCOMPARE(bytes(datei->inhalt), inhalt);
    QCOMPARE(bytes(teilMitNamen(*teile, "variable2")->inhalt), QByteArray("meine variable zwei"));
}

void TestBildhostLogik::formularZerlegen_data()
{
    QTest::addColumn<QByteArray>("koerper");
    QTest::addColumn<bool>("gueltig");
    QTest::addColumn<QByteArray>("dateiinhalt");

    const QByteArray kopf = "Content-Disposition: form-data; name=\"fileupload\"; filename=\"a;b.jpg\"\r\n\r\n";
    QTest::newRow("Schluss mit Zeilenende") << "--AaB03x\r\n" + kopf + "BILD\r\n--AaB03x--\r\n"
                                            << true << QByteArray("BILD");
    QTest::newRow("Vorspann vor der ersten Grenze")
        << "Vorspann\r\n--AaB03x\r\n" + kopf + "BILD\r\n--AaB03x--" << true << QByteArray("BILD");
    QTest::newRow("Teil ohne Kopfzeilen") << QByteArray("--AaB03x\r\n\r\nBILD\r\n--AaB03x--") << true << QByteArray();
    QTest::newRow("leerer Körper") << QByteArray() << false << QByteArray();
    QTest::newRow("andere Grenze") << "--XyZ\r\n" + kopf + "BILD\r\n--XyZ--" << false << QByteArray();
    QTest::newRow("Teil ohne Ende") << "--AaB03x\r\n" + kopf + "BILD" << false << QByteArray();
    QTest::newRow("Grenze ohne Zeilenende davor") << "--AaB03x\r\n" + kopf + "BILD--AaB03x--" << false << QByteArray();
    QTest::newRow("Kopf ohne Leerzeile") << QByteArray(
        "--AaB03x\r\nContent-Disposition: form-data; name=\"fileupload\"")
                                         << false << QByteArray();
    QTest::newRow("Müll nach der Grenze") << "--AaB03xMüll\r\n" + kopf + "BILD\r\n--AaB03x--" << false << QByteArray();
}

void TestBildhostLogik::formularZerlegen()
{
    QFETCH(QByteArray, koerper);
    QFETCH(bool, gueltig);
    QFETCH(QByteArray, dateiinhalt);
    const auto teile = ::formularZerlegen(ansicht(koerper), "AaB03x");
    QCOMPARE(teile.has_value(), gueltig);
    if (!gueltig)
        return;
    const Formularteil* datei = teilMitNamen(*teile, "fileupload");
    QCOMPARE(bytes(datei ? datei->inhalt : std::string_view()), dateiinhalt);
    if (datei)
        QCOMPARE(bytes(datei->dateiname), QByteArray("a;b.jpg"));
}

void TestBildhostLogik::grenzeAusInhaltstyp_data()
{
    QTest::addColumn<QByteArray>("typ");
    QTest::addColumn<QByteArray>("grenze");
    QTest::newRow("mit Komma") << QByteArray("multipart/form-data, boundary=AaB03x") << QByteArray("AaB03x");
    QTest::newRow("mit Semikolon") << QByteArray("multipart/form-data; boundary=AaB03x") << QByteArray("AaB03x");
    QTest::newRow("in Anführungszeichen, andere Schreibung")
        << QByteArray("Multipart/Form-Data; charset=utf-8; BOUNDARY=\"a b;c\"") << QByteArray("a b;c");
    QTest::newRow("ohne Grenze") << QByteArray("multipart/form-data") << QByteArray();
    QTest::newRow("anderer Typ") << QByteArray("text/plain; boundary=AaB03x") << QByteArray();
    QTest::newRow("Grenze zu lang") << "multipart/form-data; boundary=" + QByteArray(71, 'x') << QByteArray();
}

void TestBildhostLogik::grenzeAusInhaltstyp()
{
    QFETCH(QByteArray, typ);
    QFETCH(QByteArray, grenze);
    QCOMPARE(bytes(::grenzeAusInhaltstyp(ansicht(typ))), grenze);
}

void TestBildhostLogik::bildartNachInhalt_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QByteArray>("endung");
    QTest::newRow("JPEG") << QByteArray("\xFF\xD8\xFF\xE0rest") << QByteArray("jpg");
    QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10) << QByteArray("png");
    QTest::newRow("GIF87a") << QByteArray("GIF87a..") << QByteArray("gif");
    QTest::newRow("BMP") << QByteArray("BM\x36\x00") << QByteArray();
    QTest::newRow("halber JPEG-Anfang") << QByteArray("\xFF\xD8") << QByteArray();
    QTest::newRow("PNG mit Zeilenenden umgeschrieben") << QByteArray("\x89PNG\n\x1A\n") << QByteArray();
    QTest::newRow("leer") << QByteArray() << QByteArray();
}

void TestBildhostLogik::bildartNachInhalt()
{
    QFETCH(QByteArray, inhalt);
    QFETCH(QByteArray, endung);
    const auto art = bildartErkennen(ansicht(inhalt));
    QCOMPARE(art ? bytes(::endung(*art)) : QByteArray(), endung);
}

void TestBildhostLogik::bildnamen_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("eigener");
    const QByteArray hex = "0123456789abcdef0123456789abcdef";
    QTest::newRow("jpg") << hex + ".jpg" << true;
    QTest::newRow("png") << hex + ".png" << true;
    QTest::newRow("jpeg") << hex + ".jpeg" << false;
    QTest::newRow("Großbuchstaben") << QByteArray("0123456789ABCDEF0123456789abcdef.jpg") << false;
    QTest::newRow("zu kurz") << QByteArray("0123456789abcdef.jpg") << false;
    QTest::newRow("Pfad davor") << "../" + hex + ".jpg" << false;
    QTest::newRow("Pfad dahinter") << hex + ".jpg/../x" << false;
    QTest::newRow("versteckter Entwurf") << ".neu-" + hex + ".jpg" << false;
    QTest::newRow("passwd") << QByteArray("../../etc/passwd") << false;
    QTest::newRow("leer") << QByteArray() << false;
}

void TestBildhostLogik::bildnamen()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, eigener);
    QCOMPARE(istBildname(ansicht(name)), eigener);
}

void TestBildhostLogik::neueNamenSindEigeneUndVerschieden()
{
    std::set<std::string> namen;
    for (int i = 0; i < 1000; ++i) {
        const std::string name = neuerBildname(Bildart::Png);
        QVERIFY2(istBildname(name), name.c_str());
        namen.insert(name);
    }
    QCOMPARE(namen.size(), std::size_t(1000));
}

void TestBildhostLogik::startoptionen_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<bool>("gueltig");
    QTest::addColumn<QString>("oeffentlich");
    QTest::newRow("alles") << QStringList{ "--address", "0.0.0.0", "--port", "80", "--storage", "/srv/b", "--max-size",
        "300000", "--public-url", "https://bilder.test/b" }
                           << true << "https://bilder.test/b/";
    QTest::newRow("nur Ablage") << QStringList{ "--storage", "b" } << true << "";
    QTest::newRow("ohne Ablage") << QStringList{ "--port", "80" } << false << "";
    QTest::newRow("Port zu groß") << QStringList{ "--storage", "b", "--port", "65536" } << false << "";
    QTest::newRow("Port keine Zahl") << QStringList{ "--storage", "b", "--port", "80x" } << false << "";
    QTest::newRow("Größe 0") << QStringList{ "--storage", "b", "--max-size", "0" } << false << "";
    QTest::newRow("Größe 100 MB") << QStringList{ "--storage", "b", "--max-size", "100000000" } << true << "";
    QTest::newRow("Größe über 100 MB") << QStringList{ "--storage", "b", "--max-size", "100000001" } << false << "";
    QTest::newRow("Größe jenseits von 64 Bit")
        << QStringList{ "--storage", "b", "--max-size", "18446744073709551616" } << false << "";
    QTest::newRow("Größe negativ") << QStringList{ "--storage", "b", "--max-size", "-1" } << false << "";
    QTest::newRow("alle Grenzen") << QStringList{ "--storage", "b", "--max-header-size", "1024", "--max-connections",
        "16384", "--max-connections-per-ip", "1", "--request-timeout", "3600", "--idle-timeout", "1" }
                                  << true << "";
    QTest::newRow("Kopf zu klein") << QStringList{ "--storage", "b", "--max-header-size", "1023" } << false << "";
    QTest::newRow("keine Verbindung") << QStringList{ "--storage", "b", "--max-connections", "0" } << false << "";
    QTest::newRow("Frist zu lang") << QStringList{ "--storage", "b", "--request-timeout", "3601" } << false << "";
    QTest::newRow("Hilfe ohne Ablage") << QStringList{ "--help" } << true << "";
    QTest::newRow("Wert fehlt") << QStringList{ "--storage" } << false << "";
    QTest::newRow("unbekannt") << QStringList{ "--storage", "b", "--verbose", "1" } << false << "";
    QTest::newRow("Adresse mit Anführungszeichen")
        << QStringList{ "--storage", "b", "--public-url", "http://x/\"a" } << false << "";
    QTest::newRow("Adresse ohne http") << QStringList{ "--storage", "b", "--public-url", "bilder.test/" } << false
                                       << "";
    QTest::newRow("Adresse IPv6 mit Port")
        << QStringList{ "--storage", "b", "--public-url", "http://[::1]:8080/b" } << true << "http://[::1]:8080/b/";
    QTest::newRow("Adresse mit Umlauten und %")
        << QStringList{ "--storage", "b", "--public-url", "https://bücher.test/grüße/%20a" } << true
        << "https://bücher.test/grüße/%20a/";
    for (const char* falsch :
        { "http://bilder.test/[/img]", "http://bilder.test/#", "http://bilder.test/?", "http://bilder.test/\u202e/",
            "http://", "http://:80/", "http://bilder.test:0/", "http://a@bilder.test/", "http://bilder.test/%zz" })
        QTest::newRow(falsch) << QStringList{ "--storage", "b", "--public-url", QString::fromUtf8(falsch) } << false
                              << "";
    QTest::newRow("zwei Proxys") << QStringList{ "--storage", "b", "--trusted-proxy", "127.0.0.1", "--trusted-proxy",
        "::1" } << true << "";
    QTest::newRow("Proxy als Name") << QStringList{ "--storage", "b", "--trusted-proxy", "localhost" } << false << "";
    QTest::newRow("Proxy als Netz") << QStringList{ "--storage", "b", "--trusted-proxy", "10.0.0.0/8" } << false << "";
}

void TestBildhostLogik::startoptionen()
{
    QFETCH(QStringList, argumente);
    QFETCH(bool, gueltig);
    QFETCH(QString, oeffentlich);
    std::vector<std::string> texte;
    for (const QString& argument : argumente)
        texte.push_back(argument.toStdString());
    const std::vector<std::string_view> ansichten(texte.begin(), texte.end());
    std::string fehler;
    const auto optionen = startoptionenLesen(ansichten, fehler);
    QCOMPARE(optionen.has_value(), gueltig);
    QCOMPARE(fehler.empty(), gueltig);
    if (optionen)
        QCOMPARE(QString::fromStdString(optionen->oeffentlicheAdresse), oeffentlich);
}

// What a proxy's X-Real-IP may say: one address, written plainly, and nothing else.
void TestBildhostLogik::clientadressen_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("gelesen");
    QTest::newRow("IPv4") << QByteArray("192.0.2.1") << "192.0.2.1";
    QTest::newRow("IPv6") << QByteArray("2001:DB8:0::1") << "2001:db8::1";
    QTest::newRow("IPv4 in IPv6") << QByteArray("::ffff:192.0.2.1") << "192.0.2.1";
    QTest::newRow("führende Null") << QByteArray("192.0.2.01") << "";
    QTest::newRow("kurzes IPv4") << QByteArray("127.1") << "";
    QTest::newRow("mit Port") << QByteArray("192.0.2.1:80") << "";
    QTest::newRow("in Klammern") << QByteArray("[2001:db8::1]") << "";
    QTest::newRow("mit Zone") << QByteArray("fe80::1%lo") << "";
    QTest::newRow("Liste") << QByteArray("192.0.2.1,192.0.2.2") << "";
    QTest::newRow("Leerzeichen") << QByteArray(" 192.0.2.1") << "";
    QTest::newRow("NUL dahinter") << QByteArray("192.0.2.1\0x", 11) << "";
    QTest::newRow("leer") << QByteArray() << "";
}

void TestBildhostLogik::clientadressen()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, gelesen);
    const auto adresse = adresseLesen(ansicht(text));
    QCOMPARE(adresse ? QString::fromStdString(adresseAlsText(*adresse)) : QString(), gelesen);
}

void TestBildhostLogik::protokollzeilen_data()
{
    QTest::addColumn<QByteArray>("pfad");
    QTest::addColumn<QByteArray>("zeile");
    QTest::newRow("gewöhnlich") << QByteArray("/0123.jpg") << QByteArray("GET /0123.jpg 404");
    QTest::newRow("Zeilenende und ESC") << QByteArray("/x\nPOST / 200\r\n\x1b[31m")
                                        << QByteArray("GET /x\\x0aPOST\\x20/\\x20200\\x0d\\x0a\\x1b[31m 404");
    QTest::newRow("NUL, DEL, Backslash") << QByteArray("/a\0b\x7f\\", 6) << QByteArray("GET /a\\x00b\\x7f\\x5c 404");
    QTest::newRow("UTF-8") << QByteArray("/ä") << QByteArray("GET /\\xc3\\xa4 404");
}

void TestBildhostLogik::protokollzeilen()
{
    QFETCH(QByteArray, pfad);
    QFETCH(QByteArray, zeile);
    QCOMPARE(bytes(protokollzeile("GET", ansicht(pfad), 404)), zeile);
}

// A request still coming in is cut off at its deadline; an answered one is not,
// though both began together and the same round of the clock sees them.
void TestBildhostLogik::fristBeendetNurUnbeantworteteAnfragen()
{
    int offen[2];
    int beantwortet[2];
    QCOMPARE(socketpair(AF_UNIX, SOCK_STREAM, 0, offen), 0);
    QCOMPARE(socketpair(AF_UNIX, SOCK_STREAM, 0, beantwortet), 0);
    {
        Anfragefristen fristen(std::chrono::milliseconds(100));
        fristen.verbunden(&offen, offen[0]);
        fristen.verbunden(&beantwortet, beantwortet[0]);
        fristen.beantwortet(&beantwortet);
        pollfd ende{ offen[1], POLLIN, 0 };
        QCOMPARE(poll(&ende, 1, 10000), 1);
        char zeichen = 0;
        QCOMPARE(read(offen[1], &zeichen, 1), ssize_t(0));
        pollfd still{ beantwortet[1], POLLIN, 0 };
        QCOMPARE(poll(&still, 1, 0), 0);
        fristen.getrennt(&offen);
        fristen.getrennt(&beantwortet);
    }
    for (const int deskriptor : { offen[0], offen[1], beantwortet[0], beantwortet[1] })
        close(deskriptor);
}

QTEST_GUILESS_MAIN(TestBildhostLogik)
#include "test_bildhostlogik.moc"
