#include "app/startlauf.h"
#include "ftptestserver.h"
#include "kindprozess.h"
#include "laufattrappen.h"
#include "settings/einstellungsspeicher.h"
#include "settings/qtschluesselbund.h"
#include "testumgebung.h"
#include "transfer/netzuebertragung.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <csignal>

// The FTP password in a real GNOME Keyring, in a D-Bus session of the test's
// own (support/schluesselbund_sitzung.sh gnome), and on a bus without a
// Secret Service (… keiner). Uploads go to real FTP servers.

namespace {
const char* const abbruchSchalter = "--abbruch-nach-schluesselbund";

// The real keyring, waited for as long as the suite waits for anything: the
// program's 5 s are meant for a desktop, not for a loaded test machine.
class GeduldigerSchluesselbund : public QtSchluesselbund {
public:
    GeduldigerSchluesselbund()
        : QtSchluesselbund(std::chrono::seconds(30))
    {
    }
};

// The program's parts with the real store, keyring and transfer; the boxes scripted.
template <typename Bund = GeduldigerSchluesselbund>
using Lauf = Testlauf<SpeicherFenster, SkriptDialoge, Bund, Netzuebertragung>;

// The program killed the moment the keyring has confirmed a password, before
// anything else happens: what a crash or a logout at the worst moment leaves.
class AbbrechenderSchluesselbund : public GeduldigerSchluesselbund {
public:
    Antwort schreiben(const QString& konto, const QString& passwort) override
    {
        const Antwort antwort = GeduldigerSchluesselbund::schreiben(konto, passwort);
        if (antwort == Antwort::Erledigt)
            std::raise(SIGKILL);
        return antwort;
    }
};

QString imSchluesselbund(const QString& konto)
{
    QString passwort;
    GeduldigerSchluesselbund().lesen(konto, passwort);
    return passwort;
}

bool mitSchluesselbund()
{
    return qEnvironmentVariable("TEST_SCHLUESSELBUND") == QStringLiteral("gnome");
}

FtpTestserver::Art konto(const QString& benutzer, const QString& passwort)
{
    FtpTestserver::Art art;
    art.benutzer = benutzer;
    art.passwort = passwort;
    return art;
}
} // namespace

class TestSchluesselbund : public QObject {
    Q_OBJECT

    Testumgebung umgebung;
    QString bild;

    // The window as the user fills it, applied with "Übernehmen".
    static bool eintragen(const FtpTestserver& server, const QString& login, const QString& passwort)
    {
        Lauf<> l;
        if (l.lauf.ausfuehren() != Laufende::FensterOffen)
            return false;
        l.fenster.setText(Textfeld::FTPServer, server.adresse());
        l.fenster.setText(Textfeld::FTPLogin, login);
        l.fenster.setText(Textfeld::FTPPassword, passwort);
        return l.lauf.uebernehmenGeklickt() && l.dialoge.meldungen.isEmpty();
    }

    QByteArray speicherDatei() const
    {
        QFile datei(umgebung.speicherDatei());
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init()
    {
        umgebung.speicherLeeren();
        bild = umgebung.datei(QStringLiteral("bild.jpg"), 100);
    }

    // Store -> run -> upload: the password goes into the keyring, the file keeps none.
    void passwortImSchluesselbund()
    {
        if (!mitSchluesselbund())
            QSKIP("needs the GNOME Keyring session");
        FtpTestserver server(konto(QStringLiteral("anna"), QStringLiteral("Geh eim!")));
        QVERIFY(server.laeuft());
        QVERIFY(eintragen(server, QStringLiteral("anna"), QStringLiteral("Geh eim!")));
        QCOMPARE(imSchluesselbund(QStringLiteral("anna@") + server.adresse()), QStringLiteral("Geh eim!"));
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPassword"), QStringLiteral("fehlt")), QString());

        Lauf<> fenster;
        QCOMPARE(fenster.lauf.ausfuehren(), Laufende::FensterOffen);
        QCOMPARE(fenster.fenster.text(Textfeld::FTPPassword), QStringLiteral("Geh eim!"));
        QVERIFY(!fenster.fenster.passwortHinweis);

        QCOMPARE(Lauf<>(bild).lauf.ausfuehren(), Laufende::Hochgeladen);
        QVERIFY(QFile::exists(server.wurzel() + QStringLiteral("/bild.jpg")));
        QVERIFY(!speicherDatei().contains("Geh eim"));
    }

    // A file from before the keyring: the first run moves the password, but a
    // kill between the keyring's confirmation and the file's rewrite loses nothing.
    void umzugUeberstehtAbbruch()
    {
        if (!mitSchluesselbund())
            QSKIP("needs the GNOME Keyring session");
        FtpTestserver server(konto(QStringLiteral("berta"), QStringLiteral("alt")));
        QVERIFY(server.laeuft());
        umgebung.speicherSetzen(QStringLiteral("FTPServer"), server.adresse());
        umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("berta"));
        umgebung.speicherSetzen(QStringLiteral("FTPPassword"), QStringLiteral("alt"));

        QProcess abbruch;
        endetMitDemTest(abbruch);
        abbruch.start(QCoreApplication::applicationFilePath(), { QString::fromLatin1(abbruchSchalter) });
        QVERIFY(abbruch.waitForFinished(30000));
        QCOMPARE(abbruch.exitStatus(), QProcess::CrashExit);
        QCOMPARE(imSchluesselbund(QStringLiteral("berta@") + server.adresse()), QStringLiteral("alt"));
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPassword")), QStringLiteral("alt"));

        Lauf<> l(bild);
        QCOMPARE(l.lauf.ausfuehren(), Laufende::Hochgeladen);
        QVERIFY(l.dialoge.passwortAufforderungen.isEmpty());
        QVERIFY(QFile::exists(server.wurzel() + QStringLiteral("/bild.jpg")));
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPassword"), QStringLiteral("fehlt")), QString());
        QCOMPARE(imSchluesselbund(QStringLiteral("berta@") + server.adresse()), QStringLiteral("alt"));
    }

    // Every account has its own entry, and a run gets the one of the account it uses.
    void zweiKontenZweiPasswoerter()
    {
        if (!mitSchluesselbund())
            QSKIP("needs the GNOME Keyring session");
        FtpTestserver a(konto(QStringLiteral("anna"), QStringLiteral("fuer-a")));
        FtpTestserver b(konto(QStringLiteral("bodo"), QStringLiteral("fuer-b")));
        QVERIFY(a.laeuft() && b.laeuft());
        QVERIFY(eintragen(a, QStringLiteral("anna"), QStringLiteral("fuer-a")));
        QVERIFY(eintragen(b, QStringLiteral("bodo"), QStringLiteral("fuer-b")));

        Lauf<> nachA(QStringLiteral("/ftpserver:") + a.adresse() + QStringLiteral(" /ftpuser:anna /file:") + bild);
        QCOMPARE(nachA.lauf.ausfuehren(), Laufende::Hochgeladen);
        Lauf<> nachB(bild);
        QCOMPARE(nachB.lauf.ausfuehren(), Laufende::Hochgeladen);
        QVERIFY(nachA.dialoge.passwortAufforderungen.isEmpty() && nachB.dialoge.passwortAufforderungen.isEmpty());
        QVERIFY(QFile::exists(a.wurzel() + QStringLiteral("/bild.jpg")));
        QVERIFY(QFile::exists(b.wurzel() + QStringLiteral("/bild.jpg")));
    }

    // Another server on the command line, without a password: the stored one
    // stays home. The prompt asks, and cancelled, nothing reaches that server.
    // Holds with and without a keyring.
    void anderesKontoWirdGefragt()
    {
        FtpTestserver eigen(konto(QStringLiteral("anna"), QStringLiteral("heimlich")));
        FtpTestserver fremd;
        QVERIFY(eigen.laeuft() && fremd.laeuft());
        QVERIFY(eintragen(eigen, QStringLiteral("anna"), QStringLiteral("heimlich")));

        Lauf<> l(QStringLiteral("/ftpserver:") + fremd.adresse() + QStringLiteral(" /file:") + bild);
        QCOMPARE(l.lauf.ausfuehren(), Laufende::FensterOffen);
        QCOMPARE(l.dialoge.passwortAufforderungen.size(), 1);
        QVERIFY(l.dialoge.passwortAufforderungen.first().contains(fremd.adresse()));
        QCOMPARE(fremd.befehle(), QStringList());
    }

    // No Secret Service: the password stays in the 0600 file as before, and the window says so.
    void ohneSchluesselbundWieBisher()
    {
        if (mitSchluesselbund())
            QSKIP("needs a bus without a Secret Service");
        FtpTestserver server;
        QVERIFY(server.laeuft());
        QVERIFY(eintragen(server, QStringLiteral("fotograf"), QStringLiteral("geheim")));
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPassword")), QStringLiteral("geheim"));

        Lauf<> l(bild);
        QCOMPARE(l.lauf.ausfuehren(), Laufende::Hochgeladen);
        QVERIFY(l.dialoge.meldungen.isEmpty());
        QVERIFY(l.dialoge.passwortAufforderungen.isEmpty());
        Lauf<> ohneBild;
        QCOMPARE(ohneBild.lauf.ausfuehren(), Laufende::FensterOffen);
        QVERIFY(ohneBild.fenster.passwortHinweis);
    }

    // A keyring that takes the call and never answers: the wait ends after the
    // program's own bound with a box, the window's events go on meanwhile, and the password
    // stays in the file, so the upload still works.
    void stummerSchluesselbund()
    {
        if (mitSchluesselbund())
            QSKIP("needs a bus without a Secret Service");
        QProcess stumm;
        endetMitDemTest(stumm);
        stumm.start(QStringLiteral("/usr/bin/python3"),
            { qEnvironmentVariable("TEST_SOURCE_DIR") + QStringLiteral("/support/stummer_schluesselbund.py") });
        // It holds the name once its line is complete; the line may come in pieces.
        QTRY_VERIFY_WITH_TIMEOUT(stumm.canReadLine() || stumm.state() == QProcess::NotRunning, 30000);
        QCOMPARE(stumm.readLine(), QByteArray("bereit\n"));
        FtpTestserver server;
        QVERIFY(server.laeuft());
        umgebung.speicherSetzen(QStringLiteral("FTPServer"), server.adresse());
        umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("fotograf"));
        umgebung.speicherSetzen(QStringLiteral("FTPPassword"), QStringLiteral("geheim"));

        int ticks = 0;
        QTimer takt;
        connect(&takt, &QTimer::timeout, this, [&ticks] { ++ticks; });
        takt.start(50);
        Lauf<QtSchluesselbund> l(bild);
        QCOMPARE(l.lauf.ausfuehren(), Laufende::Hochgeladen);
        QVERIFY(ticks > 0);
        QCOMPARE(l.dialoge.meldungen.size(), 1);
        QCOMPARE(l.dialoge.meldungen.first().titel, QStringLiteral("Schlüsselbund antwortet nicht"));
        QVERIFY(QFile::exists(server.wurzel() + QStringLiteral("/bild.jpg")));
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPassword")), QStringLiteral("geheim"));
        stumm.closeWriteChannel();
        QVERIFY(stumm.waitForFinished(30000));
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], abbruchSchalter) == 0) {
        // Only the start: the rewrite of the store moves the password.
        Lauf<AbbrechenderSchluesselbund> l;
        l.lauf.ausfuehren();
        return 0;
    }
    TestSchluesselbund test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_schluesselbund.moc"
