#include "platform/uebergabewahl.h"

#include <QTest>

class TestUebergabewahl : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wege_data();
    void wege();
};

void TestUebergabewahl::wege_data()
{
    QTest::addColumn<QString>("plattform");
    QTest::addColumn<bool>("x11");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<bool>("verwalter");
    QTest::addColumn<bool>("helfer");
    QTest::addColumn<bool>("wlCopy");

    // Bare X server: a clipboard manager takes the text at exit, else our helper does.
    QTest::newRow("X11") << "xcb" << true << false << false << true << false;
    QTest::newRow("X11 with manager") << "xcb" << true << false << true << false << false;
    // XWayland: the manager is the compositor's window manager and keeps nothing.
    QTest::newRow("XWayland") << "xcb" << true << true << false << true << true;
    QTest::newRow("XWayland with manager") << "xcb" << true << true << true << true << true;
    // Qt on Wayland (chosen by the user): the helper still serves X11 programs where there is XWayland.
    QTest::newRow("Wayland with XWayland") << "wayland" << true << true << false << true << true;
    QTest::newRow("Wayland without XWayland") << "wayland" << false << true << false << false << true;
    QTest::newRow("wayland-egl") << "wayland-egl" << false << true << false << false << true;
    // No desktop of the user's: tests and scripts must not change his clipboards.
    QTest::newRow("offscreen on a desktop") << "offscreen" << true << true << false << false << false;
    QTest::newRow("minimal") << "minimal" << false << false << false << false << false;
}

void TestUebergabewahl::wege()
{
    QFETCH(QString, plattform);
    QFETCH(bool, x11);
    QFETCH(bool, wayland);
    QFETCH(bool, verwalter);
    QFETCH(bool, helfer);
    QFETCH(bool, wlCopy);

    const Uebergaben wege = uebergabenWaehlen({ plattform, x11, wayland, verwalter });
    QCOMPARE(wege.x11Helfer, helfer);
    QCOMPARE(wege.waylandKopie, wlCopy);
}

QTEST_GUILESS_MAIN(TestUebergabewahl)
#include "test_uebergabewahl.moc"
