#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// tinyproxy on 127.0.0.1 for one test, in the foreground with its own
// configuration: only loopback clients, CONNECT to any port (an FTP upload
// tunnels its control and data connections through it).
class ProxyTestserver {
public:
    ProxyTestserver();
    ~ProxyTestserver();
    ProxyTestserver(const ProxyTestserver&) = delete;
    ProxyTestserver& operator=(const ProxyTestserver&) = delete;

    bool laeuft() const { return m_laeuft; }
    quint16 port() const { return m_port; }
    // What the proxy logged so far; every tunnel shows up as a CONNECT line.
    QString protokoll() const;

private:
    QTemporaryDir m_ordner;
    QProcess m_prozess;
    quint16 m_port = 0;
    bool m_laeuft = false;
};
