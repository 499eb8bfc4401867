#include "platform/shortpath.h"
#include "text/textfunktionen.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextfunktionen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void zerlegen_data();
    void zerlegen();
    void zerlegenMitLeeremTrenner();
    void rechtsEnthalten_data();
    void rechtsEnthalten();
    void ersetzen_data();
    void ersetzen();
    void wahrFalsch();
    void kurzpfad();
};

void TestTextfunktionen::zerlegen_data()
{
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("trenner");
    QTest::addColumn<bool>("leere");
    QTest::addColumn<QStringList>("erwartet");

    QTest::newRow("drei Felder") << "a;b;c"
                                 << ";" << false << QStringList{ "", "a", "b", "c" };
    QTest::newRow("leere Felder weg") << ";a;;b;"
                                      << ";" << false << QStringList{ "", "a", "b" };
    QTest::newRow("leere Felder bleiben") << ";a;;b;"
                                          << ";" << true << QStringList{ "", "", "a", "", "b", "" };
    QTest::newRow("leer ohne Felder") << ""
                                      << ";" << false << QStringList{ "" };
    QTest::newRow("leer mit leerem Feld") << ""
                                          << ";" << true << QStringList{ "", "" };
    QTest::newRow("Blank bleibt") << "a; b"
                                  << ";" << false << QStringList{ "", "a", " b" };
    QTest::newRow("mehrstellig") << "x--y"
                                 << "--" << false << QStringList{ "", "x", "y" };
    QTest::newRow("nicht ueberlappend") << "a---b"
                                        << "--" << false << QStringList{ "", "a", "-b" };
    QTest::newRow("ohne Trenner") << "abc"
                                  << ";" << false << QStringList{ "", "abc" };
    QTest::newRow("Umlaute") << QString::fromUtf8("ä/ö") << "/" << false
                             << QStringList{ "", QString::fromUtf8("ä"), QString::fromUtf8("ö") };
}

void TestTextfunktionen::zerlegen()
{
    QFETCH(QString, eingabe);
    QFETCH(QString, trenner);
    QFETCH(bool, leere);
    QFETCH(QStringList, erwartet);

    FeldArray ergebnis{ QStringLiteral("alt"), QStringLiteral("alt") };
    csv_zerlegen(eingabe, ergebnis, trenner, leere);
    QCOMPARE(ergebnis, erwartet);
}

void TestTextfunktionen::zerlegenMitLeeremTrenner()
{
    QString trenner;
    FeldArray ergebnis;
    csv_zerlegen(QStringLiteral("a;b"), ergebnis, trenner, false);
    QCOMPARE(ergebnis, (QStringList{ "", "a", "b" }));
    QCOMPARE(trenner, QStringLiteral(";"));
}

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

void TestTextfunktionen::kurzpfad()
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("mein Bild.jpg"));
    QFile f(datei);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    QString pfad = u'"' + datei + u'"';
    QCOMPARE(ShortPath(pfad), datei);
    QCOMPARE(pfad, datei);

    QString verzeichnis = ordner.path();
    QCOMPARE(ShortPath(verzeichnis), ordner.path());

    QString fehlt = ordner.filePath(QStringLiteral("fehlt.jpg"));
    QCOMPARE(ShortPath(fehlt), QString());
    QString leer = QStringLiteral("\"\"");
    QCOMPARE(ShortPath(leer), QString());
    QCOMPARE(leer, QString());
}

QTEST_GUILESS_MAIN(TestTextfunktionen)
#include "test_textfunktionen.moc"
