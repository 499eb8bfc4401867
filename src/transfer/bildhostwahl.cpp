#include "transfer/bildhostwahl.h"

#include "settings/optionen.h"
#include "transfer/imagehost.h"

#include <QUrl>

QString bildhost(const Optionen& optionen)
{
    const QString gespeichert = optionen.imageHost.trimmed();
    return gespeichert.isEmpty() ? imageHost() : gespeichert;
}

std::optional<QByteArray> bildhostBasis(const QString& host)
{
    const bool mitSchema = host.contains(QStringLiteral("://"));
    const QUrl adresse(mitSchema ? host : QStringLiteral("http://") + host, QUrl::StrictMode);
    const QString schema = adresse.scheme();
    if (!adresse.isValid() || (schema != QStringLiteral("http") && schema != QStringLiteral("https"))
        || adresse.host().isEmpty() || !adresse.userInfo().isEmpty()
        || (!adresse.path().isEmpty() && adresse.path() != QStringLiteral("/")) || adresse.hasQuery()
        || adresse.hasFragment() || adresse.port() == 0)
        return std::nullopt;
    // What QUrl tolerates must still be exactly what was written, less the scheme's case.
    QString geschrieben = mitSchema ? host.mid(host.indexOf(QStringLiteral("://")) + 3) : host;
    if (geschrieben.endsWith(u'/'))
        geschrieben.chop(1);
    if (adresse.authority() != geschrieben.toLower())
        return std::nullopt;
    return (schema + QStringLiteral("://") + adresse.authority(QUrl::FullyEncoded)).toLatin1();
}
