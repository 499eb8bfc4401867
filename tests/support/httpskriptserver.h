#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// A web server on 127.0.0.1 that keeps the raw bytes of every request, as
// they arrive at the socket, and answers each complete one with a scripted
// reply. It runs on the test's thread, so it serves while the code under test
// waits in an event loop.
class HttpSkriptServer : public QObject {
    Q_OBJECT
public:
    HttpSkriptServer();

    quint16 port() const { return m_server.serverPort(); }
    // "127.0.0.1:PORT", as a host for the upload.
    QString host() const;

    // Answers with this page under the given status, then closes the connection.
    void seiteAntworten(const QByteArray& seite, int status = 200);
    // Never answers and keeps the connection open.
    void schweigen() { m_schweigen = true; }
    // Answers with a head, then one byte of page every 100 ms, never done;
    // hangs up by itself after a minute.
    void troepfeln() { m_troepfeln = true; }

    // Every complete request: head and body exactly as received.
    QList<QByteArray> anfragen;

private:
    void lesen(QTcpSocket* verbindung);
    void troepfelnAuf(QTcpSocket* verbindung);

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_eingang;
    QByteArray m_antwort;
    bool m_schweigen = false;
    bool m_troepfeln = false;
};

// Splits a raw HTTP message at its blank line; the head keeps its last CR LF.
struct HttpNachricht {
    QByteArray kopf;
    QByteArray koerper;
};
HttpNachricht httpZerlegen(const QByteArray& roh);

// The length of a complete HTTP message by its Content-Length (0 without);
// -1 while its head is not complete.
qsizetype httpLaenge(const QByteArray& roh);
