// SFTP uploads through the whole run against Debian's OpenSSH sshd on
// loopback: each way to log in, and the questions and refusals around the
// server's host key, answered as a user would.

#include "kindprozess.h"
#include "laufattrappen.h"
#include "proxytestserver.h"
#include "sftptestserver.h"
#include "testumgebung.h"

#include "platform/privatedatei.h"
#include "settings/passwortablage.h"
#include "transfer/hostschluessel.h"
#include "transfer/netzuebertragung.h"
#include "verlauf/serverloeschung.h"
#include "verlauf/verlaufseintrag.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {
const QString pruefeLogin = QStringLiteral("Überprüfe Login und Passwort");
const QString verbunden = QStringLiteral("Verbindung hergestellt, übertrage Datei...");

QByteArray lesen(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

bool schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size();
}

// The fingerprint as OpenSSH's own tool prints it.
QByteArray fingerabdruckVon(const QByteArray& typUndSchluessel)
{
    QProcess keygen;
    keygen.start(QStringLiteral("ssh-keygen"),
        { QStringLiteral("-l"), QStringLiteral("-E"), QStringLiteral("sha256"), QStringLiteral("-f"),
            QStringLiteral("-") });
    keygen.write(typUndSchluessel + '\n');
    keygen.closeWriteChannel();
    keygen.waitForFinished(30000);
    return keygen.readAllStandardOutput().split(' ').value(1);
}

// As "ssh-keygen -H" writes a name: |1|salt|HMAC-SHA1(salt, name).
QByteArray gehasht(const QByteArray& name)
{
    const QByteArray salz = QByteArray::fromHex("0123456789abcdef0123456789abcdef01234567");
    return "|1|" + salz.toBase64() + '|'
        + QMessageAuthenticationCode::hash(name, salz, QCryptographicHash::Sha1).toBase64();
}

// A run of the program with the real transfer and scripted boxes.
struct Lauf {
    explicit Lauf(const QString& datei)
        : lauf({ dialoge, fenster, speicher, sperre, uebertragung, status, nachUpload, schluesselbund }, QString(),
            { datei })
    {
    }
    QList<GezeigteMeldung> meldungenMitTitel(const QString& titel) const
    {
        QList<GezeigteMeldung> gefunden;
        for (const GezeigteMeldung& m : dialoge.meldungen)
            if (m.titel == titel)
                gefunden.append(m);
        return gefunden;
    }

    SpeicherFenster fenster;
    SkriptDialoge dialoge;
    Einstellungsspeicher speicher;
    FesteSperre sperre;
    Netzuebertragung uebertragung;
    AufzeichnendeStatusanzeige status;
    AufzeichnenderNachUpload nachUpload;
    OhneSchluesselbund schluesselbund;
    Startlauf lauf;
};
} // namespace

class TestSftp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("all_proxy", "http://127.0.0.1:9");
        QVERIFY(m_heim.isValid());
        qputenv("HOME", QFile::encodeName(m_heim.path()));
    }

    void init()
    {
        qunsetenv("SSH_AUTH_SOCK");
        QDir(ssh()).removeRecursively();
        QVERIFY(QDir(m_heim.path()).mkpath(QStringLiteral(".ssh")));
        m_umgebung.speicherLeeren();
        QFile::remove(eigeneKnownHosts());
        m_server = std::make_unique<SftpTestserver>();
        QVERIFY2(m_server->laeuft(), m_server->protokoll().constData());
    }

    void cleanup()
    {
        if (m_agent) {
            m_agent->kill();
            m_agent->waitForFinished(30000);
            m_agent.reset();
        }
        m_server.reset();
    }

    void anmeldungLandetUnverfaelscht_data()
    {
        QTest::addColumn<QString>("weg");
        QTest::addColumn<bool>("gehashterEintrag");
        QTest::newRow("ssh-agent") << "agent" << false;
        QTest::newRow("ed25519-Schlüssel mit Passphrase, gehashter Eintrag") << "ed25519" << true;
        QTest::newRow("ecdsa-Schlüssel") << "ecdsa" << false;
        QTest::newRow("Passwort, absoluter Pfad") << "passwort" << false;
    }

    void anmeldungLandetUnverfaelscht()
    {
        QFETCH(QString, weg);
        QFETCH(bool, gehashterEintrag);
        const QByteArray name = "[127.0.0.1]:" + QByteArray::number(m_server->port());
        QVERIFY(schreiben(ssh() + QStringLiteral("/known_hosts"),
            "other.example ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIJqoSAnbJYyZRncUmsYaxDfsAbu/gtM5E7rOlCPO9fkC\n"
                + (gehashterEintrag ? gehasht(name) : name) + ' ' + m_server->hostschluessel() + '\n'));
        QString passwort = QStringLiteral("geheim");
        if (weg == QStringLiteral("agent")) {
            const QString schluessel = m_heim.filePath(QStringLiteral("agentschluessel"));
            QVERIFY(schluesselErzeugen(schluessel, QStringLiteral("ed25519")));
            QVERIFY(m_server->schluesselErlauben(schluessel + QStringLiteral(".pub")));
            agentStarten(schluessel);
            passwort.clear();
        } else if (weg != QStringLiteral("passwort")) {
            const QString schluessel = ssh() + QStringLiteral("/id_") + weg;
            QVERIFY(schluesselErzeugen(schluessel, weg, weg == QStringLiteral("ed25519") ? passwort : QString()));
            QVERIFY(m_server->schluesselErlauben(schluessel + QStringLiteral(".pub")));
        }
        // FTPPath relative to the login folder, and once absolute.
        kontoSpeichern(passwort,
            weg == QStringLiteral("passwort") ? m_server->wurzel() + QStringLiteral("/bilder/")
                                              : QStringLiteral("bilder/"));
        QVERIFY(QDir(m_server->wurzel()).mkpath(QStringLiteral("bilder")));
        const QByteArray inhalt = zufallsdatei(QStringLiteral("urlaub.jpg"), 200000);

        Lauf lauf(m_datei);
        QCOMPARE(lauf.lauf.ausfuehren(), Laufende::Hochgeladen);
        QCOMPARE(lauf.status.texte, QStringList({ pruefeLogin, verbunden, QString() }));
        QVERIFY(lauf.dialoge.passwortAufforderungen.isEmpty());
        QVERIFY(std::none_of(lauf.dialoge.meldungen.begin(), lauf.dialoge.meldungen.end(),
            [](const GezeigteMeldung& m) { return m.stil == Meldungsstil::FrageJaNein; }));
        QVERIFY(lesen(m_server->wurzel() + QStringLiteral("/bilder/urlaub.jpg")) == inhalt);
        QVERIFY(!QFile::exists(eigeneKnownHosts()));
    }

    void durchProxy_data()
    {
        QTest::addColumn<QString>("art");
        QTest::newRow("HTTP CONNECT") << "http";
        QTest::newRow("SOCKS5") << "socks5";
    }

    void durchProxy()
    {
        QFETCH(QString, art);
        ProxyTestserver vermittler(
            art == QStringLiteral("http") ? ProxyTestserver::Art::Http : ProxyTestserver::Art::Socks5);
        QVERIFY(vermittler.laeuft());
        bekannt();
        kontoSpeichern(QStringLiteral("geheim"));
        m_umgebung.speicherSetzen("FTPUseProxy", "Wahr");
        m_umgebung.speicherSetzen("FTPProxy",
            (art == QStringLiteral("http") ? QString() : art + QStringLiteral("://")) + QStringLiteral("127.0.0.1"));
        m_umgebung.speicherSetzen("FTPProxyPort", QString::number(vermittler.port()));
        const QByteArray inhalt = zufallsdatei(QStringLiteral("proxy.jpg"), 4000);

        Lauf lauf(m_datei);
        QCOMPARE(lauf.lauf.ausfuehren(), Laufende::Hochgeladen);
        QVERIFY(lesen(m_server->wurzel() + QStringLiteral("/proxy.jpg")) == inhalt);
        QVERIFY2(vermittler.protokoll().contains(QStringLiteral("CONNECT ") + m_server->adresse()),
            qPrintable(vermittler.protokoll()));
    }

    void unbekannterServer()
    {
        kontoSpeichern(QStringLiteral("geheim"));
        const QByteArray inhalt = zufallsdatei(QStringLiteral("neu.jpg"), 5000);
        const QString frage = QStringLiteral("Der Server 127.0.0.1:") + QString::number(m_server->port())
            + QStringLiteral(" ist unbekannt. Fingerabdruck: ")
            + QString::fromLatin1(fingerabdruckVon(m_server->hostschluessel()))
            + QStringLiteral(" (ED25519-Schlüssel)\r\nWirklich verbinden und den Schlüssel merken?");

        {
            Lauf nein(m_datei);
            nein.dialoge.antworten = { false };
            QCOMPARE(nein.lauf.ausfuehren(), Laufende::Abgebrochen);
            QCOMPARE(nein.dialoge.meldungen.size(), 1);
            QCOMPARE(nein.dialoge.meldungen[0].text, frage);
            QCOMPARE(nein.dialoge.meldungen[0].titel, QStringLiteral("Unbekannter Server"));
            QVERIFY(QDir(m_server->wurzel()).isEmpty());
            QVERIFY(!QFile::exists(eigeneKnownHosts()));
            // Nothing but the key exchange: no login was tried.
            QVERIFY2(!m_server->protokoll().contains("Failed") && !m_server->protokoll().contains("Accepted"),
                m_server->protokoll().constData());
        }
        {
            Lauf ja(m_datei);
            ja.dialoge.antworten = { true };
            QCOMPARE(ja.lauf.ausfuehren(), Laufende::Hochgeladen);
            QCOMPARE(ja.meldungenMitTitel(QStringLiteral("Unbekannter Server")).size(), 1);
            QVERIFY(lesen(m_server->wurzel() + QStringLiteral("/neu.jpg")) == inhalt);
            QCOMPARE(lesen(eigeneKnownHosts()),
                "[127.0.0.1]:" + QByteArray::number(m_server->port()) + ' ' + m_server->hostschluessel() + '\n');
            QVERIFY(istPrivat(eigeneKnownHosts()));
        }
        {
            Lauf wieder(m_datei);
            QCOMPARE(wieder.lauf.ausfuehren(), Laufende::Hochgeladen);
            QVERIFY(wieder.meldungenMitTitel(QStringLiteral("Unbekannter Server")).isEmpty());
        }
    }

    void geaenderterSchluesselWirdAbgelehnt()
    {
        const QString fremd = m_heim.filePath(QStringLiteral("fremder_hostschluessel"));
        QVERIFY(schluesselErzeugen(fremd, QStringLiteral("ed25519")));
        const QByteArray fremderSchluessel
            = lesen(fremd + QStringLiteral(".pub")).left(lesen(fremd + QStringLiteral(".pub")).lastIndexOf(' '));
        QVERIFY(schreiben(ssh() + QStringLiteral("/known_hosts"),
            "[127.0.0.1]:" + QByteArray::number(m_server->port()) + ' ' + fremderSchluessel + '\n'));
        kontoSpeichern(QStringLiteral("geheim"));
        zufallsdatei(QStringLiteral("x.jpg"), 100);

        Lauf lauf(m_datei);
        // A "Ja" to any question would let it through.
        lauf.dialoge.antworten = { true, true };
        QCOMPARE(lauf.lauf.ausfuehren(), Laufende::FensterOffen);
        const QList<GezeigteMeldung> warnung = lauf.meldungenMitTitel(QStringLiteral("Serverschlüssel geändert"));
        QCOMPARE(lauf.dialoge.meldungen.size(), 1);
        QCOMPARE(warnung.size(), 1);
        QCOMPARE(warnung[0].stil, Meldungsstil::Kritisch);
        QVERIFY2(warnung[0].text.contains(QString::fromLatin1("Gespeichert: " + fingerabdruckVon(fremderSchluessel))),
            qPrintable(warnung[0].text));
        QVERIFY2(
            warnung[0].text.contains(QString::fromLatin1("Jetzt: " + fingerabdruckVon(m_server->hostschluessel()))),
            qPrintable(warnung[0].text));
        QVERIFY(QDir(m_server->wurzel()).isEmpty());
        QVERIFY(!QFile::exists(eigeneKnownHosts()));
    }

    void passwortNurAufNachfrage()
    {
        bekannt();
        kontoSpeichern(QString());
        const QByteArray inhalt = zufallsdatei(QStringLiteral("p.jpg"), 3000);
        Lauf lauf(m_datei);
        lauf.dialoge.passwortAntworten = { QStringLiteral("geheim") };
        QCOMPARE(lauf.lauf.ausfuehren(), Laufende::Hochgeladen);
        QCOMPARE(lauf.dialoge.passwortAufforderungen.size(), 1);
        QVERIFY(lesen(m_server->wurzel() + QStringLiteral("/p.jpg")) == inhalt);
    }

    void rsaSchluesselBekommtSeinenHinweis()
    {
        SftpTestserver::Art art;
        art.passwort = false;
        m_server = std::make_unique<SftpTestserver>(art);
        QVERIFY(m_server->laeuft());
        bekannt();
        const QString schluessel = ssh() + QStringLiteral("/id_rsa");
        QVERIFY(schluesselErzeugen(schluessel, QStringLiteral("rsa")));
        QVERIFY(m_server->schluesselErlauben(schluessel + QStringLiteral(".pub")));
        kontoSpeichern(QString());
        zufallsdatei(QStringLiteral("r.jpg"), 100);

        Lauf lauf(m_datei);
        QCOMPARE(lauf.lauf.ausfuehren(), Laufende::FensterOffen);
        QVERIFY(lauf.dialoge.passwortAufforderungen.isEmpty());
        const QList<GezeigteMeldung> hinweis = lauf.meldungenMitTitel(QStringLiteral("RSA-Schlüssel abgelehnt"));
        QCOMPARE(hinweis.size(), 1);
        QVERIFY2(hinweis[0].text.contains(QStringLiteral("ed25519-Schlüssel")), qPrintable(hinweis[0].text));
        QVERIFY(QDir(m_server->wurzel()).isEmpty());
    }

    // Stopped once part of a large picture is on the server: what arrived goes,
    // or, where the server refuses to remove files, the run names it in its box.
    void abbruchEntferntDenRest_data()
    {
        QTest::addColumn<bool>("entfernbar");
        QTest::newRow("entfernt") << true;
        QTest::newRow("Entfernen verboten") << false;
    }

    void abbruchEntferntDenRest()
    {
        QFETCH(bool, entfernbar);
        if (!entfernbar) {
            SftpTestserver::Art art;
            art.verboteneAnfragen = "remove";
            m_server = std::make_unique<SftpTestserver>(art);
            QVERIFY(m_server->laeuft());
        }
        bekannt();
        kontoSpeichern(QStringLiteral("geheim"), QStringLiteral("bilder/"));
        QVERIFY(QDir(m_server->wurzel()).mkpath(QStringLiteral("bilder")));
        // Blanks and quotes must reach "rm" as part of the one name.
        zufallsdatei(QStringLiteral("gross \"1\".jpg"), 64 << 20);
        const QString ziel = m_server->wurzel() + QStringLiteral("/bilder/gross \"1\".jpg");

        Lauf lauf(m_datei);
        lauf.dialoge.antworten = { true };
        auto angekommen = std::make_shared<std::atomic<bool>>(false);
        lauf.status.abbrechenWenn = [ziel, angekommen] {
            if (!*angekommen && QFileInfo(ziel).size() > 0)
                *angekommen = true;
            return angekommen->load();
        };
        QCOMPARE(lauf.lauf.ausfuehren(), Laufende::Abgebrochen);
        QVERIFY(*angekommen);
        QVERIFY(lauf.status.texte.contains(QStringLiteral("Abgebrochen, entferne die Datei vom Server …")));
        QCOMPARE(QFileInfo::exists(ziel), !entfernbar);
        QStringList titel;
        for (const GezeigteMeldung& m : std::as_const(lauf.dialoge.meldungen))
            titel << m.titel;
        QStringList erwartet{ QStringLiteral("Datei sicher übertragen?") };
        if (!entfernbar)
            erwartet << QStringLiteral("Datei nicht entfernt");
        QCOMPARE(titel, erwartet);
        if (!entfernbar)
            QVERIFY2(lauf.dialoge.meldungen[1].text.contains(QStringLiteral("„bilder/gross \"1\".jpg“")),
                qPrintable(lauf.dialoge.meldungen[1].text));
    }

    // Stopped before the login, here at a server not known yet: nothing can
    // have reached it, so there is nothing to remove and no box to show.
    void abbruchVorDemLogin()
    {
        kontoSpeichern(QStringLiteral("geheim"));
        zufallsdatei(QStringLiteral("frueh.jpg"), 1000);
        Lauf lauf(m_datei);
        lauf.status.abbrechenBei = pruefeLogin;
        QCOMPARE(lauf.lauf.ausfuehren(), Laufende::Abgebrochen);
        QCOMPARE(lauf.dialoge.meldungen.size(), 0);
        QVERIFY(QDir(m_server->wurzel()).isEmpty());
        QVERIFY2(!m_server->protokoll().contains("Accepted"), m_server->protokoll().constData());
    }

    // Deleting a row of the history: by key without a word, as an upload logs
    // in; with nothing but a password, only after the prompt has asked for it.
    void ausDemVerlaufLoeschen()
    {
        bekannt();
        const QString schluessel = ssh() + QStringLiteral("/id_ed25519");
        QVERIFY(schluesselErzeugen(schluessel, QStringLiteral("ed25519")));
        QVERIFY(m_server->schluesselErlauben(schluessel + QStringLiteral(".pub")));
        kontoSpeichern(QString());
        QVERIFY(QDir(m_server->wurzel()).mkpath(QStringLiteral("bilder")));
        Verlaufseintrag zeile;
        zeile.modus = QStringLiteral("SFTP");
        zeile.server = QStringLiteral("sftp://") + m_server->adresse();
        zeile.benutzer = QStringLiteral("fotograf");
        zeile.entfernterPfad = QStringLiteral("bilder/a b.jpg");
        const QString datei = m_server->wurzel() + QStringLiteral("/bilder/a b.jpg");
        QVERIFY(loeschbar(zeile));
        Einstellungsspeicher speicher;
        OhneSchluesselbund schluesselbund;
        Passwortablage passwoerter(schluesselbund);
        QString fehlerText;

        QVERIFY(schreiben(datei, "x"));
        SkriptDialoge mitSchluessel;
        QCOMPARE(vomServerLoeschen(zeile, speicher, passwoerter, mitSchluessel, fehlerText), Loeschergebnis::Geloescht);
        QVERIFY(!QFile::exists(datei));
        QVERIFY(mitSchluessel.passwortAufforderungen.isEmpty());

        QVERIFY(QFile::remove(schluessel));
        QVERIFY(schreiben(datei, "x"));
        SkriptDialoge mitPasswort;
        mitPasswort.passwortAntworten = { QStringLiteral("geheim") };
        QCOMPARE(vomServerLoeschen(zeile, speicher, passwoerter, mitPasswort, fehlerText), Loeschergebnis::Geloescht);
        QVERIFY(!QFile::exists(datei));
        QCOMPARE(mitPasswort.passwortAufforderungen.size(), 1);

        // A server that takes no password is not asked for one.
        SftpTestserver::Art nurSchluessel;
        nurSchluessel.passwort = false;
        m_server = std::make_unique<SftpTestserver>(nurSchluessel);
        QVERIFY(m_server->laeuft());
        bekannt();
        zeile.server = QStringLiteral("sftp://") + m_server->adresse();
        const QString bleibt = m_server->wurzel() + QStringLiteral("/bilder/a b.jpg");
        QVERIFY(QDir(m_server->wurzel()).mkpath(QStringLiteral("bilder")) && schreiben(bleibt, "x"));
        SkriptDialoge ungefragt;
        QCOMPARE(vomServerLoeschen(zeile, speicher, passwoerter, ungefragt, fehlerText), Loeschergebnis::Gescheitert);
        QVERIFY(ungefragt.passwortAufforderungen.isEmpty());
        QVERIFY(QFile::exists(bleibt));
    }

private:
    QString ssh() const { return m_heim.filePath(QStringLiteral(".ssh")); }

    void bekannt()
    {
        QVERIFY(schreiben(ssh() + QStringLiteral("/known_hosts"),
            "[127.0.0.1]:" + QByteArray::number(m_server->port()) + ' ' + m_server->hostschluessel() + '\n'));
    }

    void kontoSpeichern(const QString& passwort, const QString& pfad = QString())
    {
        m_umgebung.speicherSetzen("FTPServer", QStringLiteral("sftp://") + m_server->adresse());
        m_umgebung.speicherSetzen("FTPLogin", "fotograf");
        m_umgebung.speicherSetzen("FTPPassword", passwort);
        m_umgebung.speicherSetzen("FTPPath", pfad);
        m_umgebung.speicherSetzen("URL", "http://www.example.org/bilder/");
    }

    QByteArray zufallsdatei(const QString& name, qsizetype groesse)
    {
        QByteArray bytes(groesse, Qt::Uninitialized);
        QRandomGenerator zufall(4711);
        zufall.fillRange(reinterpret_cast<quint32*>(bytes.data()), groesse / 4);
        for (qsizetype i = groesse / 4 * 4; i < groesse; ++i)
            bytes[i] = static_cast<char>(zufall.bounded(256));
        m_datei = m_umgebung.datei(name, 0);
        return schreiben(m_datei, bytes) ? bytes : QByteArray();
    }

    void agentStarten(const QString& schluessel)
    {
        const QString sockel = m_heim.filePath(QStringLiteral("agent.sock"));
        QFile::remove(sockel);
        m_agent = std::make_unique<QProcess>();
        endetMitDemTest(*m_agent);
        m_agent->start(QStringLiteral("ssh-agent"), { QStringLiteral("-D"), QStringLiteral("-a"), sockel });
        QVERIFY(m_agent->waitForStarted(30000));
        const QDeadlineTimer frist(30000);
        while (!QFile::exists(sockel) && !frist.hasExpired())
            QTest::qWait(20);
        qputenv("SSH_AUTH_SOCK", QFile::encodeName(sockel));
        QProcess hinzufuegen;
        hinzufuegen.start(QStringLiteral("ssh-add"), { QStringLiteral("-q"), schluessel });
        QVERIFY(hinzufuegen.waitForFinished(30000));
        QCOMPARE(hinzufuegen.exitCode(), 0);
    }

    Testumgebung m_umgebung;
    QTemporaryDir m_heim;
    std::unique_ptr<SftpTestserver> m_server;
    std::unique_ptr<QProcess> m_agent;
    QString m_datei;
};

QTEST_MAIN(TestSftp)
#include "test_sftp.moc"
