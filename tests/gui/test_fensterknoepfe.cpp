#include "app/startlauf.h"
#include "ftptestserver.h"
#include "gui/fensterknoepfe.h"
#include "gui/form1.h"
#include "gui/statusfensteranzeige.h"
#include "laufattrappen.h"
#include "settings/einstellungsspeicher.h"
#include "testumgebung.h"
#include "transfer/netzuebertragung.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
QPushButton* knopf(const Form1& f, const char* name)
{
    auto* k = f.findChild<QPushButton*>(QString::fromLatin1(name));
    if (!k)
        qFatal("no button %s", name);
    return k;
}

QLineEdit* feld(const Form1& f, Textfeld textfeld)
{
    auto* t = f.findChild<QLineEdit*>(Form1::objektname(textfeld));
    if (!t)
        qFatal("no text box %s", qPrintable(Form1::objektname(textfeld)));
    return t;
}

// The program's parts with a real transfer and status window; only the boxes,
// the lock and the clipboard are scripted. The buttons are wired as the program
// wires them, with the end of the program recorded instead of performed.
struct Programm {
    explicit Programm(const QString& bild)
        : lauf({ dialoge, fenster, speicher, sperre, uebertragung, status, nachUpload, schluesselbund }, QString(),
            { bild })
    {
        status.zeigenWenn([this] { return lauf.optionen().StatusfensterZeigen; });
        fensterknoepfeVerbinden(fenster, lauf, [this](int code) { beendet.append(code); });
    }

    Form1 fenster;
    SkriptDialoge dialoge;
    Einstellungsspeicher speicher;
    FesteSperre sperre;
    Netzuebertragung uebertragung;
    Statusfensteranzeige status;
    AufzeichnenderNachUpload nachUpload;
    OhneSchluesselbund schluesselbund;
    Startlauf lauf;
    QList<int> beendet;
};
} // namespace

class TestFensterknoepfe : public QObject {
    Q_OBJECT

    Testumgebung umgebung;

private Q_SLOTS:
    // A transfer runs an event loop of its own; clicks that waited for the
    // window arrive there. None of them may apply, start or end anything.
    void knoepfeImLaufAendernNichts()
    {
        FtpTestserver::Art art;
        art.storAufhalten = true;
        FtpTestserver server(art);
        QVERIFY(server.laeuft());
        QVERIFY(QDir(server.wurzel()).mkdir(QStringLiteral("bilder")));
        umgebung.speicherSetzen(QStringLiteral("FTPServer"), server.adresse());
        umgebung.speicherSetzen(QStringLiteral("FTPPassword"), QStringLiteral("geheim"));
        umgebung.speicherSetzen(QStringLiteral("FTPPath"), QStringLiteral("bilder/"));
        const QString bild = umgebung.datei(QStringLiteral("bild.jpg"), 4096);

        // Without a login the window opens; the user types it and clicks OK.
        Programm p(bild);
        QCOMPARE(p.lauf.ausfuehren(), Laufende::FensterOffen);
        QVERIFY(p.fenster.isVisible());
        feld(p.fenster, Textfeld::FTPLogin)->setText(QStringLiteral("fotograf"));

        bool imLauf = false;
        bool geschlossen = true;
        QTimer wache;
        connect(&wache, &QTimer::timeout, this, [&] {
            if (!server.lesestand().storErhalten)
                return;
            wache.stop();
            imLauf = p.lauf.laeuft();
            feld(p.fenster, Textfeld::FTPPath)->setText(QStringLiteral("anders/"));
            knopf(p.fenster, "Command1")->click();
            knopf(p.fenster, "Command3")->click();
            geschlossen = p.fenster.close();
            knopf(p.fenster, "Command2")->click();
            server.storFreigeben();
        });
        wache.start(10);

        knopf(p.fenster, "Command2")->click();

        QVERIFY(imLauf);
        QVERIFY(!geschlossen);
        // Only the run that OK started ended the program, with success.
        QCOMPARE(p.beendet, QList<int>{ 0 });
        QVERIFY(p.dialoge.meldungen.isEmpty());
        QCOMPARE(p.nachUpload.aufrufe.size(), 1);
        QVERIFY(QFile::exists(server.wurzel() + QStringLiteral("/bilder/bild.jpg")));
        const QStringList befehle = server.befehle();
        QCOMPARE(befehle.filter(QStringLiteral("STOR ")), QStringList{ QStringLiteral("STOR bilder/bild.jpg") });
        // "Übernehmen" stored nothing: the store holds what OK applied.
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPath")), QStringLiteral("bilder/"));
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPLogin")), QStringLiteral("fotograf"));
        QVERIFY(!p.lauf.laeuft());

        // Once the run is over, the buttons do their work again.
        knopf(p.fenster, "Command1")->click();
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPath")), QStringLiteral("anders/"));
        QVERIFY(p.fenster.close());
        QCOMPARE(p.beendet, QList<int>({ 0, 0 }));
    }
};

QTEST_MAIN(TestFensterknoepfe)
#include "test_fensterknoepfe.moc"
