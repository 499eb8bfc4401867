#include "proxytestserver.h"

#include "kindprozess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {
quint16 freierPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

bool nimmtVerbindungenAn(quint16 port)
{
    QTcpSocket versuch;
    versuch.connectToHost(QHostAddress::LocalHost, port);
    return versuch.waitForConnected(200);
}
} // namespace

ProxyTestserver::ProxyTestserver(Art art)
    : m_art(art)
{
    if (art == Art::Http)
        tinyproxyStarten();
    else
        socksStarten();
}

void ProxyTestserver::socksStarten()
{
    m_prozess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endetMitDemTest(m_prozess);
    m_prozess.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral("-u"),
            qEnvironmentVariable("TEST_SOURCE_DIR") + QStringLiteral("/support/socks_testserver.py") });
    const QDeadlineTimer frist(30000);
    while (!frist.hasExpired() && !m_ausgabe.contains('\n') && m_prozess.waitForReadyRead(frist.remainingTime()))
        m_ausgabe += m_prozess.readAllStandardOutput();
    if (m_ausgabe.startsWith("PORT "))
        m_port = static_cast<quint16>(m_ausgabe.mid(5, m_ausgabe.indexOf('\n') - 5).toUInt());
    m_laeuft = m_port != 0;
}

void ProxyTestserver::tinyproxyStarten()
{
    m_port = freierPort();
    const QString konfiguration = m_ordner.filePath(QStringLiteral("tinyproxy.conf"));
    QFile datei(konfiguration);
    if (!datei.open(QIODevice::WriteOnly))
        return;
    datei.write("Port " + QByteArray::number(m_port)
        + "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 60\n"
          "MaxClients 20\nLogLevel Info\nLogFile \""
        + QFile::encodeName(m_ordner.filePath(QStringLiteral("log"))) + "\"\n");
    datei.close();
    m_prozess.setProcessChannelMode(QProcess::ForwardedChannels);
    endetMitDemTest(m_prozess);
    m_prozess.start(QStringLiteral("tinyproxy"), { QStringLiteral("-d"), QStringLiteral("-c"), konfiguration });
    const QDeadlineTimer frist(30000);
    while (!frist.hasExpired() && m_prozess.state() != QProcess::NotRunning && !m_laeuft) {
        m_laeuft = nimmtVerbindungenAn(m_port);
        if (!m_laeuft)
            QThread::msleep(50);
    }
}

ProxyTestserver::~ProxyTestserver()
{
    m_prozess.terminate();
    if (!m_prozess.waitForFinished(3000))
        m_prozess.kill();
    m_prozess.waitForFinished(3000);
}

QString ProxyTestserver::protokoll()
{
    if (m_art == Art::Socks5) {
        m_prozess.waitForReadyRead(200);
        m_ausgabe += m_prozess.readAllStandardOutput();
        return QString::fromUtf8(m_ausgabe);
    }
    QFile datei(m_ordner.filePath(QStringLiteral("log")));
    return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
}
