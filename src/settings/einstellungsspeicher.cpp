#include "settings/einstellungsspeicher.h"

#include "platform/privatedatei.h"

#include <QSettings>
#include <QStringList>

namespace {
const QString anwendung = QStringLiteral("MorvaFotoschicker");
const QString gruppe = QStringLiteral("Optionen");
} // namespace

QString Einstellungsspeicher::lesen(const QString& schluessel) const
{
    QSettings speicher(QSettings::NativeFormat, QSettings::UserScope, anwendung, anwendung);
    const QVariant wert = speicher.value(gruppe + u'/' + schluessel);
    // A hand-edited INI line with an unquoted comma reads back as a list.
    if (wert.typeId() == QMetaType::QStringList)
        return wert.toStringList().join(QStringLiteral(", "));
    return wert.toString();
}

bool Einstellungsspeicher::schreiben(const QList<QPair<QString, QString>>& werte)
{
    QSettings speicher(QSettings::NativeFormat, QSettings::UserScope, anwendung, anwendung);
    // QSettings replaces the file through a temporary one and keeps the mode
    // of an existing file, so creating it private first keeps the password private.
    if (!privateDateiAnlegen(speicher.fileName()))
        return false;
    speicher.beginGroup(gruppe);
    for (const auto& [schluessel, wert] : werte)
        speicher.setValue(schluessel, wert);
    speicher.endGroup();
    speicher.sync();
    return speicher.status() == QSettings::NoError;
}
