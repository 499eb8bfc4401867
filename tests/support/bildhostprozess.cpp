#include "bildhostprozess.h"

#include "httpskriptserver.h"
#include "kindprozess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTcpSocket>

BildhostProzess::BildhostProzess(const QString& programm, const QStringList& weitereArgumente)
{
    m_prozess.setProcessChannelMode(QProcess::SeparateChannels);
    endetMitDemTest(m_prozess);
    m_prozess.start(programm,
        QStringList{ QStringLiteral("--address"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
            QStringLiteral("0"), QStringLiteral("--storage"), ablage() }
            + weitereArgumente);
    const QRegularExpression startzeile(QStringLiteral("^bildhost: http://127\\.0\\.0\\.1:(\\d+)/"));
    const QDeadlineTimer frist(10000);
    while (!frist.hasExpired() && m_prozess.state() != QProcess::NotRunning) {
        if (m_prozess.canReadLine() || m_prozess.waitForReadyRead(100)) {
            const QByteArray zeile = m_prozess.readLine();
            m_ausgabe += zeile;
            const auto treffer = startzeile.match(QString::fromUtf8(zeile));
            if (treffer.hasMatch()) {
                m_port = treffer.captured(1).toUShort();
                return;
            }
        }
    }
}

BildhostProzess::~BildhostProzess()
{
    if (m_prozess.state() != QProcess::NotRunning) {
        m_prozess.kill();
        m_prozess.waitForFinished(5000);
    }
}

QString BildhostProzess::host() const
{
    return QStringLiteral("127.0.0.1:") + QString::number(m_port);
}

QString BildhostProzess::ablage() const
{
    return m_ordner.filePath(QStringLiteral("ablage"));
}

QString BildhostProzess::protokoll()
{
    m_ausgabe += m_prozess.readAllStandardOutput();
    return QString::fromUtf8(m_ausgabe);
}

QByteArray BildhostProzess::senden(const QByteArray& anfrage, const QHostAddress& von) const
{
    QTcpSocket verbindung;
    if (!verbindung.bind(von))
        return {};
    verbindung.connectToHost(QHostAddress::LocalHost, m_port);
    if (!verbindung.waitForConnected(5000))
        return {};
    verbindung.write(anfrage);
    QByteArray antwort;
    const QDeadlineTimer frist(15000);
    // Until the reply is complete: after refusing a body unread, the server keeps the connection a while.
    while (!frist.hasExpired() && verbindung.state() == QAbstractSocket::ConnectedState) {
        verbindung.waitForReadyRead(100);
        antwort += verbindung.readAll();
        const qsizetype laenge = httpLaenge(antwort);
        if (laenge >= 0 && antwort.size() >= laenge)
            return antwort;
    }
    return antwort + verbindung.readAll();
}

QByteArray BildhostProzess::formularSenden(const QByteArray& koerper) const
{
    return senden("POST / HTTP/1.0\r\nHost: " + host().toLatin1()
        + "\r\nContent-Type: multipart/form-data, boundary=AaB03x\r\nContent-Length: "
        + QByteArray::number(koerper.size()) + "\r\n\r\n" + koerper);
}

int BildhostProzess::anhalten()
{
    m_prozess.terminate();
    if (!m_prozess.waitForFinished(10000))
        return -1;
    return m_prozess.exitStatus() == QProcess::NormalExit ? m_prozess.exitCode() : -1;
}

int httpStatus(const QByteArray& antwort)
{
    const QList<QByteArray> statuszeile = antwort.left(antwort.indexOf("\r\n")).split(' ');
    return statuszeile.size() >= 2 ? statuszeile[1].toInt() : 0;
}
