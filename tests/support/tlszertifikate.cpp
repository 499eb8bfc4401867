#include "tlszertifikate.h"

#include <QFile>
#include <QProcess>

TlsZertifikate::TlsZertifikate()
{
    QProcess skript;
    skript.setProcessChannelMode(QProcess::ForwardedChannels);
    skript.start(QStringLiteral("/usr/bin/python3"),
        { qEnvironmentVariable("TEST_SOURCE_DIR") + QStringLiteral("/support/tls_zertifikate.py"), m_ordner.path() });
    m_bereit = skript.waitForFinished(30000) && skript.exitStatus() == QProcess::NormalExit && skript.exitCode() == 0
        && QFile::exists(ca());
}

void TlsZertifikate::vertrauen(const QString& caDatei, const QString& caOrdner)
{
    const auto setzen = [](const char* name, const QString& wert) {
        if (wert.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, QFile::encodeName(wert));
    };
    setzen("SSL_CERT_FILE", caDatei);
    setzen("SSL_CERT_DIR", caOrdner);
    qunsetenv("CURL_CA_BUNDLE");
}
