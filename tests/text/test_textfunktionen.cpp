#include "text/textfunktionen.h"

#include <QTest>

class TestTextfunktionen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rechtsEnthalten_data();
    void rechtsEnthalten();
    void ersetzen_data();
    void ersetzen();
    void wahrFalsch();
};

void TestTextfunktionen::rechtsEnthalten_data()
{
    QTest::addColumn<QStringList>("feld");
    QTest::addColumn<QString>("gesucht");
    QTest::addColumn<bool>("erwartet");

    const QStringList bilder{ "", ".jpg", ".jpeg", ".gif", ".png" };
    QTest::newRow("grosse Endung") << bilder << "C:\\Bilder\\Foto.JPG" << true;
    QTest::newRow("lange Endung") << bilder << "/home/a/b.JpEg" << true;
    QTest::newRow("Endung in der Mitte") << bilder << "C:\\Bilder\\Foto.jpg.txt" << false;
    QTest::newRow("kuerzer als Eintrag") << bilder << "jpg" << false;
    QTest::newRow("leer") << bilder << "" << false;
    QTest::newRow("grosser Eintrag passt nie") << QStringList{ "", ".JPG" } << "x.JPG" << false;
    QTest::newRow("nur Element 0") << QStringList{ ".jpg" } << "a.jpg" << false;
    QTest::newRow("leerer Eintrag passt immer") << QStringList{ "", "" } << "egal" << true;
}

void TestTextfunktionen::rechtsEnthalten()
{
    QFETCH(QStringList, feld);
    QFETCH(QString, gesucht);
    QFETCH(bool, erwartet);
    QCOMPARE(rechts_enthalten(feld, gesucht), erwartet);
}

void TestTextfunktionen::ersetzen_data()
{
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("durch");
    QTest::addColumn<QString>("erwartet");

    QTest::newRow("Anfuehrungszeichen") << "\"C:\\a \"b\".jpg\""
                                        << "\""
                                        << ""
                                        << "C:\\a b.jpg";
    QTest::newRow("nicht ueberlappend") << "aaa"
                                        << "aa"
                                        << "b"
                                        << "ba";
    QTest::newRow("Ersatz enthaelt Suche") << "aXa"
                                           << "a"
                                           << "aa"
                                           << "aaXaa";
    QTest::newRow("leere Suche") << "abc"
                                 << ""
                                 << "x"
                                 << "abc";
    QTest::newRow("gleich") << "abc"
                            << "b"
                            << "b"
                            << "abc";
    QTest::newRow("Gross/klein zaehlt") << "ABC"
                                        << "b"
                                        << "x"
                                        << "ABC";
    QTest::newRow("am Ende") << "abab"
                             << "b"
                             << ""
                             << "aa";
}

void TestTextfunktionen::ersetzen()
{
    QFETCH(QString, eingabe);
    QFETCH(QString, von);
    QFETCH(QString, durch);
    QFETCH(QString, erwartet);
    QCOMPARE(stringreplace(eingabe, von, durch), erwartet);
}

void TestTextfunktionen::wahrFalsch()
{
    QCOMPARE(boolean2string(true), QStringLiteral("Wahr"));
    QCOMPARE(boolean2string(false), QStringLiteral("Falsch"));
}

QTEST_GUILESS_MAIN(TestTextfunktionen)
#include "test_textfunktionen.moc"
