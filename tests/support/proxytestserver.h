#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A proxy on 127.0.0.1 for one test. HTTP: tinyproxy in the foreground with
// its own configuration, only loopback clients, CONNECT to any port (an FTP
// upload tunnels its control and data connections through it). SOCKS5:
// tests/support/socks_testserver.py, which connects to 127.0.0.1 only.
class ProxyTestserver {
public:
    enum class Art { Http, Socks5 };

    explicit ProxyTestserver(Art art = Art::Http);
    ~ProxyTestserver();
    ProxyTestserver(const ProxyTestserver&) = delete;
    ProxyTestserver& operator=(const ProxyTestserver&) = delete;

    bool laeuft() const { return m_laeuft; }
    quint16 port() const { return m_port; }
    // What the proxy logged so far; every tunnel shows up as a "CONNECT host:port" line.
    QString protokoll();

private:
    void tinyproxyStarten();
    void socksStarten();

    QTemporaryDir m_ordner;
    QProcess m_prozess;
    quint16 m_port = 0;
    bool m_laeuft = false;
    Art m_art;
    QByteArray m_ausgabe;
};
