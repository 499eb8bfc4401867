#include "bildhostprozess.h"
#include "ftptestserver.h"
#include "gui/verlaufsfenster.h"
#include "laufattrappen.h"
#include "links/zwischenablage.h"
#include "testumgebung.h"
#include "transfer/bildhostupload.h"
#include "verlauf/verlaufsspeicher.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {
class AufzeichnendeZwischenablage : public Zwischenablage {
public:
    void textSetzen(const QString& text) override { texte.append(text); }
    QStringList texte;
};

// A keyring that holds what the test put in it.
class MerkenderSchluesselbund : public Schluesselbund {
public:
    Antwort lesen(const QString& konto, QString& passwort) override
    {
        passwort = eintraege.value(konto);
        return eintraege.contains(konto) ? Antwort::Erledigt : Antwort::NichtGefunden;
    }
    Antwort schreiben(const QString&, const QString&) override { return Antwort::Fehlt; }
    Antwort loeschen(const QString&) override { return Antwort::Fehlt; }
    QMap<QString, QString> eintraege;
};

Verlaufseintrag zeile(const QString& datei, const QString& link, const QString& modus = QStringLiteral("FTP"))
{
    Verlaufseintrag e;
    e.zeit = QDateTime::currentDateTimeUtc();
    e.datei = datei;
    e.link = link;
    e.modus = modus;
    return e;
}
} // namespace

// The history window driven as a user would: search, keys, buttons, and
// deleting from real servers on 127.0.0.1.
class TestVerlaufsfenster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fenster.reset(); }
    void suchenUndKopieren();
    void ausDemVerlaufEntfernen();
    void vomFtpServerLoeschen();
    void vomBildhostLoeschen();

private:
    void oeffnen();
    QTableView* tabelle() const { return m_fenster->findChild<QTableView*>(QStringLiteral("tabelle")); }
    QPushButton* knopf(const char* name) const { return m_fenster->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QString zustand(int zeile) const
    {
        return tabelle()->model()->index(zeile, Verlaufsmodell::Server).data().toString();
    }

    Testumgebung m_umgebung;
    QTemporaryDir m_ordner;
    std::unique_ptr<Verlaufsspeicher> m_speicher;
    Einstellungsspeicher m_einstellungen;
    MerkenderSchluesselbund m_schluesselbund;
    SkriptDialoge m_dialoge;
    AufzeichnendeZwischenablage m_zwischenablage;
    std::unique_ptr<Verlaufsfenster> m_fenster;
};

void TestVerlaufsfenster::init()
{
    m_umgebung.speicherLeeren();
    m_speicher = std::make_unique<Verlaufsspeicher>(
        m_ordner.filePath(QString::fromLatin1(QTest::currentTestFunction()) + "/verlauf.sqlite"));
    m_dialoge = {};
    m_schluesselbund.eintraege.clear();
    m_zwischenablage.texte.clear();
}

void TestVerlaufsfenster::oeffnen()
{
    m_fenster = std::make_unique<Verlaufsfenster>(
        *m_speicher, m_einstellungen, m_schluesselbund, m_dialoge, m_zwischenablage);
    QString fehler;
    QVERIFY2(m_fenster->laden(fehler), qPrintable(fehler));
    m_fenster->show();
    QApplication::setActiveWindow(m_fenster.get());
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
}

void TestVerlaufsfenster::suchenUndKopieren()
{
    m_speicher->eintragen(zeile("/bilder/Strand.jpg", "http://example.org/Strand.jpg"));
    m_speicher->eintragen(zeile("/bilder/Berg.png", "http://example.org/Berg.png"));
    m_speicher->eintragen(zeile("/bilder/Ohne Link.jpg", ""));
    oeffnen();
    QCOMPARE(tabelle()->model()->rowCount(), 3);
    // Newest first, and it is selected: Enter copies its link straight away.
    QCOMPARE(tabelle()->model()->index(1, Verlaufsmodell::Name).data().toString(), QStringLiteral("Berg.png"));

    QTest::keyClick(m_fenster.get(), Qt::Key_F, Qt::ControlModifier);
    auto* suche = m_fenster->findChild<QLineEdit*>(QStringLiteral("suche"));
    QVERIFY(suche->hasFocus());
    QTest::keyClicks(suche, "STRAND");
    QCOMPARE(tabelle()->model()->rowCount(), 1);
    // Enter goes from the search to the hit, a second Enter copies it; Delete in the search removes nothing.
    QTest::keyClick(suche, Qt::Key_Delete);
    QTest::keyClick(suche, Qt::Key_Return);
    QVERIFY(tabelle()->hasFocus());
    QTest::keyClick(tabelle(), Qt::Key_Return);
    QCOMPARE(m_zwischenablage.texte, QStringList{ "http://example.org/Strand.jpg" });
    QVERIFY(m_dialoge.meldungen.isEmpty());

    QTest::mouseClick(knopf("htmlKopieren"), Qt::LeftButton);
    QCOMPARE(m_zwischenablage.texte.last(),
        QStringLiteral("<img border=\"0\" src=\"http://example.org/Strand.jpg\" alt=\"\">"));

    // A row without a link has nothing to copy or open.
    suche->clear();
    tabelle()->selectRow(0);
    QVERIFY(!knopf("linkKopieren")->isEnabled());
    QVERIFY(!knopf("imBrowserOeffnen")->isEnabled());
    QVERIFY(!knopf("vomServerLoeschen")->isEnabled());
    QVERIFY(knopf("ausDemVerlaufEntfernen")->isEnabled());
    for (QPushButton* k : m_fenster->findChildren<QPushButton*>())
        QVERIFY2(!k->accessibleName().isEmpty(), qPrintable(k->objectName()));
}

void TestVerlaufsfenster::ausDemVerlaufEntfernen()
{
    m_speicher->eintragen(zeile("/bilder/a.jpg", "http://example.org/a.jpg"));
    m_speicher->eintragen(zeile("/bilder/b.jpg", "http://example.org/b.jpg"));
    oeffnen();
    m_dialoge.antworten = { false, true };
    QTest::keyClick(tabelle(), Qt::Key_Delete);
    QCOMPARE(tabelle()->model()->rowCount(), 2);
    QTest::keyClick(tabelle(), Qt::Key_Delete);
    QCOMPARE(m_dialoge.meldungen.size(), 2);
    QCOMPARE(m_dialoge.meldungen[1].titel, QStringLiteral("Aus dem Verlauf entfernen"));
    QCOMPARE(tabelle()->model()->rowCount(), 1);
    QString fehler;
    const auto liste = m_speicher->eintraege(fehler);
    QCOMPARE(liste->size(), 1);
    QCOMPARE(liste->first().datei, QStringLiteral("/bilder/a.jpg"));
}

void TestVerlaufsfenster::vomFtpServerLoeschen()
{
    FtpTestserver server;
    QVERIFY(server.laeuft());
    QDir(server.wurzel()).mkpath("www");
    for (const char* name : { "www/eins.jpg", "www/zwei.jpg" }) {
        QFile datei(server.wurzel() + u'/' + QString::fromLatin1(name));
        QVERIFY(datei.open(QIODevice::WriteOnly));
    }
    for (const char* name : { "eins.jpg", "zwei.jpg" }) {
        Verlaufseintrag e = zeile(QString::fromLatin1(name), QString());
        e.server = server.adresse();
        e.benutzer = QStringLiteral("fotograf");
        e.entfernterPfad = "www/" + QString::fromLatin1(name);
        m_speicher->eintragen(e);
    }
    // The stored account is the row's: its password is taken.
    m_umgebung.speicherSetzen("FTPServer", server.adresse());
    m_umgebung.speicherSetzen("FTPLogin", "fotograf");
    m_umgebung.speicherSetzen("FTPPassword", "geheim");
    oeffnen();
    tabelle()->selectRow(1);
    QTest::mouseClick(knopf("vomServerLoeschen"), Qt::LeftButton);
    QVERIFY(!QFile::exists(server.wurzel() + "/www/eins.jpg"));
    QVERIFY(QFile::exists(server.wurzel() + "/www/zwei.jpg"));
    QVERIFY(server.befehle().contains("DELE www/eins.jpg"));
    QVERIFY(zustand(1).startsWith(QStringLiteral("gelöscht am ")));
    QVERIFY(!knopf("vomServerLoeschen")->isEnabled());
    QVERIFY(m_dialoge.passwortAufforderungen.isEmpty());

    // The file names another account now: the row's password comes from the
    // keyring, or the prompt asks; a wrong one deletes nothing and says so.
    m_umgebung.speicherSetzen("FTPLogin", "jemand");
    m_dialoge.passwortAntworten = { "falsch" };
    tabelle()->selectRow(0);
    QTest::mouseClick(knopf("vomServerLoeschen"), Qt::LeftButton);
    QCOMPARE(m_dialoge.passwortAufforderungen.size(), 1);
    QVERIFY(QFile::exists(server.wurzel() + "/www/zwei.jpg"));
    QCOMPARE(m_dialoge.meldungen.last().titel, QStringLiteral("Nicht gelöscht"));
    QVERIFY(!m_dialoge.meldungen.last().text.contains("falsch"));
    m_schluesselbund.eintraege.insert("fotograf@" + server.adresse(), "geheim");
    QTest::mouseClick(knopf("vomServerLoeschen"), Qt::LeftButton);
    QVERIFY(!QFile::exists(server.wurzel() + "/www/zwei.jpg"));
    QCOMPARE(m_dialoge.passwortAufforderungen.size(), 1);

    QString fehler;
    const auto liste = m_speicher->eintraege(fehler);
    QVERIFY(liste->at(0).geloescht.isValid() && liste->at(1).geloescht.isValid());
}

void TestVerlaufsfenster::vomBildhostLoeschen()
{
    BildhostProzess bildhost(QStringLiteral(BILDHOST_PROGRAMM));
    QVERIFY(bildhost.laeuft());
    const QString bild = m_ordner.filePath("rot.png");
    QImage(20, 10, QImage::Format_RGB32).save(bild);
    AufzeichnendeStatusanzeige status;
    QString fehler;
    QString schluessel;
    const QString link = bildhostUpload(bildhost.host(), bilddateiAus(bild, true), status, fehler, {}, &schluessel);
    QVERIFY2(!link.isEmpty(), qPrintable(fehler));
    QCOMPARE(schluessel.size(), 32);
    const QString name = link.mid(link.lastIndexOf(u'/') + 1);

    Verlaufseintrag e = zeile(bild, link, QStringLiteral("Bildhost"));
    e.server = bildhost.host();
    e.entfernterPfad = name;
    e.loeschschluessel = QString(schluessel).replace(0, 1, schluessel[0] == u'0' ? "1" : "0");
    m_speicher->eintragen(e);
    e.loeschschluessel = schluessel;
    m_speicher->eintragen(e);
    oeffnen();

    // The older row's key is wrong: the host refuses, the picture stays.
    tabelle()->selectRow(1);
    QTest::mouseClick(knopf("vomServerLoeschen"), Qt::LeftButton);
    QCOMPARE(m_dialoge.meldungen.last().titel, QStringLiteral("Nicht gelöscht"));
    QVERIFY(QFile::exists(bildhost.ablage() + u'/' + name));
    QVERIFY(zustand(1).isEmpty());

    tabelle()->selectRow(0);
    QTest::mouseClick(knopf("vomServerLoeschen"), Qt::LeftButton);
    QVERIFY(!QFile::exists(bildhost.ablage() + u'/' + name));
    QVERIFY(zustand(0).startsWith(QStringLiteral("gelöscht am ")));
}

QTEST_MAIN(TestVerlaufsfenster)
#include "test_verlaufsfenster.moc"
