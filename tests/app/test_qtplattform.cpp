#include "app/qtplattform.h"

#include <QTest>

class TestQtPlattform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wahl_data();
    void wahl();
};

void TestQtPlattform::wahl_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("qtQpaPlatform");
    QTest::addColumn<QString>("erwartet");

    // A Wayland desktop with XWayland: X11, so the status window can be placed.
    QTest::newRow("XWayland") << ":0"
                              << ""
                              << "xcb";
    QTest::newRow("user's choice wins") << ":0"
                                        << "wayland"
                                        << "";
    QTest::newRow("user's offscreen") << ":1"
                                      << "offscreen"
                                      << "";
    // Without an X server Qt decides (Wayland, or its error message).
    QTest::newRow("no X server") << ""
                                 << ""
                                 << "";
    QTest::newRow("no X server, user's choice") << ""
                                                << "wayland"
                                                << "";
}

void TestQtPlattform::wahl()
{
    QFETCH(QString, display);
    QFETCH(QString, qtQpaPlatform);
    QFETCH(QString, erwartet);
    QCOMPARE(qtPlattformWaehlen(display, qtQpaPlatform), erwartet);
}

QTEST_GUILESS_MAIN(TestQtPlattform)
#include "test_qtplattform.moc"
