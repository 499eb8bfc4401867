#include "links/linkaktion.h"
#include "links/linktext.h"
#include "links/qtzwischenablage.h"
#include "links/zwischenablage.h"
#include "settings/optionen.h"
#include "transfer/bilddatei.h"
#include "transfer/ftpadresse.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

namespace {
class AufzeichnendeZwischenablage : public Zwischenablage {
public:
    void textSetzen(const QString& text) override { texte.append(text); }
    QStringList texte;
};

const QString ftpUrl = QStringLiteral("http://www.example.org/bilder/");
const QString hostLink = QStringLiteral("http://127.0.0.1:8080/i/Ab3.png");
} // namespace

class TestLinkaktion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void zwischenablage_data();
    void zwischenablage();
    void nurKlartextInDerZwischenablage();
    void mehrereBilderZeilenweise();
    void nameAlsPfadabschnitt_data();
    void nameAlsPfadabschnitt();
    void schnipselMaskiert_data();
    void schnipselMaskiert();

private:
    QString pfad(const QString& name) const { return m_ordner.filePath(name); }
    QTemporaryDir m_ordner;
};

void TestLinkaktion::initTestCase()
{
    QVERIFY(m_ordner.isValid());
    QImage foto(640, 480, QImage::Format_RGB32);
    foto.fill(Qt::red);
    QVERIFY(foto.save(pfad(QStringLiteral("foto.jpg")), "JPG"));
    QVERIFY(foto.save(pfad(QStringLiteral("URLAUB.JPEG")), "JPG"));
    QImage klein(7, 5, QImage::Format_ARGB32);
    klein.fill(Qt::transparent);
    QVERIFY(klein.save(pfad(QStringLiteral("klein.png")), "PNG"));
    QFile kaputt(pfad(QStringLiteral("kaputt.jpg")));
    QVERIFY(kaputt.open(QIODevice::WriteOnly));
    kaputt.write("\xff\xd8 abgebrochen");
}

void TestLinkaktion::zwischenablage_data()
{
    QTest::addColumn<bool>("useIS");
    QTest::addColumn<QString>("url");
    QTest::addColumn<Zwischenablageinhalt>("linkOption");
    QTest::addColumn<QString>("bildhostLink");
    QTest::addColumn<QString>("quoteFreeName");
    QTest::addColumn<QString>("shortPath");
    QTest::addColumn<QString>("adresse");
    // The one text put on the clipboard; a null string: the clipboard is not touched at all.
    QTest::addColumn<QString>("text");

    const auto keineAuswahl = Zwischenablageinhalt::KeineAuswahl;
    const auto nichts = Zwischenablageinhalt::Nichts;
    const auto adresse = Zwischenablageinhalt::Adresse;
    const auto htmlCode = Zwischenablageinhalt::HtmlCode;
    const QString foto = pfad(QStringLiteral("foto.jpg"));
    const QString fotoLink = ftpUrl + u"foto.jpg";
    const QString groesse = QStringLiteral(" width=\"640\" height=\"480\"");

    QTest::newRow("ftp jpeg snippet with size")
        << false << ftpUrl << htmlCode << QString() << foto << foto << fotoLink
        << QString(u"<img border=\"0\" src=\"" + fotoLink + u"\" alt=\"\"" + groesse + u">");
    QTest::newRow("ftp png snippet with size")
        << false << ftpUrl << htmlCode << QString() << pfad(QStringLiteral("klein.png"))
        << pfad(QStringLiteral("klein.png")) << QString(ftpUrl + u"klein.png")
        << QString(u"<img border=\"0\" src=\"" + ftpUrl + u"klein.png\" alt=\"\" width=\"7\" height=\"5\">");
    QTest::newRow("damaged jpeg: picture form without size")
        << false << ftpUrl << htmlCode << QString() << pfad(QStringLiteral("kaputt.jpg"))
        << pfad(QStringLiteral("kaputt.jpg")) << QString(ftpUrl + u"kaputt.jpg")
        << QString(u"<img border=\"0\" src=\"" + ftpUrl + u"kaputt.jpg\" alt=\"\">");
    QTest::newRow("upper-case .JPEG is a picture")
        << false << ftpUrl << htmlCode << QString() << pfad(QStringLiteral("URLAUB.JPEG"))
        << pfad(QStringLiteral("URLAUB.JPEG")) << QString(ftpUrl + u"URLAUB.JPEG")
        << QString(u"<img border=\"0\" src=\"" + ftpUrl + u"URLAUB.JPEG\" alt=\"\"" + groesse + u">");
    QTest::newRow("zip: hyperlink with the link twice")
        << false << ftpUrl << htmlCode << QString() << QStringLiteral("/tmp/archiv.zip")
        << QStringLiteral("/tmp/archiv.zip") << QString(ftpUrl + u"archiv.zip")
        << QString(u"<a href=\"" + ftpUrl + u"archiv.zip\">" + ftpUrl + u"archiv.zip</a>");
    QTest::newRow("plain link") << false << ftpUrl << adresse << QString() << foto << foto << fotoLink << fotoLink;
    QTest::newRow("url without closing slash gets no separator")
        << false << QStringLiteral("http://h.example/bilder") << adresse << QString() << foto << foto
        << QStringLiteral("http://h.example/bilderfoto.jpg") << QStringLiteral("http://h.example/bilderfoto.jpg");
    QTest::newRow("url kept exactly as stored, blanks included")
        << false << QStringLiteral(" http://h.example/ ") << adresse << QString() << foto << foto
        << QStringLiteral(" http://h.example/ foto.jpg") << QStringLiteral(" http://h.example/ foto.jpg");
    QTest::newRow("windows path: name after the last backslash")
        << false << ftpUrl << adresse << QString() << QStringLiteral("C:\\Eigene Bilder\\Urlaub 2024.jpg") << QString()
        << QString(ftpUrl + u"Urlaub%202024.jpg") << QString(ftpUrl + u"Urlaub%202024.jpg");
    QTest::newRow("linux path: name after the last slash")
        << false << ftpUrl << adresse << QString() << QStringLiteral("/home/anna/Bilder/b.jpg") << QString()
        << QString(ftpUrl + u"b.jpg") << QString(ftpUrl + u"b.jpg");
    QTest::newRow("ftp empty url: untouched")
        << false << QString() << htmlCode << QString() << foto << foto << QString() << QString();
    QTest::newRow("ftp blank url: untouched")
        << false << QStringLiteral("   ") << adresse << QString() << foto << foto << QString() << QString();
    QTest::newRow("option 0: untouched, address still known")
        << false << ftpUrl << nichts << QString() << foto << foto << fotoLink << QString();
    QTest::newRow("option -1: untouched")
        << false << ftpUrl << keineAuswahl << QString() << foto << foto << fotoLink << QString();
    QTest::newRow("image host ignores an empty url")
        << true << QString() << htmlCode << hostLink << pfad(QStringLiteral("klein.png"))
        << pfad(QStringLiteral("klein.png")) << hostLink
        << QString(u"<img border=\"0\" src=\"" + hostLink + u"\" alt=\"\" width=\"7\" height=\"5\">");
    QTest::newRow("image host ignores a set url")
        << true << ftpUrl << adresse << hostLink << foto << foto << hostLink << hostLink;
    QTest::newRow("image host: the address's suffix decides, not the file's")
        << true << QString() << htmlCode << QStringLiteral("http://127.0.0.1:8080/zeige?id=7") << foto << foto
        << QStringLiteral("http://127.0.0.1:8080/zeige?id=7")
        << QStringLiteral("<a href=\"http://127.0.0.1:8080/zeige?id=7\">http://127.0.0.1:8080/zeige?id=7</a>");
    QTest::newRow("image host option 0: untouched")
        << true << QString() << nichts << hostLink << foto << foto << hostLink << QString();
}

void TestLinkaktion::zwischenablage()
{
    QFETCH(bool, useIS);
    QFETCH(QString, url);
    QFETCH(Zwischenablageinhalt, linkOption);
    QFETCH(QString, bildhostLink);
    QFETCH(QString, quoteFreeName);
    QFETCH(QString, shortPath);
    QFETCH(QString, adresse);
    QFETCH(QString, text);

    Optionen optionen;
    optionen.useIS = useIS;
    optionen.URL = url;
    optionen.LinkOption = linkOption;
    AufzeichnendeZwischenablage ablage;
    Linkaktion aktion(ablage);

    const Bilddatei datei{ quoteFreeName, shortPath, langerName(quoteFreeName) };
    QCOMPARE(aktion.ausfuehren(bildhostLink, datei, optionen), adresse);
    QCOMPARE(ablage.texte, text.isNull() ? QStringList() : QStringList{ text });
}

void TestLinkaktion::nurKlartextInDerZwischenablage()
{
    const QString schnipsel = QStringLiteral("<img border=\"0\" src=\"http://h/ä.jpg\" alt=\"\">");
    QtZwischenablage().textSetzen(schnipsel);

    const QMimeData* daten = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    QVERIFY(daten);
    QCOMPARE(daten->formats(), QStringList{ QStringLiteral("text/plain") });
    QCOMPARE(daten->text(), schnipsel);
}

// Several pictures of one start: a line each, in upload order; none for a picture without address.
void TestLinkaktion::mehrereBilderZeilenweise()
{
    Optionen optionen;
    optionen.useIS = true;
    optionen.LinkOption = Zwischenablageinhalt::Adresse;
    AufzeichnendeZwischenablage ablage;
    Linkaktion aktion(ablage);
    const Bilddatei datei;
    aktion.ausfuehren(QStringLiteral("http://h/1.jpg"), datei, optionen);
    optionen.useIS = false; // and no URL
    aktion.ausfuehren(QString(), datei, optionen);
    optionen.useIS = true;
    aktion.ausfuehren(QStringLiteral("http://h/2.zip"), datei, optionen);
    QCOMPARE(ablage.texte, QStringList({ "http://h/1.jpg", "http://h/1.jpg\nhttp://h/2.zip" }));
}

void TestLinkaktion::nameAlsPfadabschnitt_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("link");
    QTest::newRow("nur unreservierte zeichen: wie bisher") << ftpUrl << "/b/A-z_0.9~.JPG" << ftpUrl + "A-z_0.9~.JPG";
    QTest::newRow("blanks und raute") << ftpUrl << "/b/Urlaub am See #1.jpg" << ftpUrl + "Urlaub%20am%20See%20%231.jpg";
    QTest::newRow("anfuehrungszeichen und klammern")
        << ftpUrl << "a\" onerror=\"alert(1).jpg" << ftpUrl + "a%22%20onerror%3D%22alert%281%29.jpg";
    QTest::newRow("fragezeichen, prozent, plus, und") << ftpUrl << "a?b%c+d&e.jpg" << ftpUrl + "a%3Fb%25c%2Bd%26e.jpg";
    QTest::newRow("umlaute als utf-8") << ftpUrl << "Straße ä.jpg" << ftpUrl + "Stra%C3%9Fe%20%C3%A4.jpg";
    QTest::newRow("zeilenende und steuerzeichen") << ftpUrl << "x\r\n\t.jpg" << ftpUrl + "x%0D%0A%09.jpg";
    QTest::newRow("url bleibt wie gespeichert") << "http://h/a b/?x=1&y=\"2\"/"
                                                << "c.jpg"
                                                << "http://h/a b/?x=1&y=\"2\"/c.jpg";
}

void TestLinkaktion::nameAlsPfadabschnitt()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    QFETCH(QString, link);
    QCOMPARE(ftpLink(url, langerName(name)), link);
}

void TestLinkaktion::schnipselMaskiert_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("schnipsel");
    QTest::newRow("bild: & \" < > im attribut")
        << "http://h/?a=1&b=\"<x>\"/p.jpg"
        << "<img border=\"0\" src=\"http://h/?a=1&amp;b=&quot;&lt;x&gt;&quot;/p.jpg\" "
           "alt=\"\">";
    QTest::newRow("verweis: im attribut und im text")
        << "http://h/zeige?id=7&x=<b>"
        << "<a href=\"http://h/zeige?id=7&amp;x=&lt;b&gt;\">http://h/zeige?id=7&amp;x=&lt;b&gt;</a>";
    QTest::newRow("schon maskiert: & noch einmal")
        << "http://h/a&amp;b.zip"
        << "<a href=\"http://h/a&amp;amp;b.zip\">http://h/a&amp;amp;b.zip</a>";
}

void TestLinkaktion::schnipselMaskiert()
{
    QFETCH(QString, link);
    QFETCH(QString, schnipsel);
    QCOMPARE(htmlSchnipsel(link, pfad(QStringLiteral("fehlt.jpg"))), schnipsel);
}

QTEST_MAIN(TestLinkaktion)
#include "test_linkaktion.moc"
