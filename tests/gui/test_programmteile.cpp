#include "ftptestserver.h"
#include "gui/form1.h"
#include "gui/programmteile.h"
#include "testumgebung.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// Records the class of every top-level widget that is shown.
class Zeigezaehler : public QObject {
public:
    QStringList gezeigt;

    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        auto* widget = qobject_cast<QWidget*>(objekt);
        if (ereignis->type() == QEvent::Show && widget && widget->isWindow())
            gezeigt.append(QString::fromLatin1(widget->metaObject()->className()));
        return false;
    }
};
} // namespace

// The program's parts as main() puts them together: an upload builds no
// settings window, and the window, once it opens, shows the stored settings.
class TestProgrammteile : public QObject {
    Q_OBJECT

    Testumgebung umgebung;

private Q_SLOTS:
    void hochladenBautNurDasStatusfenster()
    {
        FtpTestserver server;
        QVERIFY(server.laeuft());
        umgebung.speicherSetzen(QStringLiteral("FTPServer"), server.adresse());
        umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("fotograf"));
        umgebung.speicherSetzen(QStringLiteral("FTPPassword"), QStringLiteral("geheim"));
        umgebung.speicherSetzen(QStringLiteral("URL"), QStringLiteral("http://bilder.example/"));
        umgebung.speicherSetzen(QStringLiteral("LinkOption"), QStringLiteral("1"));
        const QString bild = umgebung.datei(QStringLiteral("bild.jpg"), 4096);
        const auto vorher = umgebung.speicherInhalt();

        Zeigezaehler zaehler;
        qApp->installEventFilter(&zaehler);
        Programmteile teile(QString(), { bild }, [](int) {});
        QCOMPARE(teile.lauf().ausfuehren(), Laufende::Hochgeladen);
        qApp->removeEventFilter(&zaehler);

        QCOMPARE(teile.lauf().link(), QStringLiteral("http://bilder.example/bild.jpg"));
        QCOMPARE(zaehler.gezeigt, QStringList{ QStringLiteral("statusfenster") });
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
        // The rewrite in normal form is the same without the window's controls.
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPServer")), server.adresse());
        QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("URL")), vorher.value(QStringLiteral("URL")));
    }

    void fensterZeigtDieGespeichertenWerte()
    {
        umgebung.speicherSetzen(QStringLiteral("FTPServer"), QStringLiteral("ftp.example.org"));
        umgebung.speicherSetzen(QStringLiteral("FTPUseProxy"), QStringLiteral("Falsch"));
        umgebung.speicherSetzen(QStringLiteral("LinkOption"), QStringLiteral("0"));
        Programmteile teile(QString(), {}, [](int) {});
        QCOMPARE(teile.lauf().ausfuehren(), Laufende::FensterOffen);

        const QList<QWidget*> fenster = QApplication::topLevelWidgets();
        QCOMPARE(fenster.size(), 1);
        auto* form1 = qobject_cast<Form1*>(fenster.first());
        QVERIFY(form1 && form1->isVisible());
        QCOMPARE(form1->windowTitle(), QStringLiteral("Morva Fotoschicker 1.1 - Einstellungen"));
        QCOMPARE(form1->text(Textfeld::FTPServer), QStringLiteral("ftp.example.org"));
        QCOMPARE(form1->aktiveOptionFinden(), Zwischenablageinhalt::Nichts);
        QVERIFY(!form1->findChild<QLineEdit*>(Form1::objektname(Textfeld::FTPProxy))->isEnabled());
        QVERIFY(!form1->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    }
};

QTEST_MAIN(TestProgrammteile)
#include "test_programmteile.moc"
