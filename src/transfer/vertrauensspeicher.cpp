#include "transfer/vertrauensspeicher.h"

#include "platform/privatedatei.h"

#include <QFile>
#include <QStandardPaths>

namespace {
QString konfigurationsordner()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/MorvaFotoschicker");
}
} // namespace

QString eigeneKnownHosts()
{
    return konfigurationsordner() + QStringLiteral("/known_hosts");
}

QString eigeneZertifikatsschluessel()
{
    return konfigurationsordner() + QStringLiteral("/zertifikatsschluessel");
}

bool vertrauenMerken(const Vertrauensfrage& frage, QString& grund)
{
    if (!privateDateiAnlegen(frage.datei, grund))
        return false;
    QFile datei(frage.datei);
    if (!datei.open(QIODevice::Append) || datei.write(frage.zeile + '\n') != frage.zeile.size() + 1 || !datei.flush()) {
        grund = datei.errorString();
        return false;
    }
    return true;
}
