// Which known_hosts lines name a server: the forms OpenSSH writes and reads.

#include "transfer/hostschluessel.h"

#include <QMessageAuthenticationCode>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray ed25519 = "AAAAC3NzaC1lZDI1NTE5AAAAIJqoSAnbJYyZRncUmsYaxDfsAbu/gtM5E7rOlCPO9fkC";

QByteArray gehasht(const QByteArray& name)
{
    const QByteArray salz = QByteArray::fromHex("00112233445566778899aabbccddeeff00112233");
    return "|1|" + salz.toBase64() + '|'
        + QMessageAuthenticationCode::hash(name, salz, QCryptographicHash::Sha1).toBase64();
}
} // namespace

class TestHostschluessel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void zeileNenntDenServer_data()
    {
        QTest::addColumn<QByteArray>("hosts");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("passt");

        QTest::newRow("Name, Port 22") << QByteArray("sftp.example.org") << "sftp.example.org" << 22 << true;
        QTest::newRow("Name, anderer Port") << QByteArray("sftp.example.org") << "sftp.example.org" << 2222 << false;
        QTest::newRow("[Name]:Port") << QByteArray("[sftp.example.org]:2222") << "sftp.example.org" << 2222 << true;
        QTest::newRow("[Name]:22") << QByteArray("[sftp.example.org]:22") << "sftp.example.org" << 22 << true;
        QTest::newRow("Liste, Groß/klein")
            << QByteArray("a.example,SFTP.Example.org") << "sftp.example.org" << 22 << true;
        QTest::newRow("Muster *") << QByteArray("*.example.org") << "sftp.example.org" << 22 << true;
        QTest::newRow("Muster ?") << QByteArray("[10.0.0.?]:2222") << "10.0.0.7" << 2222 << true;
        QTest::newRow("verneint") << QByteArray("*.example.org,!sftp.example.org") << "sftp.example.org" << 22 << false;
        QTest::newRow("gehasht") << gehasht("[127.0.0.1]:2222") << "127.0.0.1" << 2222 << true;
        QTest::newRow("gehasht, anderer Port") << gehasht("[127.0.0.1]:2222") << "127.0.0.1" << 2223 << false;
        QTest::newRow("Markierung") << QByteArray("@revoked sftp.example.org") << "sftp.example.org" << 22 << false;
    }

    void zeileNenntDenServer()
    {
        QFETCH(QByteArray, hosts);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(bool, passt);

        QTemporaryDir ordner;
        const QString pfad = ordner.filePath(QStringLiteral("known_hosts"));
        QFile datei(pfad);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("# Kommentar\n\n" + hosts + " ssh-ed25519 " + ed25519 + " kommentar\n");
        datei.close();

        const QList<Hostschluessel> gefunden = bekannteSchluessel({ pfad, ordner.filePath("fehlt") }, host, port);
        QCOMPARE(gefunden.size(), passt ? 1 : 0);
        if (passt)
            QCOMPARE(gefunden[0].typ, QByteArray("ssh-ed25519"));
    }
};

QTEST_GUILESS_MAIN(TestHostschluessel)
#include "test_hostschluessel.moc"
