#pragma once

#include <QString>
#include <QTemporaryDir>

// Certificates made fresh for one test program by tests/support/tls_zertifikate.py:
// an authority of the test's own, and server certificates signed by it or not.
class TlsZertifikate {
public:
    TlsZertifikate();

    bool bereit() const { return m_bereit; }
    // "server.pem" (for 127.0.0.1), "fremder-name.pem", "unbekannt.pem", "abgelaufen.pem",
    // "unbekannt-abgelaufen.pem":
    // certificate and key of a server.
    QString datei(const QString& name) const { return m_ordner.filePath(name); }
    // The test's authority as a file, and as a folder in OpenSSL's lookup form.
    QString ca() const { return datei(QStringLiteral("ca.pem")); }
    QString caOrdner() const { return datei(QStringLiteral("ca-ordner")); }

    // Sets the variables that name a TLS client's trusted authorities, for this
    // process and its children: SSL_CERT_FILE and SSL_CERT_DIR as given (unset
    // when empty) and CURL_CA_BUNDLE unset, so none of this machine's own leak in.
    static void vertrauen(const QString& caDatei, const QString& caOrdner = QString());

private:
    QTemporaryDir m_ordner;
    bool m_bereit = false;
};
