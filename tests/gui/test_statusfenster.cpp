// The status window: where it lands, that it lives exactly as long as the
// texts say, and that a real FTP upload closes it. That it never takes the
// keyboard focus needs a real X server: tests/e2e/ftp_upload.sh checks it.

#include "frist.h"
#include "ftptestserver.h"
#include "testumgebung.h"

#include "gui/statusfenster.h"
#include "gui/statusfensteranzeige.h"
#include "settings/optionen.h"
#include "statusfenster/fensterlage.h"
#include "transfer/ftpupload.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

namespace {
int offeneStatusfenster()
{
    int anzahl = 0;
    for (QWidget* fenster : QApplication::topLevelWidgets())
        anzahl += fenster->objectName() == QStringLiteral("statusfenster") ? 1 : 0;
    return anzahl;
}

QString statusinfo(const statusfenster* fenster)
{
    return fenster->findChild<QLabel*>(QStringLiteral("statusinfo"))->text();
}
} // namespace

class TestStatusfenster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lageUntenRechts_data()
    {
        QTest::addColumn<QRect>("bildschirm");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QRect>("erwartet");

        QTest::newRow("1024x768 bei 96 DPI") << QRect(0, 0, 1024, 768) << 96.0 << QRect(677, 691, 314, 44);
        QTest::newRow("1280x1024 bei 96 DPI") << QRect(0, 0, 1280, 1024) << 96.0 << QRect(933, 947, 314, 44);
        // 10 twips per pixel: the window grows with the resolution, the margin stays 500 twips.
        QTest::newRow("1920x1080 bei 144 DPI") << QRect(0, 0, 1920, 1080) << 144.0 << QRect(1399, 964, 471, 66);
        QTest::newRow("Bildschirm nicht bei 0,0") << QRect(100, 50, 1024, 768) << 96.0 << QRect(777, 741, 314, 44);
    }

    void lageUntenRechts()
    {
        QFETCH(QRect, bildschirm);
        QFETCH(double, dpi);
        QFETCH(QRect, erwartet);
        QCOMPARE(Fensterlage::statusfensterLage(bildschirm, dpi, dpi), erwartet);
    }

    void textOeffnetErsetztUndSchliesst()
    {
        Statusfensteranzeige anzeige;
        anzeige.status(QStringLiteral("Überprüfe Login und Passwort"));
        statusfenster* fenster = anzeige.fenster();
        QVERIFY(fenster);
        QVERIFY(fenster->isVisible());
        QCOMPARE(statusinfo(fenster), QStringLiteral("Überprüfe Login und Passwort"));
        QCOMPARE(fenster->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("Morva Fotoschicker Statusfenster..."));
        QVERIFY(fenster->windowFlags().testFlags(
            Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(fenster->palette().color(QPalette::Window), QColor(255, 255, 128));
        const QScreen* schirm = QGuiApplication::primaryScreen();
        QCOMPARE(fenster->geometry(),
            Fensterlage::statusfensterLage(
                schirm->geometry(), schirm->logicalDotsPerInchX(), schirm->logicalDotsPerInchY()));

        anzeige.status(QStringLiteral("Verbindung hergestellt, übertrage Datei..."));
        QCOMPARE(anzeige.fenster(), fenster);
        QCOMPARE(offeneStatusfenster(), 1);
        QCOMPARE(statusinfo(fenster), QStringLiteral("Verbindung hergestellt, übertrage Datei..."));

        anzeige.status(QString());
        QVERIFY(!anzeige.fenster());
        QCOMPARE(offeneStatusfenster(), 0);
        anzeige.status(QString());
        QCOMPARE(offeneStatusfenster(), 0);
    }

    // Several pictures: a line above the others names the current one; the window grows
    // upwards by it. A window without it is as before.
    void bildzeileUeberDenTexten()
    {
        const QScreen* schirm = QGuiApplication::primaryScreen();
        const QRect ohne = Fensterlage::statusfensterLage(
            schirm->geometry(), schirm->logicalDotsPerInchX(), schirm->logicalDotsPerInchY());
        Statusfensteranzeige anzeige;
        anzeige.bildzeile(QStringLiteral("Bild 2 von 3: ") + QString(200, u'x') + QStringLiteral(".jpg"));
        anzeige.status(QStringLiteral("x"));
        const auto* zeile = anzeige.fenster()->findChild<QLabel*>(QStringLiteral("bildzeile"));
        QVERIFY(zeile->isVisible());
        QVERIFY(zeile->text().startsWith(QStringLiteral("Bild 2 von 3: xx")) && zeile->text().endsWith(".jpg"));
        QVERIFY(zeile->fontMetrics().horizontalAdvance(zeile->text()) <= zeile->width());
        QCOMPARE(anzeige.fenster()->geometry().bottomRight(), ohne.bottomRight());
        QVERIFY(anzeige.fenster()->height() > ohne.height());
        anzeige.status(QString());
        anzeige.bildzeile(QString());
        anzeige.status(QStringLiteral("x"));
        QCOMPARE(anzeige.fenster()->geometry(), ohne);
        anzeige.status(QString());
    }

    void abgeschaltetTutNichts()
    {
        Statusfensteranzeige anzeige;
        anzeige.zeigenWenn([] { return false; });
        bool verarbeitet = false;
        QTimer::singleShot(0, this, [&verarbeitet] { verarbeitet = true; });
        anzeige.status(QStringLiteral("Überprüfe Login und Passwort"));
        anzeige.fortschritt(1, 2);
        QVERIFY(!anzeige.fenster());
        QCOMPARE(offeneStatusfenster(), 0);
        // Not even pending events ran.
        QVERIFY(!verarbeitet);
        QCoreApplication::processEvents();
    }

    void kehrtInDieEckeZurueck()
    {
        Statusfensteranzeige anzeige;
        anzeige.status(QStringLiteral("x"));
        statusfenster* fenster = anzeige.fenster();
        const QRect ecke = fenster->geometry();
        fenster->setGeometry(10, 10, 200, 100);
        QCoreApplication::processEvents();
        QCOMPARE(fenster->geometry(), ecke);
        anzeige.status(QString());
    }

    void fortschrittAlsLinieUnterDemText()
    {
        Statusfensteranzeige anzeige;
        anzeige.status(QStringLiteral("Verbindung hergestellt, übertrage Datei..."));
        statusfenster* fenster = anzeige.fenster();
        const QImage ohne = fenster->grab().toImage();
        anzeige.fortschritt(50, 100);
        const QImage halb = fenster->grab().toImage();
        anzeige.status(QString());

        const int zeile = halb.height() - 3;
        const QColor hintergrund(255, 255, 128);
        QCOMPARE(ohne.pixelColor(ohne.width() / 4, zeile), hintergrund);
        QVERIFY(halb.pixelColor(halb.width() / 4, zeile) != hintergrund);
        QVERIFY(halb.pixelColor(halb.width() / 4, zeile) != halb.pixelColor(halb.width() * 3 / 4, zeile));
        // The text above the line is left alone.
        QCOMPARE(halb.pixelColor(halb.width() - 5, 5), hintergrund);
    }

    void ftpUploadSchliesstDasFensterAufJedemWeg_data()
    {
        QTest::addColumn<QString>("passwort");
        QTest::addColumn<bool>("erreichbar");
        QTest::addColumn<bool>("erfolg");
        QTest::newRow("Erfolg") << "geheim" << true << true;
        QTest::newRow("falsches Passwort") << "falsch" << true << false;
        QTest::newRow("Server fehlt") << "geheim" << false << false;
    }

    void ftpUploadSchliesstDasFensterAufJedemWeg()
    {
        QFETCH(QString, passwort);
        QFETCH(bool, erreichbar);
        QFETCH(bool, erfolg);
        FtpTestserver::Art art;
        art.drossel = 512 * 1024;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        Optionen optionen;
        optionen.FTPServer = erreichbar ? server.adresse() : QStringLiteral("127.0.0.1:9");
        optionen.FTPLogin = QStringLiteral("fotograf");
        optionen.FTPPassword = passwort;
        const Bilddatei datei = bilddateiAus(umgebung.datei(QStringLiteral("bild.jpg"), 1536 * 1024), true);
        QString fehlerText;

        // Looks at the window while the transfer runs, from this thread's event loop.
        Statusfensteranzeige anzeige;
        QStringList gesehen;
        QTimer blick;
        connect(&blick, &QTimer::timeout, this, [&] {
            if (anzeige.fenster() && anzeige.fenster()->isVisible())
                gesehen << statusinfo(anzeige.fenster());
        });
        blick.start(100);
        QCOMPARE(ftpUpload(datei, optionen, anzeige, fehlerText, { 5s, 5s }) == FtpErgebnis::Hochgeladen, erfolg);
        blick.stop();

        QVERIFY(!anzeige.fenster());
        QCOMPARE(offeneStatusfenster(), 0);
        if (erfolg)
            QVERIFY2(gesehen.contains(QStringLiteral("Verbindung hergestellt, übertrage Datei...")),
                qPrintable(gesehen.join(u'|')));
    }

    // The window takes no focus, so a click is how the user stops a transfer
    // that hangs: here the server never answers STOR, and only the click may end it.
    void klickBrichtDieUebertragungAb()
    {
        FtpTestserver::Art art;
        art.haengen = QStringLiteral("stor");
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        Optionen optionen;
        optionen.FTPServer = server.adresse();
        optionen.FTPLogin = QStringLiteral("fotograf");
        optionen.FTPPassword = QStringLiteral("geheim");
        const Bilddatei datei = bilddateiAus(umgebung.datei(QStringLiteral("bild.jpg"), 1000), true);
        QString fehlerText;

        Statusfensteranzeige anzeige;
        QTimer klick;
        connect(&klick, &QTimer::timeout, this, [&] {
            if (anzeige.fenster()
                && statusinfo(anzeige.fenster()) == QStringLiteral("Verbindung hergestellt, übertrage Datei...")) {
                klick.stop();
                QVERIFY(anzeige.fenster()->testAttribute(Qt::WA_AlwaysShowToolTips));
                QCOMPARE(anzeige.fenster()->toolTip(),
                    QStringLiteral("Ein Klick auf dieses Fenster bricht die Übertragung ab."));
                QTest::mouseClick(anzeige.fenster(), Qt::LeftButton);
            }
        });
        klick.start(50);
        const Frist frist(0s);
        QCOMPARE(ftpUpload(datei, optionen, anzeige, fehlerText, { 60s, 60s }), FtpErgebnis::Gescheitert);
        QVERIFY2(frist.verletzt().isEmpty(), qPrintable(frist.verletzt()));

        QVERIFY(!klick.isActive());
        QVERIFY(anzeige.abbruchGewuenscht());
        QVERIFY(!anzeige.fenster());
        // The next transfer's window starts afresh.
        anzeige.status(QStringLiteral("Überprüfe Login und Passwort"));
        QVERIFY(!anzeige.abbruchGewuenscht());
        anzeige.status(QString());
    }
};

QTEST_MAIN(TestStatusfenster)
#include "test_statusfenster.moc"
