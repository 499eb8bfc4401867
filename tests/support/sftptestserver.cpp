#include "sftptestserver.h"

#include "kindprozess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QThread>

namespace {
// The password "geheim", hashed once with a fixed salt (openssl passwd -6).
const QByteArray passwortHash
    = "$6$fotoschi$H0jODdNCaYlTod.uMJsU3.PovwpT1dg105yf4h12slZdL.cRFcG82gLIV6V3NsXZNLybNYNjpbnCpkFxd6gqJ1";

bool schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile datei(pfad);
    return datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size();
}

QByteArray lesen(const QString& pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

quint16 freierPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}
} // namespace

bool schluesselErzeugen(const QString& pfad, const QString& typ, const QString& passphrase)
{
    QFile::remove(pfad);
    QFile::remove(pfad + QStringLiteral(".pub"));
    QProcess keygen;
    keygen.start(QStringLiteral("ssh-keygen"),
        { QStringLiteral("-q"), QStringLiteral("-t"), typ, QStringLiteral("-N"), passphrase, QStringLiteral("-C"),
            QStringLiteral("test"), QStringLiteral("-f"), pfad });
    return keygen.waitForFinished(30000) && keygen.exitStatus() == QProcess::NormalExit && keygen.exitCode() == 0;
}

SftpTestserver::SftpTestserver(const Art& art)
{
    const QDir ordner(m_ordner.path());
    for (const char* name : { "home", "run/sshd" })
        ordner.mkpath(QString::fromLatin1(name));
    QFile::setPermissions(ordner.filePath(QStringLiteral("run/sshd")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray home = QFile::encodeName(wurzel());
    // uid 0: the test runs as root, and sshd can switch to no other user without it.
    const bool konten = schreiben(ordner.filePath(QStringLiteral("passwd")),
                            lesen(QStringLiteral("/etc/passwd")) + "fotograf:x:0:0:Fotograf:" + home + ":/bin/sh\n")
        && schreiben(ordner.filePath(QStringLiteral("shadow")),
            lesen(QStringLiteral("/etc/shadow")) + "fotograf:" + passwortHash + ":20000:0:99999:7:::\n")
        && schreiben(ordner.filePath(QStringLiteral("authorized_keys")), QByteArray());
    if (!konten || !schluesselErzeugen(ordner.filePath(QStringLiteral("hostkey")), QStringLiteral("ed25519")))
        return;

    const QByteArray pfad = QFile::encodeName(m_ordner.path());
    const QByteArray konfiguration = "ListenAddress 127.0.0.1\n"
                                     "HostKey "
        + pfad
        + "/hostkey\n"
          "PidFile none\n"
          "UsePAM no\n"
          "PermitRootLogin yes\n"
          "StrictModes no\n"
          "KbdInteractiveAuthentication no\n"
          "PasswordAuthentication "
        + (art.passwort ? "yes" : "no")
        + "\n"
          "AuthorizedKeysFile "
        + pfad
        + "/authorized_keys\n"
          "Subsystem sftp internal-sftp"
        + (art.verboteneAnfragen.isEmpty() ? QByteArray() : " -P " + art.verboteneAnfragen)
        + "\n"
          "LogLevel VERBOSE\n";
    if (!schreiben(ordner.filePath(QStringLiteral("sshd_config")), konfiguration))
        return;
    // Another program may take the port between asking and binding: then the next one.
    for (int versuch = 0; versuch < 5 && m_port == 0; ++versuch)
        if (const quint16 port = freierPort(); port != 0 && starten(port))
            m_port = port;
}

bool SftpTestserver::starten(quint16 port)
{
    const QString pfad = m_ordner.path();
    const QString befehl = QStringLiteral("mount --bind '%1/passwd' /etc/passwd && mount --bind '%1/shadow' /etc/shadow"
                                          " && mount --bind '%1/run' /run && exec /usr/sbin/sshd -D -e -f "
                                          "'%1/sshd_config' -o Port=%2")
                               .arg(pfad)
                               .arg(port);
    m_prozess.setProcessChannelMode(QProcess::MergedChannels);
    endetMitDemTest(m_prozess);
    m_prozess.start(QStringLiteral("unshare"),
        { QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"), QStringLiteral("sh"),
            QStringLiteral("-c"), befehl });
    if (!m_prozess.waitForStarted(30000))
        return false;
    const QDeadlineTimer frist(30000);
    while (
        !m_ausgabe.contains("Server listening on") && m_prozess.state() == QProcess::Running && !frist.hasExpired()) {
        m_prozess.waitForReadyRead(100);
        m_ausgabe += m_prozess.readAll();
    }
    if (m_ausgabe.contains("Server listening on"))
        return true;
    m_prozess.kill();
    m_prozess.waitForFinished(30000);
    qWarning("sshd: %s", m_ausgabe.constData());
    m_ausgabe.clear();
    return false;
}

SftpTestserver::~SftpTestserver()
{
    m_prozess.kill();
    m_prozess.waitForFinished(30000);
}

QString SftpTestserver::adresse() const
{
    return QStringLiteral("127.0.0.1:") + QString::number(m_port);
}

QByteArray SftpTestserver::hostschluessel() const
{
    const QList<QByteArray> felder = lesen(m_ordner.filePath(QStringLiteral("hostkey.pub"))).split(' ');
    return felder.size() >= 2 ? felder.at(0) + ' ' + felder.at(1) : QByteArray();
}

bool SftpTestserver::schluesselErlauben(const QString& oeffentlicherSchluessel)
{
    QFile datei(m_ordner.filePath(QStringLiteral("authorized_keys")));
    const QByteArray zeile = lesen(oeffentlicherSchluessel);
    return !zeile.isEmpty() && datei.open(QIODevice::Append) && datei.write(zeile) == zeile.size();
}

QByteArray SftpTestserver::protokoll()
{
    m_ausgabe += m_prozess.readAll();
    return m_ausgabe;
}
