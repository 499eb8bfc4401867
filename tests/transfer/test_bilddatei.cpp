#include "transfer/bilddatei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestBilddatei : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void ausAngabe_data();
    void ausAngabe();
    void bildEndung_data();
    void bildEndung();

private:
    QString pfad(const QString& name) const { return m_ordner.filePath(name); }
    QTemporaryDir m_ordner;
};

void TestBilddatei::initTestCase()
{
    QVERIFY(m_ordner.isValid());
    for (const QString& name : { QStringLiteral("mein Bild.jpg"), QStringLiteral("x\"b\".jpg"),
             QStringLiteral("xb.jpg"), QString::fromUtf8("Straße ä.png") }) {
        QFile datei(pfad(name));
        QVERIFY2(datei.open(QIODevice::WriteOnly), qPrintable(name));
    }
}

void TestBilddatei::ausAngabe_data()
{
    QTest::addColumn<QString>("angegeben");
    QTest::addColumn<bool>("woertlich");
    QTest::addColumn<QString>("erwarteterPfad");
    QTest::addColumn<QString>("kurzerPfad");
    QTest::addColumn<QString>("langerName");

    const QString bild = pfad(QStringLiteral("mein Bild.jpg"));
    const QString mitAnfuehrung = pfad(QStringLiteral("x\"b\".jpg"));
    const QString umlaute = pfad(QString::fromUtf8("Straße ä.png"));
    const QString fehlt = pfad(QStringLiteral("fehlt.jpg"));

    QTest::newRow("quotes around a blank") << QString(u'"' + bild + u'"') << false << bild << bild << "mein Bild.jpg";
    QTest::newRow("quotes inside the path")
        << mitAnfuehrung << false << pfad(QStringLiteral("xb.jpg")) << pfad(QStringLiteral("xb.jpg")) << "xb.jpg";
    QTest::newRow("taken as written keeps its quotes")
        << mitAnfuehrung << true << mitAnfuehrung << mitAnfuehrung << "x\"b\".jpg";
    QTest::newRow("umlauts") << umlaute << false << umlaute << umlaute << QString::fromUtf8("Straße ä.png");
    // The message names the missing file, and nothing may read from it.
    QTest::newRow("missing: named, never read") << fehlt << false << fehlt << QString() << "fehlt.jpg";
    QTest::newRow("folder") << m_ordner.path() << false << m_ordner.path() << m_ordner.path()
                            << QDir(m_ordner.path()).dirName();
    QTest::newRow("only quotes") << "\"\"" << false << QString() << QString() << QString();
    QTest::newRow("windows path: name after the last backslash")
        << "\"C:\\Eigene Bilder\\Urlaub 2024.jpg\"" << false << "C:\\Eigene Bilder\\Urlaub 2024.jpg" << QString()
        << "Urlaub 2024.jpg";
}

void TestBilddatei::ausAngabe()
{
    QFETCH(QString, angegeben);
    QFETCH(bool, woertlich);
    QFETCH(QString, erwarteterPfad);
    QFETCH(QString, kurzerPfad);
    QFETCH(QString, langerName);

    const Bilddatei datei = bilddateiAus(angegeben, woertlich);
    QCOMPARE(datei.pfad, erwarteterPfad);
    QCOMPARE(datei.kurzerPfad, kurzerPfad);
    QCOMPARE(datei.langerName, langerName);
}

void TestBilddatei::bildEndung_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("erwartet");

    QTest::newRow("jpg") << "/a/b.jpg" << true;
    QTest::newRow("upper-case JPEG") << "C:\\B\\FOTO.JPEG" << true;
    QTest::newRow("gif in an address") << "http://h/i/x.Gif" << true;
    QTest::newRow("png") << "x.png" << true;
    QTest::newRow("bmp is no picture for the host") << "x.bmp" << false;
    QTest::newRow("ending in the middle") << "x.jpg.txt" << false;
    QTest::newRow("no name") << "" << false;
}

void TestBilddatei::bildEndung()
{
    QFETCH(QString, name);
    QFETCH(bool, erwartet);
    QCOMPARE(hatBildEndung(name), erwartet);
}

QTEST_GUILESS_MAIN(TestBilddatei)
#include "test_bilddatei.moc"
