#include "bildart.h"
#include "bildname.h"
#include "formular.h"
#include "startoptionen.h"

#include "transfer/multipartkoerper.h"

#include <QTest>

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
    QTest::newRow("Wert fehlt") << QStringList{ "--storage" } << false << "";
    QTest::newRow("unbekannt") << QStringList{ "--storage", "b", "--verbose", "1" } << false << "";
    QTest::newRow("Adresse mit Anführungszeichen")
        << QStringList{ "--storage", "b", "--public-url", "http://x/\"a" } << false << "";
    QTest::newRow("Adresse ohne http") << QStringList{ "--storage", "b", "--public-url", "bilder.test/" } << false
                                       << "";
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

QTEST_GUILESS_MAIN(TestBildhostLogik)
#include "test_bildhostlogik.moc"
