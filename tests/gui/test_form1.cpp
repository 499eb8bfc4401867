#include "app/startlauf.h"
#include "gui/form1.h"
#include "laufattrappen.h"
#include "settings/einstellungsspeicher.h"
#include "settings/einstellungstabelle.h"
#include "settings/herstellerseiten.h"
#include "testumgebung.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {
template <typename T> T* kind(const QWidget& fenster, const QString& name)
{
    T* w = fenster.findChild<T*>(name);
    if (!w)
        qFatal("no child %s", qPrintable(name));
    return w;
}

QLineEdit* text(const Form1& f, Textfeld feld)
{
    return kind<QLineEdit>(f, Form1::objektname(feld));
}

QCheckBox* check(const Form1& f, Haken haken)
{
    return kind<QCheckBox>(f, Form1::objektname(haken));
}

QList<Textfeld> alleTextfelder()
{
    QList<Textfeld> felder;
    for (const Einstellung& e : einstellungstabelle()) {
        if (const auto* t = std::get_if<Texteinstellung>(&e.art))
            felder.append(t->steuerelement);
    }
    return felder;
}

QPushButton* knopf(const Form1& f, const char* name)
{
    return kind<QPushButton>(f, QString::fromLatin1(name));
}

void klicken(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
}

// A run as the program builds it: the real window and store, scripted
// dialogs and transfer, the buttons wired to the run.
struct Lauf : Testlauf<Form1, SkriptDialoge> {
    explicit Lauf(const QString& argumente)
        : Testlauf(argumente)
    {
        fenster.uebernehmenHandler = [this] { lauf.uebernehmenGeklickt(); };
        fenster.okHandler = [this] { okEnden.append(lauf.okGeklickt()); };
        fenster.abbrechenHandler = [this] {
            ++abbrechen;
            return true;
        };
    }

    QList<Laufende> okEnden;
    int abbrechen = 0;
};

// Receives what the link labels hand to the desktop.
class Browser : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void oeffnen(const QUrl& adresse) { geoeffnet.append(adresse.toString()); }

public:
    QStringList geoeffnet;
};
} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

    Testumgebung umgebung;

private Q_SLOTS:
    void init() { umgebung.speicherLeeren(); }

    void bildhostRegelUndProxyRegel();
    void passwortZeigtSterne();
    void traegtDasProgrammsymbol();
    void tabReihenfolge();
    void verweiseOeffnenIhreSeiten();
    void unterDenKnoepfenNurHintergrund();

    void ohneDateiIstOkGesperrt();
    void uebernehmenSchliesstPfadAbUndSpeichert();
    void abbrechenUndSchliessenSpeichernNichts();
    void okImParametermodusHoltGespeicherteWerteZurueck();
    void okStartetDenLaufMitDenFensterwerten();
    void zweiterOkKlickImLaufStartetKeinenZweiten();
};

void TestForm1::bildhostRegelUndProxyRegel()
{
    Form1 f;
    f.show();
    QVERIFY(!text(f, Textfeld::FTPProxy)->isEnabled());

    klicken(check(f, Haken::FTPUseProxy));
    QVERIFY(text(f, Textfeld::FTPProxy)->isEnabled());
    QVERIFY(text(f, Textfeld::FTPProxyPort)->isEnabled());

    klicken(check(f, Haken::useIS));
    QCOMPARE(alleTextfelder().size(), 7);
    for (Textfeld feld : alleTextfelder())
        QVERIFY2(!text(f, feld)->isEnabled(), qPrintable(Form1::objektname(feld)));
    QVERIFY(!kind<QLabel>(f, QStringLiteral("Label13"))->isEnabled());
    QVERIFY(!check(f, Haken::FTPUseProxy)->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{ check(f, Haken::FTPPassiv), check(f, Haken::StatusfensterZeigen),
             check(f, Haken::useIS), kind<QWidget>(f, QStringLiteral("Option1_0")),
             kind<QWidget>(f, QStringLiteral("Option1_1")), kind<QWidget>(f, QStringLiteral("Option1_2")) })
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));

    klicken(check(f, Haken::useIS));
    for (Textfeld feld : alleTextfelder())
        QVERIFY2(text(f, feld)->isEnabled(), qPrintable(Form1::objektname(feld)));

    // With the proxy off, leaving image-host mode must not switch the proxy boxes on.
    text(f, Textfeld::FTPProxy)->setText(QStringLiteral("proxy.lan"));
    klicken(check(f, Haken::FTPUseProxy));
    klicken(check(f, Haken::useIS));
    klicken(check(f, Haken::useIS));
    QVERIFY(check(f, Haken::FTPUseProxy)->isEnabled());
    QVERIFY(!text(f, Textfeld::FTPProxy)->isEnabled());
    QVERIFY(!text(f, Textfeld::FTPProxyPort)->isEnabled());
    QCOMPARE(text(f, Textfeld::FTPProxy)->text(), QStringLiteral("proxy.lan"));
}

void TestForm1::passwortZeigtSterne()
{
    Form1 f;
    f.show();
    QLineEdit* passwort = text(f, Textfeld::FTPPassword);
    QTest::keyClicks(passwort, QStringLiteral(" ab c"));
    QCOMPARE(passwort->text(), QStringLiteral(" ab c"));
    QCOMPARE(passwort->displayText(), QStringLiteral("*****"));
}

// The icon sits in a static library's resource, which the linker drops unless it is pulled in.
void TestForm1::traegtDasProgrammsymbol()
{
    Form1 f;
    QVERIFY(!f.windowIcon().pixmap(32, 32).isNull());
}

void TestForm1::tabReihenfolge()
{
    Form1 f;
    f.setAngehakt(Haken::FTPUseProxy, true);
    f.proxyRegelAnwenden();
    const QStringList kette = { QStringLiteral("Text1"), QStringLiteral("Text2"), QStringLiteral("Text3"),
        QStringLiteral("Text4"), QStringLiteral("Check3"), QStringLiteral("Check2"), QStringLiteral("Check1"),
        QStringLiteral("Text5"), QStringLiteral("Text6"), QStringLiteral("Text7"), QStringLiteral("Option1_0"),
        QStringLiteral("Option1_1"), QStringLiteral("Option1_2"), QStringLiteral("Label11"), QStringLiteral("Label10"),
        QStringLiteral("Command2"), QStringLiteral("Command3"), QStringLiteral("Command1"), QStringLiteral("Check4") };
    QStringList gefunden;
    for (QWidget* w = text(f, Textfeld::FTPServer); gefunden.size() < kette.size(); w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            gefunden.append(w->objectName());
    }
    QCOMPARE(gefunden, kette);

    // Pressed through: the option group is one stop, at the selected option, either way round.
    f.optionWaehlen(Zwischenablageinhalt::Adresse);
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    text(f, Textfeld::FTPServer)->setFocus();
    QStringList vor;
    for (int i = 0; i < 17; ++i) {
        vor.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    vor.append(QApplication::focusWidget()->objectName());
    QStringList erwartet = kette;
    erwartet.removeAll(QStringLiteral("Option1_0"));
    erwartet.removeAll(QStringLiteral("Option1_2"));
    erwartet.append(QStringLiteral("Text1"));
    QCOMPARE(vor, erwartet);

    QStringList zurueck;
    QStringList rueckwaerts;
    for (int i = 17; i > 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        zurueck.append(QApplication::focusWidget()->objectName());
        rueckwaerts.append(erwartet.at(i - 1));
    }
    QCOMPARE(zurueck, rueckwaerts);
}

void TestForm1::verweiseOeffnenIhreSeiten()
{
    Browser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "oeffnen");
    Form1 f;
    f.show();
    QTest::mouseClick(kind<QLabel>(f, QStringLiteral("Label10")), Qt::LeftButton);
    QTest::mouseClick(kind<QLabel>(f, QStringLiteral("Label11")), Qt::LeftButton);
    // From the keyboard too, and in the palette's link colour, whatever the palette.
    QTest::keyClick(kind<QLabel>(f, QStringLiteral("Label10")), Qt::Key_Return);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(browser.geoeffnet,
        QStringList({ Herstellerseiten::programmseite(), Herstellerseiten::verweiswerkseite(),
            Herstellerseiten::programmseite() }));
    QCOMPARE(kind<QLabel>(f, QStringLiteral("Label11"))->foregroundRole(), QPalette::Link);
    QVERIFY(Herstellerseiten::verweiswerkseite().startsWith(Herstellerseiten::programmseite()));
}

// Nothing may peek out between the buttons and the window's lower edge, in a
// light palette or a dark one.
void TestForm1::unterDenKnoepfenNurHintergrund()
{
    const QPalette hell = QApplication::palette();
    QPalette dunkel = hell;
    dunkel.setColor(QPalette::Window, QColor(0x32, 0x32, 0x32));
    dunkel.setColor(QPalette::WindowText, Qt::white);
    for (const QPalette& palette : { hell, dunkel }) {
        QApplication::setPalette(palette);
        Form1 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QImage bild = f.grab().toImage();
        int unten = 0;
        for (const char* name : { "Command1", "Command2", "Command3" }) {
            const QPushButton* k = knopf(f, name);
            unten = std::max(unten, k->mapTo(&f, QPoint(0, k->height())).y());
        }
        const qreal dpr = bild.devicePixelRatio();
        const QRgb grund = palette.color(QPalette::Window).rgb();
        for (int y = int(unten * dpr) + 1; y < bild.height(); ++y) {
            for (int x = 0; x < bild.width(); ++x)
                QVERIFY2(bild.pixel(x, y) == grund, qPrintable(QStringLiteral("Punkt %1,%2").arg(x).arg(y)));
        }
    }
    QApplication::setPalette(hell);
}

void TestForm1::ohneDateiIstOkGesperrt()
{
    Lauf l{ QString() };
    QCOMPARE(l.lauf.ausfuehren(), Laufende::FensterOffen);
    QVERIFY(l.fenster.isVisible());
    QVERIFY(!knopf(l.fenster, "Command2")->isEnabled());
    QCOMPARE(l.fenster.windowTitle(), QStringLiteral("Morva Fotoschicker 1.1 - Einstellungen"));
    QVERIFY(l.dialoge.meldungen.isEmpty());
}

void TestForm1::uebernehmenSchliesstPfadAbUndSpeichert()
{
    Lauf l{ QString() };
    l.lauf.ausfuehren();
    QTest::keyClicks(text(l.fenster, Textfeld::FTPServer), QStringLiteral("ftp.example.org"));
    QTest::keyClicks(text(l.fenster, Textfeld::FTPPath), QStringLiteral("www/bilder"));
    QTest::keyClicks(text(l.fenster, Textfeld::URL), QStringLiteral("http://example.org/bilder"));
    klicken(kind<QRadioButton>(l.fenster, QStringLiteral("Option1_1")));
    klicken(knopf(l.fenster, "Command1"));

    QVERIFY(l.fenster.isVisible());
    QCOMPARE(text(l.fenster, Textfeld::FTPPath)->text(), QStringLiteral("www/bilder/"));
    QCOMPARE(text(l.fenster, Textfeld::URL)->text(), QStringLiteral("http://example.org/bilder/"));
    const auto gespeichert = umgebung.speicherInhalt();
    QCOMPARE(gespeichert.value(QStringLiteral("FTPServer")), QStringLiteral("ftp.example.org"));
    QCOMPARE(gespeichert.value(QStringLiteral("FTPPath")), QStringLiteral("www/bilder/"));
    QCOMPARE(gespeichert.value(QStringLiteral("URL")), QStringLiteral("http://example.org/bilder/"));
    QCOMPARE(gespeichert.value(QStringLiteral("LinkOption")), QStringLiteral("1"));
}

void TestForm1::abbrechenUndSchliessenSpeichernNichts()
{
    umgebung.speicherSetzen(QStringLiteral("FTPServer"), QStringLiteral("alt.example.org"));
    Lauf l{ QString() };
    l.lauf.ausfuehren();
    const auto vorher = umgebung.speicherInhalt();

    text(l.fenster, Textfeld::FTPServer)->setText(QStringLiteral("neu.example.org"));
    klicken(check(l.fenster, Haken::useIS));
    klicken(knopf(l.fenster, "Command3"));
    QCOMPARE(l.abbrechen, 1);
    QVERIFY(!l.fenster.isVisible());
    QCOMPARE(umgebung.speicherInhalt(), vorher);

    l.fenster.show();
    l.fenster.close();
    QCOMPARE(l.abbrechen, 2);
    QCOMPARE(umgebung.speicherInhalt(), vorher);
}

void TestForm1::okImParametermodusHoltGespeicherteWerteZurueck()
{
    // No stored server: the window opens although the command line names one.
    umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("ich"));
    umgebung.speicherSetzen(QStringLiteral("FTPPath"), QStringLiteral("gespeichert/"));
    const QString bild = umgebung.datei(QStringLiteral("bild.jpg"), 100);
    Lauf l(QStringLiteral("/ftpserver:kommando.example.org /file:") + bild);
    QCOMPARE(l.lauf.ausfuehren(), Laufende::FensterOffen);
    QVERIFY(l.lauf.optionen().parameterModus);
    QVERIFY(knopf(l.fenster, "Command2")->isEnabled());
    const auto vorher = umgebung.speicherInhalt();

    text(l.fenster, Textfeld::FTPPath)->clear();
    QTest::keyClicks(text(l.fenster, Textfeld::FTPPath), QStringLiteral("bearbeitet"));
    klicken(knopf(l.fenster, "Command1"));
    QCOMPARE(text(l.fenster, Textfeld::FTPPath)->text(), QStringLiteral("bearbeitet/"));
    QCOMPARE(umgebung.speicherInhalt(), vorher);

    klicken(knopf(l.fenster, "Command2"));
    QCOMPARE(l.okEnden, QList<Laufende>({ Laufende::FensterOffen }));
    QCOMPARE(text(l.fenster, Textfeld::FTPPath)->text(), QStringLiteral("gespeichert/"));
    QCOMPARE(umgebung.speicherInhalt(), vorher);
    QVERIFY(l.uebertragung.ftpPfade.isEmpty());
    QVERIFY(l.fenster.isVisible());
}

void TestForm1::okStartetDenLaufMitDenFensterwerten()
{
    const QString bild = umgebung.datei(QStringLiteral("bild.jpg"), 100);
    Lauf l(bild);
    QCOMPARE(l.lauf.ausfuehren(), Laufende::FensterOffen);
    QVERIFY(knopf(l.fenster, "Command2")->isEnabled());

    QTest::keyClicks(text(l.fenster, Textfeld::FTPServer), QStringLiteral("ftp.example.org"));
    QTest::keyClicks(text(l.fenster, Textfeld::FTPLogin), QStringLiteral("ich"));
    QTest::keyClicks(text(l.fenster, Textfeld::FTPPassword), QStringLiteral("pw"));
    klicken(knopf(l.fenster, "Command2"));

    QCOMPARE(l.okEnden, QList<Laufende>({ Laufende::Hochgeladen }));
    QCOMPARE(l.uebertragung.ftpPfade, QStringList({ bild }));
    QCOMPARE(l.uebertragung.letzteOptionen.FTPServer, QStringLiteral("ftp.example.org"));
    QCOMPARE(l.uebertragung.letzteOptionen.FTPPassword, QStringLiteral("pw"));
    QCOMPARE(umgebung.speicherInhalt().value(QStringLiteral("FTPLogin")), QStringLiteral("ich"));
    QVERIFY(!l.fenster.isVisible());
}

void TestForm1::zweiterOkKlickImLaufStartetKeinenZweiten()
{
    const QString bild = umgebung.datei(QStringLiteral("bild.jpg"), 100);
    Lauf l(bild);
    QCOMPARE(l.lauf.ausfuehren(), Laufende::FensterOffen);
    text(l.fenster, Textfeld::FTPServer)->setText(QStringLiteral("ftp.example.org"));
    text(l.fenster, Textfeld::FTPLogin)->setText(QStringLiteral("ich"));
    text(l.fenster, Textfeld::FTPPassword)->setText(QStringLiteral("pw"));
    // The upload fails, so the window comes back for the next click.
    l.uebertragung.ftpErgebnis = FtpErgebnis::Gescheitert;
    // The second click arrives while the first one's run is still going.
    l.uebertragung.waehrendDesUploads = [&] {
        if (l.uebertragung.ftpPfade.size() == 1)
            knopf(l.fenster, "Command2")->click();
    };
    klicken(knopf(l.fenster, "Command2"));
    QCOMPARE(l.uebertragung.ftpPfade.size(), 1);
    QVERIFY(l.fenster.isVisible());
    klicken(knopf(l.fenster, "Command2"));
    QCOMPARE(l.uebertragung.ftpPfade.size(), 2);
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
