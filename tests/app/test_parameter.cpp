#include "app/dateiliste.h"
#include "app/einzigedatei.h"
#include "app/hilfetext.h"
#include "app/parameter.h"
#include "app/parameterzerlegung.h"
#include "app/startlauf.h"
#include "laufattrappen.h"
#include "settings/einstellungsspeicher.h"
#include "testumgebung.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {
// The five fields a parameter can overwrite, as "server|login|password|path|url".
QString felder(const Optionen& o)
{
    return QStringList{ o.FTPServer, o.FTPLogin, o.FTPPassword, o.FTPPath, o.URL }.join(u'|');
}

Optionen gespeichert()
{
    Optionen o;
    o.FTPServer = QStringLiteral("s0");
    o.FTPLogin = QStringLiteral("l0");
    o.FTPPassword = QStringLiteral("p0");
    o.FTPPath = QStringLiteral("d0/");
    o.URL = QStringLiteral("u0/");
    return o;
}

const QString unveraendert = QStringLiteral("s0|l0|p0|d0/|u0/");
using M = Parametermeldung;

const QString erwarteteHilfe = QStringLiteral(
    "Folgende Programmaufrufe sind möglich:\r\n"
    "Fotoschicker [dateiname]\r\n"
    "oder\r\n"
    "Fotoschicker [Parameter] /file:[dateiname]\r\n"
    "Wobei [Parameter] einer oder mehrerer der folgenden sein kann:\r\n"
    "/ftpserver:[ftpserver] - FTP-Server\r\n"
    "/ftppath:[ftppath] - FTP-Zielverzeichnis\r\n"
    "/ftpuser:[Login] - Benutzerkennung\r\n"
    "/ftppassword:[Passwort] - entsprechendes Passwort\r\n"
    "/url:[URL] - URL zum FTP-Zielpfad\r\n"
    "Werden nicht alle Parameter angegeben, so werden die fehlenden Parameter aus der Registry übernommen\r\n"
    "\r\n"
    "Beispiele:\r\n"
    "fotoschicker /ftpserver:ftp.example.org /file:c:\\test.jpg\r\n"
    "fotoschicker /ftppath:www/bilder/ /file:c:\\test.jpg");
} // namespace

Q_DECLARE_METATYPE(Parametermeldung)

class TestParameter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_umgebung.speicherLeeren(); }
    void grammatik_data();
    void grammatik();
    void hilfetextWoertlich();
    void meldungenImDialog();
    void ungueltigerParameterBeendetLaufOhneFenster();
    void parameterErreichenUebertragungAberNieDenSpeicher();
    void einzigesArgument_data();
    void einzigesArgument();
    void einzigeDateiWoertlichGesendet();
    void dateiliste_data();
    void dateiliste();
    void passwortVerborgen_data();
    void passwortVerborgen();

private:
    // One for the whole program: the store's folder is fixed at its first use.
    Testumgebung m_umgebung;
};

void TestParameter::grammatik_data()
{
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("felder");
    QTest::addColumn<bool>("modus");
    QTest::addColumn<M>("meldung");
    QTest::addColumn<QString>("stueck");

    // Bare file names: taken whole, nothing changed.
    QTest::newRow("leer") << u""_qs << u""_qs << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("windows-pfad") << u"c:\\test.jpg"_qs << u"c:\\test.jpg"_qs << unveraendert << false << M::Keine
                                  << u""_qs;
    QTest::newRow("in anfuehrungszeichen")
        << u"\"c:\\a b.jpg\""_qs << u"\"c:\\a b.jpg\""_qs << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("blank am ende") << u"a.jpg "_qs << u"a.jpg "_qs << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("nur schraegstriche") << u"///"_qs << u"///"_qs << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("file allein") << u"/file:c:\\test.jpg"_qs << u"/file:c:\\test.jpg"_qs << unveraendert << false
                                 << M::Keine << u""_qs;
    QTest::newRow("ftpserver allein") << u"/ftpserver:h.example"_qs << u"/ftpserver:h.example"_qs << unveraendert
                                      << false << M::Keine << u""_qs;
    // Paths with "/" stay file names as long as no keyword follows a "/".
    QTest::newRow("unix-pfad") << u"/home/anna/Bilder/urlaub.jpg"_qs << u"/home/anna/Bilder/urlaub.jpg"_qs
                               << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("unix-pfad mit blanks") << u"/home/anna/mein bild.jpg /x"_qs << u"/home/anna/mein bild.jpg /x"_qs
                                          << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("vorwaertsschraegstriche")
        << u"c:/bilder/a.jpg"_qs << u"c:/bilder/a.jpg"_qs << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("file allein mit pfad")
        << u"/file:/home/anna/a.jpg"_qs << u"/file:/home/anna/a.jpg"_qs << unveraendert << false << M::Keine << u""_qs;
    QTest::newRow("ftppath allein mit pfad")
        << u"/ftppath:www/bilder/"_qs << u"/ftppath:www/bilder/"_qs << unveraendert << false << M::Keine << u""_qs;

    // Parameters.
    QTest::newRow("beispiel der hilfe") << u"/ftppath:www/bilder/ /file:c:\\test.jpg"_qs << u"c:\\test.jpg"_qs
                                        << u"s0|l0|p0|www/bilder/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("grossschreibung") << u"/FTPSERVER:Host.Example /FtpUser:Anna /FILE:C:\\A.JPG"_qs << u"C:\\A.JPG"_qs
                                     << u"Host.Example|Anna|p0|d0/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("ohne blank davor") << u"/ftpserver:h/file:c:\\a.jpg"_qs << u"c:\\a.jpg"_qs << u"h|l0|p0|d0/|u0/"_qs
                                      << true << M::Keine << u""_qs;
    QTest::newRow("blanks um den wert") << u"/ftpuser:  anna  /file:a.jpg"_qs << u"a.jpg"_qs << u"s0|anna|p0|d0/|u0/"_qs
                                        << true << M::Keine << u""_qs;
    QTest::newRow("tab bleibt") << u"/ftpuser:\tanna\t /file:a.jpg"_qs << u"a.jpg"_qs << u"s0|\tanna\t|p0|d0/|u0/"_qs
                                << true << M::Keine << u""_qs;
    QTest::newRow("zweimal") << u"/ftpuser:a /ftpuser:b /file:x.jpg /file:y.jpg"_qs << u"y.jpg"_qs
                             << u"s0|b|p0|d0/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("alle felder") << u"/ftpserver:h /ftpuser:u /ftppassword:pw /ftppath:p/ /url:http://h/p/ /file:f"_qs
                                 << u"f"_qs << u"h|u|pw|p/|http://h/p/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("unbekanntes wort dazwischen") << u"/ftpserver:h /bogus /file:a.jpg"_qs << u"a.jpg"_qs
                                                 << u"h /bogus|l0|p0|d0/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("file in anfuehrungszeichen")
        << u"/ftpserver:h /file:\"c:\\mein ordner\\a b.jpg\""_qs << u"\"c:\\mein ordner\\a b.jpg\""_qs
        << u"h|l0|p0|d0/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("leeres passwort") << u"/ftppassword: /file:a.jpg"_qs << u"a.jpg"_qs << u"s0|l0||d0/|u0/"_qs << true
                                     << M::Keine << u""_qs;
    QTest::newRow("erstes ohne schraegstrich")
        << u"ftpuser:anna /file:a.jpg"_qs << u"a.jpg"_qs << u"s0|anna|p0|d0/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("schluesselwort im wert")
        << u"/url:http://h/file:a.jpg"_qs << u"a.jpg"_qs << u"s0|l0|p0|d0/|http://h"_qs << true << M::Keine << u""_qs;
    QTest::newRow("umlaute") << u"/ftpuser:jörg /file:/tmp/bäume.jpg"_qs << u"/tmp/bäume.jpg"_qs
                             << u"s0|jörg|p0|d0/|u0/"_qs << true << M::Keine << u""_qs;
    // Every "/" of a value stays as typed; only the one in front of a keyword separates.
    QTest::newRow("doppelter schraegstrich")
        << u"/url:http://example.org/bilder/ /file:a.jpg"_qs << u"a.jpg"_qs
        << u"s0|l0|p0|d0/|http://example.org/bilder/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("schraegstrich am ende")
        << u"/file:a.jpg /ftppath:www/"_qs << u"a.jpg"_qs << u"s0|l0|p0|www/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("schraegstrich vor trenner")
        << u"/ftppath:www//file:a.jpg"_qs << u"a.jpg"_qs << u"s0|l0|p0|www/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("absoluter pfad als wert")
        << u"/ftpserver:127.0.0.1 /ftpuser:anna /file:/tmp/x.jpg"_qs << u"/tmp/x.jpg"_qs
        << u"127.0.0.1|anna|p0|d0/|u0/"_qs << true << M::Keine << u""_qs;
    QTest::newRow("mehrere fuehrende") << u"//ftpserver:h /file:a.jpg"_qs << u"a.jpg"_qs << u"h|l0|p0|d0/|u0/"_qs
                                       << true << M::Keine << u""_qs;

    // Faults: only the first piece can be rejected, and then nothing is changed.
    QTest::newRow("ohne dateiname") << u"/ftpserver:h /ftpuser:anna"_qs << u""_qs << u"h|anna|p0|d0/|u0/"_qs << true
                                    << M::FehlenderDateiname << u""_qs;
    QTest::newRow("file nur blanks") << u"/ftpserver:h /file:   "_qs << u""_qs << u"h|l0|p0|d0/|u0/"_qs << true
                                     << M::FehlenderDateiname << u""_qs;
    QTest::newRow("dateiname zuerst") << u"a.jpg /ftpuser:x"_qs << u""_qs << unveraendert << true
                                      << M::UngueltigerParameter << u"a.jpg "_qs;
    QTest::newRow("wort zuerst") << u"bogus /file:/tmp/x.jpg"_qs << u""_qs << unveraendert << true
                                 << M::UngueltigerParameter << u"bogus "_qs;
    QTest::newRow("unbekannt mit schraegstrich")
        << u"/bogus /file:a.jpg"_qs << u""_qs << unveraendert << true << M::UngueltigerParameter << u"bogus "_qs;
    QTest::newRow("pfad zuerst") << u"/home/anna/a.jpg /ftpuser:x"_qs << u""_qs << unveraendert << true
                                 << M::UngueltigerParameter << u"home/anna/a.jpg "_qs;
    QTest::newRow("pfad zuerst wie getippt") << u"c://a.jpg/ /ftpuser:x /file:y"_qs << u""_qs << unveraendert << true
                                             << M::UngueltigerParameter << u"c://a.jpg/ "_qs;
}

void TestParameter::grammatik()
{
    QFETCH(QString, zeile);
    Optionen optionen = gespeichert();
    const Parameterergebnis ergebnis = parameterZerlegen(zeile, optionen);
    QTEST(ergebnis.dateiname, "datei");
    QTEST(felder(optionen), "felder");
    QTEST(optionen.parameterModus, "modus");
    QTEST(ergebnis.meldung, "meldung");
    QTEST(ergebnis.ungueltigesStueck, "stueck");
}

void TestParameter::hilfetextWoertlich()
{
    QCOMPARE(hilfeText(), erwarteteHilfe);
    QCOMPARE(hilfeText().count(QStringLiteral("\r\n")), 14);
}

void TestParameter::meldungenImDialog()
{
    SkriptDialoge dialoge;
    Optionen optionen = gespeichert();
    QCOMPARE(parameterAuswerten(QStringLiteral("a.jpg /ftpuser:x"), optionen, dialoge), QString());
    QCOMPARE(dialoge.meldungen.size(), 2);
    QCOMPARE(dialoge.meldungen[0].text, QStringLiteral("Es wurde ein ungültiger Parameter (a.jpg ) angegeben!"));
    QCOMPARE(dialoge.meldungen[0].titel, QStringLiteral("Fehlerhafter Parameter"));
    QCOMPARE(dialoge.meldungen[0].stil, Meldungsstil::Kritisch);
    QCOMPARE(dialoge.meldungen[1].text, erwarteteHilfe);
    QCOMPARE(dialoge.meldungen[1].titel, QStringLiteral("Parameter"));
    QCOMPARE(dialoge.meldungen[1].stil, Meldungsstil::Information);

    dialoge.meldungen.clear();
    QCOMPARE(parameterAuswerten(QStringLiteral("/ftpuser:x /url:y"), optionen, dialoge), QString());
    QCOMPARE(dialoge.meldungen.size(), 1);
    QCOMPARE(dialoge.meldungen[0].text,
        QStringLiteral("Es wurde kein Dateiname angegeben.\r\nBei Verwendung von Befehlszeilenparametern muß der "
                       "Dateiname nach dem Parameter /file: folgen!"));
    QCOMPARE(dialoge.meldungen[0].titel, QStringLiteral("Fehlender Dateiname"));
    QCOMPARE(dialoge.meldungen[0].stil, Meldungsstil::Kritisch);

    dialoge.meldungen.clear();
    QCOMPARE(parameterAuswerten(QStringLiteral("/ftpuser:x /file:a.jpg"), optionen, dialoge), QStringLiteral("a.jpg"));
    QCOMPARE(dialoge.meldungen.size(), 0);
}

// The whole run: the boxes, then the end without the settings window or a transfer.
void TestParameter::ungueltigerParameterBeendetLaufOhneFenster()
{
    Skriptlauf l(QStringLiteral("bogus /file:/tmp/x.jpg"));
    auto& [fenster, dialoge, speicher, sperre, uebertragung, status, nachUpload, schluesselbund, lauf] = l;

    QCOMPARE(lauf.ausfuehren(), Laufende::Fehlgeschlagen);
    QCOMPARE(dialoge.meldungen.size(), 2);
    QCOMPARE(dialoge.meldungen[0].titel, QStringLiteral("Fehlerhafter Parameter"));
    QCOMPARE(dialoge.meldungen[0].text, QStringLiteral("Es wurde ein ungültiger Parameter (bogus ) angegeben!"));
    QCOMPARE(dialoge.meldungen[1].titel, QStringLiteral("Parameter"));
    QCOMPARE(fenster.gezeigt, 0);
    QVERIFY(uebertragung.ftpPfade.isEmpty());
    QVERIFY(dialoge.passwortAufforderungen.isEmpty());
}

// Overrides hold for this run only: the transfer sees them, the store keeps its values.
// The stored password belongs to the stored account: another one is asked for its own.
void TestParameter::parameterErreichenUebertragungAberNieDenSpeicher()
{
    m_umgebung.speicherSetzen(QStringLiteral("FTPServer"), QStringLiteral("ftp.gespeichert.example"));
    m_umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("berta"));
    m_umgebung.speicherSetzen(QStringLiteral("FTPPassword"), QStringLiteral("geheim"));
    m_umgebung.speicherSetzen(QStringLiteral("FTPPath"), QStringLiteral("www/"));
    m_umgebung.speicherSetzen(QStringLiteral("URL"), QStringLiteral("http://gespeichert.example/"));
    const QString bild = m_umgebung.datei(QStringLiteral("a.jpg"), 10);

    Skriptlauf l(QStringLiteral("/ftpserver:127.0.0.1 /ftpuser:anna /url:http://h//x/ /file:") + bild);
    auto& [fenster, dialoge, speicher, sperre, uebertragung, status, nachUpload, schluesselbund, lauf] = l;
    dialoge.passwortAntworten = { QStringLiteral("annas"), QStringLiteral("annas") };
    QCOMPARE(lauf.ausfuehren(), Laufende::Hochgeladen);
    const QMap<QString, QString> vorher = m_umgebung.speicherInhalt();

    QCOMPARE(uebertragung.ftpPfade, QStringList{ bild });
    QCOMPARE(uebertragung.letzteOptionen.FTPServer, QStringLiteral("127.0.0.1"));
    QCOMPARE(uebertragung.letzteOptionen.FTPLogin, QStringLiteral("anna"));
    QCOMPARE(uebertragung.letzteOptionen.URL, QStringLiteral("http://h//x/"));
    QCOMPARE(dialoge.passwortAufforderungen.size(), 1);
    QCOMPARE(uebertragung.letzteOptionen.FTPPassword, QStringLiteral("annas"));

    // "OK" in the window applies and runs again; parameter mode still keeps the store untouched.
    QCOMPARE(lauf.okGeklickt(), Laufende::Hochgeladen);
    QCOMPARE(m_umgebung.speicherInhalt(), vorher);
    QCOMPARE(vorher.value(QStringLiteral("FTPServer")), QStringLiteral("ftp.gespeichert.example"));
    QCOMPARE(vorher.value(QStringLiteral("URL")), QStringLiteral("http://gespeichert.example/"));
}

void TestParameter::einzigesArgument_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<bool>("istDatei");
    // Names a file manager hands over; relative ones are read in the test's folder.
    QTest::newRow("anfuehrungszeichen im namen") << QStringList{ "geheim\".jpg" } << true;
    QTest::newRow("schluesselwort im pfad") << QStringList{ "url:x/b.jpg" } << true;
    QTest::newRow("wie ein parameter") << QStringList{ "File:Eiffelturm.jpg" } << true;
    QTest::newRow("fuehrender strich") << QStringList{ "-h" } << true;
    QTest::newRow("fehlt") << QStringList{ "fehlt.jpg" } << false;
    QTest::newRow("ordner") << QStringList{ "url:x" } << false;
    QTest::newRow("zwei dateien") << QStringList{ "-h", "geheim\".jpg" } << false;
    QTest::newRow("keins") << QStringList{} << false;
    QTest::newRow("leer") << QStringList{ "" } << false;
}

void TestParameter::einzigesArgument()
{
    QFETCH(QStringList, argumente);
    QFETCH(bool, istDatei);
    QTemporaryDir ordner;
    QVERIFY(QDir(ordner.path()).mkdir(QStringLiteral("url:x")));
    for (const char* name : { "geheim\".jpg", "url:x/b.jpg", "File:Eiffelturm.jpg", "-h" }) {
        QFile datei(ordner.filePath(QString::fromUtf8(name)));
        QVERIFY(datei.open(QIODevice::WriteOnly));
    }
    const QString vorher = QDir::currentPath();
    QVERIFY(QDir::setCurrent(ordner.path()));
    const QString ergebnis = dateiAlsEinzigesArgument(argumente);
    QDir::setCurrent(vorher);
    QCOMPARE(ergebnis, istDatei ? argumente.first() : QString());
}

// A name taken as written reaches the transfer and the link with its quotes,
// although a file without them exists too; no parameter is read from it.
void TestParameter::einzigeDateiWoertlichGesendet()
{
    m_umgebung.speicherSetzen(QStringLiteral("FTPServer"), QStringLiteral("ftp.example"));
    m_umgebung.speicherSetzen(QStringLiteral("FTPLogin"), QStringLiteral("anna"));
    m_umgebung.speicherSetzen(QStringLiteral("FTPPassword"), QStringLiteral("geheim"));
    const QString mitAnfuehrung = m_umgebung.datei(QStringLiteral("url:x\"b\".jpg"), 10);
    m_umgebung.datei(QStringLiteral("url:xb.jpg"), 10);

    Skriptlauf l(mitAnfuehrung, mitAnfuehrung);
    auto& [fenster, dialoge, speicher, sperre, uebertragung, status, nachUpload, schluesselbund, lauf] = l;
    QCOMPARE(lauf.ausfuehren(), Laufende::Hochgeladen);
    QVERIFY(dialoge.meldungen.isEmpty());
    QVERIFY(!lauf.optionen().parameterModus);
    QCOMPARE(uebertragung.ftpPfade, QStringList{ mitAnfuehrung });
    QCOMPARE(nachUpload.aufrufe.value(0).quoteFreeName, mitAnfuehrung);
    QCOMPARE(nachUpload.aufrufe.value(0).shortPath, mitAnfuehrung);
}

void TestParameter::dateiliste_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<bool>("liste");
    // clang-format off
    QTest::newRow("drei Dateien")            << QStringList{ "a.jpg", "b.jpg", "c.jpg" }          << true;
    QTest::newRow("Blanks und Umlaute")      << QStringList{ "Grüße aus Köln.jpg", "a.jpg" }      << true;
    QTest::newRow("zweimal dieselbe")        << QStringList{ "a.jpg", "a.jpg" }                   << true;
    // An unquoted name with blanks, as scripts have always passed it, stays one file.
    QTest::newRow("verbunden vorhanden")     << QStringList{ "Urlaub", "am", "See.jpg" }          << false;
    QTest::newRow("eine fehlt")              << QStringList{ "a.jpg", "fehlt.jpg", "b.jpg" }     << false;
    QTest::newRow("Parameter")               << QStringList{ "/ftpuser:anna", "/file:a.jpg" }     << false;
    QTest::newRow("Parameter zur Datei")     << QStringList{ "/ftppath:www/", "a.jpg" }           << false;
    QTest::newRow("eine Datei")              << QStringList{ "a.jpg" }                            << false;
    QTest::newRow("keine")                   << QStringList{}                                     << false;
    // clang-format on
}

void TestParameter::dateiliste()
{
    QFETCH(QStringList, argumente);
    QFETCH(bool, liste);
    const QStringList vorhanden{ "a.jpg", "b.jpg", "c.jpg", "Grüße aus Köln.jpg", "Urlaub", "am", "See.jpg",
        "Urlaub am See.jpg" };
    QCOMPARE(istDateiliste(argumente, [&](const QString& name) { return vorhanden.contains(name); }), liste);
}

void TestParameter::passwortVerborgen_data()
{
    // The arguments after the program's name, before and after; a password stays
    // as long as it was, as curl does it.
    QTest::addColumn<QList<QByteArray>>("argumente");
    QTest::addColumn<QList<QByteArray>>("danach");
    using L = QList<QByteArray>;
    QTest::newRow("eigenes argument") << L{ "/ftpserver:h", "/ftppassword:MeinGeheimnis", "/file:b.jpg" }
                                      << L{ "/ftpserver:h", "/ftppassword:*************", "/file:b.jpg" };
    QTest::newRow("wert im naechsten argument")
        << L{ "/ftppassword:", "geheim", "/file:b.jpg" } << L{ "/ftppassword:", "******", "/file:b.jpg" };
    QTest::newRow("blanks im passwort") << L{ "/ftppassword:mein", "langes", "/file:b.jpg" }
                                        << L{ "/ftppassword:****", "******", "/file:b.jpg" };
    QTest::newRow("alles in einem argument")
        << L{ "/ftpuser:anna/ftppassword:pw/file:b.jpg" } << L{ "/ftpuser:anna/ftppassword:**/file:b.jpg" };
    QTest::newRow("grossschreibung") << L{ "/FtpPassword:Xy", "/file:a" } << L{ "/FtpPassword:**", "/file:a" };
    QTest::newRow("umlaut: jedes byte") << L{ "/ftppassword:K\xC3\xA4se", "/file:a" }
                                        << L{ "/ftppassword:*****", "/file:a" };
    QTest::newRow("zweimal") << L{ "/ftppassword:a", "/ftppassword:bc", "/file:x" }
                             << L{ "/ftppassword:*", "/ftppassword:**", "/file:x" };
    QTest::newRow("auch in einer ungueltigen zeile")
        << L{ "bogus", "/ftppassword:pw" } << L{ "bogus", "/ftppassword:**" };
    QTest::newRow("kein utf-8: das ganze argument")
        << L{ "/ftppassword:\xFF\xFE", "/file:a" } << L{ "***************", "/file:a" };
    QTest::newRow("ohne passwort unberuehrt")
        << L{ "/ftpuser:anna", "/file:/tmp/ftppassword.jpg" } << L{ "/ftpuser:anna", "/file:/tmp/ftppassword.jpg" };
}

// The password goes from the memory the process list reads, and only it.
void TestParameter::passwortVerborgen()
{
    QFETCH(QList<QByteArray>, argumente);
    QFETCH(QList<QByteArray>, danach);
    std::vector<QByteArray> speicher{ QByteArrayLiteral("fotoschicker") };
    speicher.insert(speicher.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (QByteArray& argument : speicher)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int argc = int(speicher.size());

    argumenteVerbergen(argc, argv.data(), passwortStellen(argumentString(argc, argv.data())));
    QList<QByteArray> ergebnis;
    for (int i = 1; i < argc; ++i)
        ergebnis.append(QByteArray(argv[size_t(i)]));
    QCOMPARE(ergebnis, danach);
}

QTEST_GUILESS_MAIN(TestParameter)
#include "test_parameter.moc"
