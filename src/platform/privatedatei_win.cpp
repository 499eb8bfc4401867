#include "platform/privatedatei.h"

#include <QSettings>

// The registry key of the current user is private already, and no file.

QString speicherort(const QString& anwendung)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, anwendung, anwendung).fileName();
}

bool privateDateiAnlegen(const QString&, QString&)
{
    return true;
}

bool istPrivat(const QString&)
{
    return true;
}

QString lesefehler(const QString&, QByteArray&)
{
    return QString();
}
