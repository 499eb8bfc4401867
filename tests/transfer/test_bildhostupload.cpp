#include "bildhostprozess.h"
#include "frist.h"
#include "httpskriptserver.h"
#include "kindprozess.h"
#include "laufattrappen.h"
#include "tlszertifikate.h"

#include "transfer/bildhostantwort.h"
#include "transfer/bildhostloeschen.h"
#include "transfer/bildhostupload.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {
QString fehlschlag(const QString& host)
{
    return "Die Datei konnte nicht auf " + host + " kopiert werden!";
}

QStringList statustexte(const QString& host)
{
    return { "Dienst " + host + " wird kontaktiert", "Datei wird übertragen", QString() };
}

QByteArray dateiInhalt(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}
} // namespace

class TestBildhostUpload : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void zumBildhostUndZurueck();
    void marken_data();
    void marken();
    void loeschschluessel_data();
    void loeschschluessel();
    void grenzenUndAusfaelle();
    void abbruchBeendetDenAustausch();
    void ueberHttpsHinUndWeg();

private:
    QString kleinesBild();
    QTemporaryDir m_ordner;
};

void TestBildhostUpload::initTestCase()
{
    for (const char* name : { "http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY" })
        qunsetenv(name);
    QVERIFY(m_ordner.isValid());
}

QString TestBildhostUpload::kleinesBild()
{
    const QString pfad = m_ordner.filePath(QStringLiteral("klein.jpg"));
    QFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly))
        datei.write("\xFF\xD8\xFF\xE0 ein kleines Bild");
    return pfad;
}

void TestBildhostUpload::zumBildhostUndZurueck()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(bildhost.laeuft());

    QDir().mkpath(m_ordner.filePath(QStringLiteral("mein urlaub")));
    const QString pfad = m_ordner.filePath(QStringLiteral("mein urlaub/strand 1.jpg"));
    QImage bild(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    }
    QVERIFY(bild.save(pfad, "JPEG", 95));
    const QByteArray original = dateiInhalt(pfad);

    AufzeichnendeStatusanzeige status;
    QString fehlerText;
    const Bilddatei datei = bilddateiAus(pfad, true);
    QString schluessel;
    const QString adresse = bildhostUpload(bildhost.host(), datei, status, fehlerText, {}, &schluessel);

    QCOMPARE(fehlerText, QString());
    QCOMPARE(datei.kurzerPfad, pfad);
    QCOMPARE(status.texte, statustexte(bildhost.host()));
    const QRegularExpression form("^http://" + QRegularExpression::escape(bildhost.host()) + "/([0-9a-f]{32}\\.jpg)$");
    const auto treffer = form.match(adresse);
    QVERIFY2(treffer.hasMatch(), qPrintable(adresse));

    const QString name = treffer.captured(1);
    // Beside the picture only its deletion key's hash, never the key.
    QCOMPARE(QDir(bildhost.ablage()).entryList(QDir::Files | QDir::Hidden),
        QStringList({ "." + name + ".schluessel", name }));
    QCOMPARE(schluessel.size(), 32);
    QVERIFY(!dateiInhalt(bildhost.ablage() + "/." + name + ".schluessel").contains(schluessel.toLatin1()));
    QCOMPARE(dateiInhalt(bildhost.ablage() + '/' + name), original);

    const QByteArray zurueck = bildhost.senden("GET /" + name.toLatin1() + " HTTP/1.0\r\n\r\n");
    QCOMPARE(httpStatus(zurueck), 200);
    const HttpNachricht nachricht = httpZerlegen(zurueck);
    QVERIFY(nachricht.kopf.contains("Content-Type: image/jpeg\r\n"));
    QCOMPARE(nachricht.koerper, original);
}

void TestBildhostUpload::marken_data()
{
    QTest::addColumn<QByteArray>("seite");
    QTest::addColumn<QString>("adresse");
    QTest::addColumn<bool>("fehler");

    QTest::newRow("Adresse zwischen den Marken")
        << QByteArray("<p>Hier: [img]http://bilder.test/a.jpg[/img]</p>") << "http://bilder.test/a.jpg" << false;
    QTest::newRow("Marken groß geschrieben") << QByteArray("[IMG]http://bilder.test/a.jpg[/IMG]") << "" << true;
    QTest::newRow("zweimal [img] vor [/img]")
        << QByteArray("[img]http://x/1.jpg[img]http://x/2.jpg[/img]") << "http://x/1.jpg[img]http://x/2.jpg" << false;
    QTest::newRow("erstes [img] ohne Ende, spätere Paare zählen nicht")
        << QByteArray("[/img] [img]http://x/1.jpg") << "" << true;
    QTest::newRow("leere Antwort") << QByteArray() << "" << true;
    QTest::newRow("leere Adresse") << QByteArray("[img][/img]") << "" << true;
    QTest::newRow("Anführungszeichen") << QByteArray("[img]http://x/a.jpg\" onerror=\"boese()[/img]") << "" << true;
    QTest::newRow("spitze Klammer") << QByteArray("[img]http://x/<script>.jpg[/img]") << "" << true;
    QTest::newRow("Leerzeichen") << QByteArray("[img]http://x/a b.jpg[/img]") << "" << true;
    QTest::newRow("Zeilenende") << QByteArray("[img]http://x/a.jpg\r\n[/img]") << "" << true;

    // Only an absolute web address gets to the user.
    QTest::newRow("HTTPS groß geschrieben") << QByteArray("[img]HTTPS://X/A.JPG[/img]") << "HTTPS://X/A.JPG" << false;
    QTest::newRow("javascript:") << QByteArray("[img]javascript:alert(1)[/img]") << "" << true;
    QTest::newRow("data:") << QByteArray("[img]data:text/html;base64,PHNjcmlwdD4=[/img]") << "" << true;
    QTest::newRow("ftp:") << QByteArray("[img]ftp://x/a.jpg[/img]") << "" << true;
    QTest::newRow("relativ") << QByteArray("[img]/bilder/a.jpg[/img]") << "" << true;
    QTest::newRow("ohne Host") << QByteArray("[img]http:///a.jpg[/img]") << "" << true;
    QTest::newRow("nur das Schema") << QByteArray("[img]http://[/img]") << "" << true;
    const QByteArray lang = "http://x/" + QByteArray(2048 - 13, 'a') + ".jpg";
    QTest::newRow("2048 Zeichen") << "[img]" + lang + "[/img]" << QString::fromLatin1(lang) << false;
    QTest::newRow("2049 Zeichen") << "[img]" + lang + "a[/img]"
                                  << "" << true;
    // Invisible characters that make the address read as another one.
    QTest::newRow("U+202E") << QByteArray("[img]http://x/\xE2\x80\xAEgpj.exe[/img]") << "" << true;
    QTest::newRow("U+2066") << QByteArray("[img]http://x/\xE2\x81\xA6"
                                          "a.jpg[/img]")
                            << "" << true;
    QTest::newRow("U+2065, not assigned") << QByteArray("[img]http://\xE2\x81\xA5[/img]") << "" << true;
    QTest::newRow("U+200B") << QByteArray("[img]http://x\xE2\x80\x8B.example/a.jpg[/img]") << "" << true;
    QTest::newRow("U+FEFF") << QByteArray("[img]http://x/\xEF\xBB\xBF"
                                          "a.jpg[/img]")
                            << "" << true;
    QTest::newRow("Umlaut bleibt") << QByteArray("[img]http://x/b\xC3\xA4r.jpg[/img]") << "http://x/bär.jpg" << false;
}

void TestBildhostUpload::marken()
{
    QFETCH(QByteArray, seite);
    QFETCH(QString, adresse);
    QFETCH(bool, fehler);

    HttpSkriptServer server;
    server.seiteAntworten(seite);
    AufzeichnendeStatusanzeige status;
    QString fehlerText;
    QCOMPARE(bildhostUpload(server.host(), bilddateiAus(kleinesBild(), true), status, fehlerText), adresse);
    QCOMPARE(fehlerText, fehler ? fehlschlag(server.host()) : QString());
    QCOMPARE(status.texte, statustexte(server.host()));
    QCOMPARE(server.anfragen.size(), 1);
}

void TestBildhostUpload::loeschschluessel_data()
{
    QTest::addColumn<QString>("seite");
    QTest::addColumn<QString>("schluessel");
    const QString key = "0123456789abcdef0123456789abcdef";
    QTest::newRow("nach der Adresse") << "[img]http://x/a.jpg[/img] [delete]" + key + "[/delete]" << key;
    QTest::newRow("keiner (ältere Hosts)") << "[img]http://x/a.jpg[/img]"
                                           << "";
    QTest::newRow("ohne Ende") << "[delete]" + key << "";
    QTest::newRow("zu kurz") << "[delete]0123456789abcde[/delete]"
                             << "";
    // It goes into a header line: nothing may end that line or start another.
    QTest::newRow("Zeilenende") << "[delete]" + key + "\r\nX-Andere: 1[/delete]"
                                << "";
    QTest::newRow("Leerzeichen") << "[delete]" + key + " [/delete]"
                                 << "";
}

void TestBildhostUpload::loeschschluessel()
{
    QFETCH(QString, seite);
    QFETCH(QString, schluessel);
    QCOMPARE(loeschschluesselAusAntwort(seite), schluessel);
}

void TestBildhostUpload::grenzenUndAusfaelle()
{
    HttpGrenzen kurz;
    kurz.stille = 1s;
    kurz.gesamt = 2s;

    struct Fall {
        const char* name;
        std::function<void(HttpSkriptServer&)> vorbereiten;
        QString path;
        // What ends it: one of the limits, or nothing to wait for.
        std::chrono::milliseconds grenze = 0s;
    };
    const QString bild = kleinesBild();
    const QList<Fall> faelle{
        { "Antwort über 1 MiB",
            [](HttpSkriptServer& s) { s.seiteAntworten("[img]http://x/a.jpg[/img]" + QByteArray(1024 * 1024, ' ')); },
            bild },
        { "Server schweigt", [](HttpSkriptServer& s) { s.schweigen(); }, bild, kurz.stille },
        // Ten bytes a second never count as silence; only the limit of the whole exchange ends it
        // (libcurl's clock for it may end a millisecond before this test's).
        { "Server tröpfelt", [](HttpSkriptServer& s) { s.troepfeln(); }, bild, kurz.gesamt - 50ms },
        { "Datei fehlt", [](HttpSkriptServer&) {}, m_ordner.filePath(QStringLiteral("fehlt.jpg")) },
    };
    for (const Fall& fall : faelle) {
        HttpSkriptServer server;
        fall.vorbereiten(server);
        AufzeichnendeStatusanzeige status;
        QString fehlerText;
        const Frist frist(fall.grenze);
        QVERIFY2(bildhostUpload(server.host(), bilddateiAus(fall.path, true), status, fehlerText, kurz).isEmpty(),
            fall.name);
        QVERIFY2(frist.verletzt().isEmpty(), qPrintable(frist.verletzt()));
        QCOMPARE(fehlerText, fehlschlag(server.host()));
        QCOMPARE(status.texte, statustexte(server.host()));
    }

    quint16 freierPort = 0;
    {
        HttpSkriptServer geschlossen;
        freierPort = geschlossen.port();
    }
    const QString niemand = "127.0.0.1:" + QString::number(freierPort);
    AufzeichnendeStatusanzeige status;
    QString fehlerText;
    QCOMPARE(bildhostUpload(niemand, bilddateiAus(bild, true), status, fehlerText, kurz), QString());
    QCOMPARE(fehlerText, fehlschlag(niemand));
}

// A server that never answers; only the user's wish to stop may end it.
void TestBildhostUpload::abbruchBeendetDenAustausch()
{
    HttpSkriptServer server;
    server.schweigen();
    AufzeichnendeStatusanzeige status;
    status.abbrechenBei = QStringLiteral("Datei wird übertragen");
    QString fehlerText;
    const Bilddatei datei = bilddateiAus(kleinesBild(), true);

    const Frist frist(0s);
    QCOMPARE(bildhostUpload(server.host(), datei, status, fehlerText), QString());
    QVERIFY2(frist.verletzt().isEmpty(), qPrintable(frist.verletzt()));
    QCOMPARE(status.texte, statustexte(server.host()));
}

// imageHost "https://host:port": the picture goes there, and is deleted from
// the history there, over TLS with the certificate checked; a certificate the
// system does not trust keeps the deletion from going out.
void TestBildhostUpload::ueberHttpsHinUndWeg()
{
    TlsZertifikate zertifikate;
    QVERIFY(zertifikate.bereit());
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(bildhost.laeuft());
    QProcess tls;
    endetMitDemTest(tls);
    tls.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral("-u"), qEnvironmentVariable("TEST_SOURCE_DIR") + QStringLiteral("/support/tls_vorschalt.py"),
            zertifikate.datei(QStringLiteral("server.pem")), QString::number(bildhost.port()) });
    QVERIFY(tls.waitForReadyRead(30000));
    const QByteArray zeile = tls.readLine().trimmed();
    QVERIFY2(zeile.startsWith("PORT "), zeile.constData());
    const QString host = "https://127.0.0.1:" + QString::fromLatin1(zeile.mid(5));

    TlsZertifikate::vertrauen(zertifikate.ca());
    AufzeichnendeStatusanzeige status;
    QString fehlerText;
    QString schluessel;
    const QString adresse
        = bildhostUpload(host, bilddateiAus(kleinesBild(), true), status, fehlerText, {}, &schluessel);
    QVERIFY2(!adresse.isEmpty(), qPrintable(fehlerText));
    const QString name = adresse.mid(adresse.lastIndexOf(u'/') + 1);
    const QString bild = bildhost.ablage() + '/' + name;
    QVERIFY(QFile::exists(bild));

    TlsZertifikate::vertrauen(QString());
    QVERIFY(!bildhostLoeschen(host, name, schluessel, fehlerText));
    QCOMPARE(fehlerText, "Das Zertifikat von " + host + " ist nicht vertrauenswürdig: Der Aussteller ist unbekannt.");
    QVERIFY(QFile::exists(bild));

    TlsZertifikate::vertrauen(zertifikate.ca());
    QVERIFY2(bildhostLoeschen(host, name, schluessel, fehlerText), qPrintable(fehlerText));
    QVERIFY(!QFile::exists(bild));
}

QTEST_GUILESS_MAIN(TestBildhostUpload)
#include "test_bildhostupload.moc"
