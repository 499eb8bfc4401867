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
#include "statusfenster/fortschrittstext.h"
#include "transfer/ftpupload.h"
#include "transfer/uebertragung.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(FtpErgebnis)

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
        QTest::addColumn<QRect>("arbeitsflaeche");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QRect>("erwartet");

        const QRect xga(0, 0, 1024, 768);
        QTest::newRow("1024x768 bei 96 DPI") << xga << xga << 96.0 << QRect(677, 691, 314, 44);
        QTest::newRow("1280x1024 bei 96 DPI") << QRect(0, 0, 1280, 1024) << QRect() << 96.0 << QRect(933, 947, 314, 44);
        // 10 twips per pixel: the window grows with the resolution, the margin stays 500 twips.
        QTest::newRow("1920x1080 bei 144 DPI")
            << QRect(0, 0, 1920, 1080) << QRect() << 144.0 << QRect(1399, 964, 471, 66);
        QTest::newRow("Bildschirm nicht bei 0,0")
            << QRect(100, 50, 1024, 768) << QRect() << 96.0 << QRect(777, 741, 314, 44);
        // A panel that covers only the margin changes nothing; one that reaches the window lifts it just clear.
        QTest::newRow("Leiste von 30 px") << xga << QRect(0, 0, 1024, 738) << 96.0 << QRect(677, 691, 314, 44);
        QTest::newRow("Leiste von 44 px") << xga << QRect(0, 0, 1024, 724) << 96.0 << QRect(677, 680, 314, 44);
        QTest::newRow("Leiste von 100 px") << xga << QRect(0, 0, 1024, 668) << 96.0 << QRect(677, 624, 314, 44);
        QTest::newRow("Leiste rechts") << xga << QRect(0, 0, 984, 768) << 96.0 << QRect(670, 691, 314, 44);
    }

    void lageUntenRechts()
    {
        QFETCH(QRect, bildschirm);
        QFETCH(QRect, arbeitsflaeche);
        QFETCH(double, dpi);
        QFETCH(QRect, erwartet);
        QCOMPARE(Fensterlage::statusfensterLage(bildschirm, arbeitsflaeche, dpi, dpi), erwartet);
    }

    void fortschrittstext_data()
    {
        QTest::addColumn<qint64>("gesendet");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("noch nichts") << qint64(0) << qint64(0) << "0 % übertragen";
        QTest::newRow("langsam") << qint64(50000) << qint64(2000) << "5 % übertragen, 25 kB/s, noch 38 s";
        QTest::newRow("schnell") << qint64(600000) << qint64(500) << "60 % übertragen, 1,2 MB/s, noch 1 s";
        QTest::newRow("Minuten") << qint64(1000) << qint64(1000) << "0 % übertragen, 1 kB/s, noch 16 min 39 s";
        QTest::newRow("fertig") << qint64(1000000) << qint64(1000) << "100 % übertragen, 1,0 MB/s";
    }

    void fortschrittstext()
    {
        QFETCH(qint64, gesendet);
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(::fortschrittstext(gesendet, 1000000, ms, 0), text);
    }

    void textOeffnetErsetztUndSchliesst()
    {
        Statusfensteranzeige anzeige;
        anzeige.status(QStringLiteral("Überprüfe Login und Passwort"));
        // Built when the event loop next turns, as the transfer's does.
        QVERIFY(!anzeige.fenster());
        QTRY_VERIFY(anzeige.fenster());
        statusfenster* fenster = anzeige.fenster();
        QVERIFY(fenster->isVisible());
        QCOMPARE(statusinfo(fenster), QStringLiteral("Überprüfe Login und Passwort"));
        QCOMPARE(fenster->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("Morva Fotoschicker Statusfenster..."));
        QVERIFY(fenster->windowFlags().testFlags(
            Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(fenster->palette().color(QPalette::Window), QColor(255, 255, 128));
        const QScreen* schirm = QGuiApplication::primaryScreen();
        QCOMPARE(fenster->geometry(),
            Fensterlage::statusfensterLage(schirm->geometry(), schirm->availableGeometry(),
                schirm->logicalDotsPerInchX(), schirm->logicalDotsPerInchY()));
        // One face and size for both lines, also after a longer text.
        QCOMPARE(fenster->findChild<QLabel*>(QStringLiteral("Label1"))->font(),
            fenster->findChild<QLabel*>(QStringLiteral("statusinfo"))->font());

        anzeige.status(QStringLiteral("Verbindung hergestellt, übertrage Datei..."));
        QCOMPARE(anzeige.fenster(), fenster);
        QCOMPARE(offeneStatusfenster(), 1);
        QCOMPARE(statusinfo(fenster), QStringLiteral("Verbindung hergestellt, übertrage Datei..."));

        anzeige.status(QString());
        QVERIFY(!anzeige.fenster());
        QCOMPARE(offeneStatusfenster(), 0);
        anzeige.status(QString());
        QCOMPARE(offeneStatusfenster(), 0);

        // Closed before the loop turned: no window comes after.
        anzeige.status(QStringLiteral("x"));
        anzeige.status(QString());
        QCoreApplication::processEvents();
        QCOMPARE(offeneStatusfenster(), 0);
    }

    // Several pictures: a line above the others names the current one; the window grows
    // upwards by it. A window without it is as before.
    void bildzeileUeberDenTexten()
    {
        const QScreen* schirm = QGuiApplication::primaryScreen();
        const QRect ohne = Fensterlage::statusfensterLage(schirm->geometry(), schirm->availableGeometry(),
            schirm->logicalDotsPerInchX(), schirm->logicalDotsPerInchY());
        Statusfensteranzeige anzeige;
        anzeige.bildzeile(QStringLiteral("Bild 2 von 3: ") + QString(200, u'x') + QStringLiteral(".jpg"));
        anzeige.status(QStringLiteral("x"));
        QTRY_VERIFY(anzeige.fenster());
        const auto* zeile = anzeige.fenster()->findChild<QLabel*>(QStringLiteral("bildzeile"));
        QVERIFY(zeile->isVisible());
        QVERIFY(zeile->text().startsWith(QStringLiteral("Bild 2 von 3: xx")) && zeile->text().endsWith(".jpg"));
        QVERIFY(zeile->fontMetrics().horizontalAdvance(zeile->text()) <= zeile->width());
        QCOMPARE(anzeige.fenster()->geometry().bottomRight(), ohne.bottomRight());
        QVERIFY(anzeige.fenster()->height() > ohne.height());
        anzeige.status(QString());
        anzeige.bildzeile(QString());
        anzeige.status(QStringLiteral("x"));
        QTRY_VERIFY(anzeige.fenster());
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
        QTRY_VERIFY(anzeige.fenster());
        statusfenster* fenster = anzeige.fenster();
        const QRect ecke = fenster->geometry();
        fenster->setGeometry(10, 10, 200, 100);
        QCoreApplication::processEvents();
        QCOMPARE(fenster->geometry(), ecke);
        anzeige.status(QString());
    }

    // A line of 4 pixels (at 96 DPI) in the palette's highlight colour, and
    // the figures in the tooltip.
    void fortschrittAlsLinieUnterDemText()
    {
        const QPalette vorher = QGuiApplication::palette();
        QPalette farben = vorher;
        const QColor hervorhebung(200, 30, 30);
        farben.setColor(QPalette::Highlight, hervorhebung);
        QGuiApplication::setPalette(farben);
        Statusfensteranzeige anzeige;
        anzeige.status(QStringLiteral("Verbindung hergestellt, übertrage Datei..."));
        QTRY_VERIFY(anzeige.fenster());
        statusfenster* fenster = anzeige.fenster();
        const QImage ohne = fenster->grab().toImage();
        anzeige.fortschritt(50, 100);
        const QImage halb = fenster->grab().toImage();
        const QString tipp = fenster->toolTip();
        anzeige.status(QString());
        QGuiApplication::setPalette(vorher);

        // Below the line only the one-pixel frame.
        const QColor hintergrund(255, 255, 128);
        const int links = halb.width() / 4;
        for (int zeile = halb.height() - 5; zeile <= halb.height() - 2; ++zeile) {
            QCOMPARE(ohne.pixelColor(links, zeile), hintergrund);
            QCOMPARE(halb.pixelColor(links, zeile), hervorhebung);
            QVERIFY(halb.pixelColor(halb.width() * 3 / 4, zeile) != hervorhebung);
        }
        // The text above the line is left alone.
        QCOMPARE(halb.pixelColor(links, halb.height() - 6), hintergrund);
        QCOMPARE(halb.pixelColor(halb.width() - 5, 5), hintergrund);
        QVERIFY2(tipp.startsWith(QStringLiteral("50 % übertragen")), qPrintable(tipp));
        QVERIFY2(tipp.endsWith(QStringLiteral("abgebrochen werden soll.")), qPrintable(tipp));
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

    // A click only asks; the upload goes on while the question is open (the
    // server, held at STOR until the question is there, then reads on), and
    // only "Ja" stops it. Then whatever reached the server is removed or, where
    // the server refuses, named. "Ja" comes once part of the picture is on the
    // server, which takes in far less than all of it before the answer.
    void klickFragtErstNach_data()
    {
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<QString>("rechte");
        QTest::addColumn<qint64>("groesse");
        QTest::addColumn<FtpErgebnis>("ergebnis");
        QTest::newRow("Nein") << "&Nein"
                              << "elradfmwMT" << qint64(256 * 1024) << FtpErgebnis::Hochgeladen;
        QTest::newRow("Ja") << "&Ja"
                            << "elradfmwMT" << qint64(16 << 20) << FtpErgebnis::Abgebrochen;
        QTest::newRow("Ja, Löschen verboten") << "&Ja"
                                              << "elrafmwMT" << qint64(16 << 20) << FtpErgebnis::RestGeblieben;
    }

    void klickFragtErstNach()
    {
        QFETCH(QString, antwort);
        QFETCH(QString, rechte);
        QFETCH(qint64, groesse);
        QFETCH(FtpErgebnis, ergebnis);
        FtpTestserver::Art art;
        art.rechte = rechte;
        art.drossel = 256 * 1024;
        art.mitzaehlen = true;
        art.storAufhalten = true;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        Testumgebung umgebung;
        Optionen optionen;
        optionen.FTPServer = server.adresse();
        optionen.FTPLogin = QStringLiteral("fotograf");
        optionen.FTPPassword = QStringLiteral("geheim");
        const Bilddatei datei = bilddateiAus(umgebung.datei(QStringLiteral("bild.jpg"), groesse), true);
        QString fehlerText;

        Statusfensteranzeige anzeige;
        QPointer<QMessageBox> frage;
        bool freigegeben = false;
        QTimer schritt;
        const auto antworten = [&] {
            schritt.stop();
            QVERIFY(!anzeige.abbruchGewuenscht());
            for (QAbstractButton* knopf : frage->buttons())
                if (knopf->text() == antwort)
                    knopf->click();
        };
        connect(&schritt, &QTimer::timeout, this, [&] {
            const FtpTestserver::Lesestand stand = server.lesestand();
            if (!frage && anzeige.fenster() && stand.storErhalten) {
                QTest::mouseClick(anzeige.fenster(), Qt::LeftButton);
                frage = anzeige.fenster()->findChild<QMessageBox*>();
            } else if (frage && !freigegeben) {
                server.storFreigeben();
                freigegeben = true;
                // The small picture may be through before the next look.
                if (ergebnis == FtpErgebnis::Hochgeladen)
                    antworten();
            } else if (frage && stand.gelesen > 0) {
                antworten();
            }
        });
        schritt.start(50);
        QCOMPARE(ftpUpload(datei, optionen, anzeige, fehlerText, { 30s, 30s }), ergebnis);

        QVERIFY(!schritt.isActive());
        QVERIFY(!frage);
        QVERIFY(!anzeige.fenster());
        const QFileInfo aufDemServer(server.wurzel() + QStringLiteral("/bild.jpg"));
        QCOMPARE(aufDemServer.exists(), ergebnis != FtpErgebnis::Abgebrochen);
        if (ergebnis != FtpErgebnis::Hochgeladen)
            QVERIFY(server.befehle().contains(QStringLiteral("DELE bild.jpg")));
        if (ergebnis == FtpErgebnis::RestGeblieben) {
            QCOMPARE(fehlerText, QStringLiteral("bild.jpg"));
            QVERIFY(aufDemServer.size() < groesse);
        }
    }

    void frageUndName()
    {
        Statusfensteranzeige anzeige;
        anzeige.status(QStringLiteral("x"));
        QTRY_VERIFY(anzeige.fenster());
        statusfenster* fenster = anzeige.fenster();
        QCOMPARE(fenster->accessibleName(), QStringLiteral("Morva Fotoschicker Statusfenster"));
        QVERIFY(!fenster->accessibleDescription().isEmpty());
        QTest::mouseClick(fenster, Qt::LeftButton);
        QTest::mouseClick(fenster, Qt::LeftButton);
        // A second click finds the open question, not a new one.
        QCOMPARE(fenster->findChildren<QMessageBox*>().size(), 1);
        const QMessageBox* frage = fenster->findChild<QMessageBox*>();
        QCOMPARE(frage->text(), QStringLiteral("Übertragung abbrechen?"));
        QCOMPARE(frage->windowTitle(), QStringLiteral("Morva Fotoschicker"));
        QCOMPARE(frage->defaultButton()->text(), QStringLiteral("&Nein"));
        anzeige.status(QString());
        QVERIFY(!anzeige.abbruchGewuenscht());
    }
};

QTEST_MAIN(TestStatusfenster)
#include "test_statusfenster.moc"
