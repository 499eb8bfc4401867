#include "app/startlauf.h"
#include "gui/form1.h"
#include "gui/passwortdialog.h"
#include "gui/qtdialoge.h"
#include "laufattrappen.h"
#include "settings/einstellungsspeicher.h"
#include "testumgebung.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
const QString aufforderung = QStringLiteral("Sie haben kein Passwort hinterlegt.\r\nZeile zwei:");

QLineEdit* feld(const QDialog& d)
{
    return d.findChild<QLineEdit*>(QStringLiteral("passwortfeld"));
}

QPushButton* knopf(const QDialog& d, const QString& name)
{
    return d.findChild<QPushButton*>(name);
}

// Stands in for the user while a run shows real modal windows: answers the
// password prompt as scripted, and closes and remembers any message box.
// Whatever modal window is still open after a few seconds is closed, so a
// broken run fails its checks instead of hanging.
class Benutzer : public QObject {
public:
    explicit Benutzer(std::function<void(Passwortdialog&)> antwort)
        : m_antwort(std::move(antwort))
    {
        connect(&m_takt, &QTimer::timeout, this, [this] { nachsehen(); });
        m_takt.start(20);
    }

    QStringList aufforderungen;
    QStringList meldungen;
    QList<Qt::TextFormat> formate;

private:
    void nachsehen()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* prompt = qobject_cast<Passwortdialog*>(modal); prompt && prompt->isVisible()) {
            aufforderungen.append(
                prompt->windowTitle() + u'|' + prompt->findChild<QLabel*>(QStringLiteral("aufforderung"))->text());
            m_antwort(*prompt);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            meldungen.append(box->text());
            formate.append(box->textFormat());
            box->done(0);
        } else if (++m_wartezeit > 250) {
            modal->close();
        }
    }

    std::function<void(Passwortdialog&)> m_antwort;
    QTimer m_takt;
    int m_wartezeit = 0;
};

// A start with a picture and a stored account without password, shown with
// the real dialogs.
struct LaufOhnePasswort : Testlauf<Form1, QtDialoge> {
    explicit LaufOhnePasswort(Testumgebung& umgebung)
        : Testlauf(umgebung.datei(QStringLiteral("bild.jpg"), 100))
    {
        umgebung.speicherLeeren();
        umgebung.speicherSetzen(QStringLiteral("FTPServer"), QStringLiteral("ftp.example.org"));
        umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("ich"));
    }
};
} // namespace

class TestPasswortdialog : public QObject {
    Q_OBJECT

    Testumgebung umgebung;

private Q_SLOTS:
    void antwortGenauWieGetipptUndMitSternen();
    void abbrechenEscapeUndSchliessenGebenLeer_data();
    void abbrechenEscapeUndSchliessenGebenLeer();
    void laufOhnePasswortAbgebrochenZeigtFenster();
    void laufNimmtGetipptesPasswortOhneEsZuSpeichern();
    void meldungZeigtNamenWoertlich();
};

void TestPasswortdialog::antwortGenauWieGetipptUndMitSternen()
{
    Passwortdialog d(aufforderung, QStringLiteral("Passwort eingeben"));
    d.show();
    QCOMPARE(d.windowTitle(), QStringLiteral("Passwort eingeben"));
    QCOMPARE(d.findChild<QLabel*>(QStringLiteral("aufforderung"))->text(),
        QStringLiteral("Sie haben kein Passwort hinterlegt.\nZeile zwei:"));
    QCOMPARE(knopf(d, QStringLiteral("ok"))->text(), QStringLiteral("OK"));
    QCOMPARE(knopf(d, QStringLiteral("abbrechen"))->text(), QStringLiteral("Abbrechen"));
    QVERIFY(feld(d)->text().isEmpty());

    QTest::keyClicks(feld(d), QStringLiteral("  geheim  "));
    QCOMPARE(feld(d)->displayText(), QStringLiteral("**********"));
    QTest::mouseClick(knopf(d, QStringLiteral("ok")), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.antwort(), QStringLiteral("  geheim  "));
}

void TestPasswortdialog::abbrechenEscapeUndSchliessenGebenLeer_data()
{
    QTest::addColumn<int>("weg");
    QTest::newRow("Abbrechen") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("Schliessfeld") << 2;
}

void TestPasswortdialog::abbrechenEscapeUndSchliessenGebenLeer()
{
    QFETCH(int, weg);
    Passwortdialog d(aufforderung, QStringLiteral("Passwort eingeben"));
    d.show();
    QTest::keyClicks(feld(d), QStringLiteral("geheim"));
    if (weg == 0)
        QTest::mouseClick(knopf(d, QStringLiteral("abbrechen")), Qt::LeftButton);
    else if (weg == 1)
        QTest::keyClick(feld(d), Qt::Key_Escape);
    else
        d.close();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.antwort(), QString());
}

void TestPasswortdialog::laufOhnePasswortAbgebrochenZeigtFenster()
{
    LaufOhnePasswort l(umgebung);
    Benutzer benutzer([](Passwortdialog& d) {
        QTest::keyClicks(feld(d), QStringLiteral("halb"));
        QTest::mouseClick(knopf(d, QStringLiteral("abbrechen")), Qt::LeftButton);
    });

    QCOMPARE(l.lauf.ausfuehren(), Laufende::FensterOffen);
    QCOMPARE(benutzer.aufforderungen,
        QStringList({ QStringLiteral("Passwort eingeben|Sie haben kein Passwort hinterlegt.\nBitte geben Sie Ihr "
                                     "Passwort für den Zugang zu \"ftp.example.org\" jetzt ein:") }));
    QCOMPARE(benutzer.meldungen, QStringList());
    QVERIFY(l.fenster.isVisible());
    QVERIFY(l.fenster.findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    QVERIFY(l.uebertragung.ftpPfade.isEmpty());
    QCOMPARE(l.lauf.optionen().FTPPassword, QString());
}

void TestPasswortdialog::laufNimmtGetipptesPasswortOhneEsZuSpeichern()
{
    LaufOhnePasswort l(umgebung);
    Benutzer benutzer([](Passwortdialog& d) {
        QTest::keyClicks(feld(d), QStringLiteral("  geheim  "));
        QTest::mouseClick(knopf(d, QStringLiteral("ok")), Qt::LeftButton);
    });

    QCOMPARE(l.lauf.ausfuehren(), Laufende::Hochgeladen);
    QCOMPARE(benutzer.aufforderungen.size(), 1);
    QCOMPARE(benutzer.meldungen, QStringList());
    QCOMPARE(l.uebertragung.letzteOptionen.FTPPassword, QStringLiteral("  geheim  "));
    QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPPassword")), QString());
    QVERIFY(!l.fenster.isVisible());
}

void TestPasswortdialog::meldungZeigtNamenWoertlich()
{
    // The 'Datei existiert nicht' box names the file as given; a name that looks like markup must not be rendered as
    // such.
    umgebung.speicherLeeren();
    umgebung.speicherSetzen(QStringLiteral("FTPServer"), QStringLiteral("ftp.example.org"));
    umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("ich"));
    umgebung.speicherSetzen(QStringLiteral("FTPPassword"), QStringLiteral("geheim"));
    const QString name = QStringLiteral("/gibt/es/nicht/<b>fett</b> &amp; <i>x</i>.jpg");
    Testlauf<Form1, QtDialoge> l(name);
    Benutzer benutzer([](Passwortdialog& d) { d.reject(); });

    QCOMPARE(l.lauf.ausfuehren(), Laufende::Fehlgeschlagen);
    QCOMPARE(benutzer.meldungen,
        QStringList{ QStringLiteral("Die angegebene Datei (\"") + name
            + QStringLiteral(
                "\") existiert nicht, ist ein Verzeichnis oder es sind mehrere Dateien markiert gewesen!") });
    QCOMPARE(benutzer.formate, QList<Qt::TextFormat>{ Qt::PlainText });
}

QTEST_MAIN(TestPasswortdialog)
#include "test_passwortdialog.moc"
