#include "app/hilfetext.h"
#include "app/infoaufruf.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Infoaufruf)

// The start that only prints help or version, and the pictures it must not swallow.
class TestInfoaufruf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { QDir::setCurrent(m_vorher); }
    void erkennen_data();
    void erkennen();
    void versionstext();
    void hilfetext();

private:
    QTemporaryDir m_ordner;
    QString m_vorher;
};

void TestInfoaufruf::initTestCase()
{
    // The names are looked up where the user started the program: make that a folder of ours.
    QVERIFY(m_ordner.isValid());
    m_vorher = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_ordner.path()));
    QFile bild(QStringLiteral("--version"));
    QVERIFY(bild.open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(QStringLiteral("fehlt.jpg"), QStringLiteral("-h")));
    QVERIFY(QDir().mkdir(QStringLiteral("-V")));
}

void TestInfoaufruf::erkennen_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<Infoaufruf>("erwartet");
    using I = Infoaufruf;
    // clang-format off
    QTest::newRow("keine Argumente")         << QStringList{}                                   << I::Keiner;
    QTest::newRow("--help")                  << QStringList{ "--help" }                         << I::Hilfe;
    QTest::newRow("--version, Datei fehlt")  << QStringList{ "/nirgends/--version" }            << I::Keiner;
    QTest::newRow("ein Bild")                << QStringList{ "bild.jpg" }                       << I::Keiner;
    QTest::newRow("zwei Wörter")             << QStringList{ "--help", "--version" }            << I::Keiner;
    QTest::newRow("Wort und Bild")           << QStringList{ "--help", "bild.jpg" }             << I::Keiner;
    QTest::newRow("Parameter danach")        << QStringList{ "-V", "/file:bild.jpg" }           << I::Keiner;
    QTest::newRow("Großschreibung")          << QStringList{ "--HELP" }                         << I::Keiner;
    QTest::newRow("-v klein")                << QStringList{ "-v" }                             << I::Keiner;
    QTest::newRow("-H groß")                 << QStringList{ "-H" }                             << I::Keiner;
    QTest::newRow("mit Blank davor")         << QStringList{ " --help" }                        << I::Keiner;
    QTest::newRow("mit Blank danach")        << QStringList{ "--help " }                        << I::Keiner;
    QTest::newRow("mit Wert")                << QStringList{ "--help=de" }                      << I::Keiner;
    QTest::newRow("als Parameter")           << QStringList{ "/help" }                          << I::Keiner;
    QTest::newRow("leeres Argument")         << QStringList{ "" }                               << I::Keiner;
    // Files of those names in the working folder are pictures to send.
    QTest::newRow("Datei --version")         << QStringList{ "--version" }                      << I::Keiner;
    QTest::newRow("toter Verweis -h")        << QStringList{ "-h" }                             << I::Keiner;
    QTest::newRow("Ordner -V")               << QStringList{ "-V" }                             << I::Keiner;
    // clang-format on
}

void TestInfoaufruf::erkennen()
{
    QFETCH(QStringList, argumente);
    QFETCH(Infoaufruf, erwartet);
    QCOMPARE(infoaufrufErkennen(argumente), erwartet);
}

void TestInfoaufruf::versionstext()
{
    // The same words without the files of the working folder.
    QVERIFY(QDir::setCurrent(QDir::rootPath()));
    QCOMPARE(infoaufrufErkennen({ QStringLiteral("--version") }), Infoaufruf::Version);
    QCOMPARE(infoaufrufErkennen({ QStringLiteral("-V") }), Infoaufruf::Version);
    QCOMPARE(infoaufrufErkennen({ QStringLiteral("-h") }), Infoaufruf::Hilfe);
    QVERIFY(QDir::setCurrent(m_ordner.path()));

    // Three numbers, the first two those of the window title ("Morva Fotoschicker 1.1").
    const QString text = infoText(Infoaufruf::Version);
    QVERIFY2(
        QRegularExpression(QStringLiteral("^fotoschicker 1\\.1\\.\\d+\\n$")).match(text).hasMatch(), qPrintable(text));
    QCOMPARE(infoText(Infoaufruf::Keiner), QString());
}

void TestInfoaufruf::hilfetext()
{
    // The usage box's text with Unix line ends, then the exit statuses.
    const QString text = infoText(Infoaufruf::Hilfe);
    QVERIFY(!text.contains(u'\r'));
    QVERIFY(text.endsWith(u'\n'));
    QString box = hilfeText();
    box.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QVERIFY(text.startsWith(box + u'\n'));
    for (const QString& zeile : { QStringLiteral("\n0  "), QStringLiteral("\n1  "), QStringLiteral("\n2  ") })
        QVERIFY2(text.contains(zeile), qPrintable(zeile));
}

QTEST_GUILESS_MAIN(TestInfoaufruf)
#include "test_infoaufruf.moc"
