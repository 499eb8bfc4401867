#include "httpskriptserver.h"

#include <QTcpSocket>
#include <QTimer>

HttpSkriptServer::HttpSkriptServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* verbindung = m_server.nextPendingConnection()) {
            verbindung->setParent(this);
            connect(verbindung, &QTcpSocket::readyRead, this, [this, verbindung] { lesen(verbindung); });
        }
    });
    seiteAntworten("<html><body>ok</body></html>");
}

QString HttpSkriptServer::host() const
{
    return QStringLiteral("127.0.0.1:") + QString::number(port());
}

void HttpSkriptServer::seiteAntworten(const QByteArray& seite, int status)
{
    m_antwort = "HTTP/1.0 " + QByteArray::number(status) + " Skript\r\nContent-Type: text/html\r\nContent-Length: "
        + QByteArray::number(seite.size()) + "\r\n\r\n" + seite;
}

void HttpSkriptServer::lesen(QTcpSocket* verbindung)
{
    QByteArray& eingang = m_eingang[verbindung];
    eingang += verbindung->readAll();
    const qsizetype laenge = httpLaenge(eingang);
    if (laenge < 0 || eingang.size() < laenge)
        return;
    anfragen.append(eingang);
    m_eingang.remove(verbindung);
    if (m_schweigen)
        return;
    if (m_troepfeln)
        return troepfelnAuf(verbindung);
    verbindung->write(m_antwort);
    verbindung->disconnectFromHost();
}

void HttpSkriptServer::troepfelnAuf(QTcpSocket* verbindung)
{
    verbindung->write("HTTP/1.0 200 Skript\r\nContent-Type: text/html\r\n\r\n<html><body>");
    auto* takt = new QTimer(verbindung);
    connect(takt, &QTimer::timeout, verbindung, [verbindung, takt, tropfen = 0]() mutable {
        if (++tropfen > 600 || verbindung->state() != QAbstractSocket::ConnectedState) {
            takt->stop();
            verbindung->disconnectFromHost();
            return;
        }
        verbindung->write("x");
    });
    takt->start(100);
}

HttpNachricht httpZerlegen(const QByteArray& roh)
{
    const qsizetype kopfende = roh.indexOf("\r\n\r\n");
    if (kopfende < 0)
        return { roh, {} };
    return { roh.left(kopfende + 2), roh.mid(kopfende + 4) };
}

qsizetype httpLaenge(const QByteArray& roh)
{
    const qsizetype kopfende = roh.indexOf("\r\n\r\n");
    if (kopfende < 0)
        return -1;
    qsizetype koerperlaenge = 0;
    for (const QByteArray& zeile : roh.left(kopfende).split('\n')) {
        if (zeile.toLower().startsWith("content-length:"))
            koerperlaenge = zeile.mid(15).trimmed().toLongLong();
    }
    return kopfende + 4 + koerperlaenge;
}
