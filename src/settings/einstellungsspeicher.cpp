#include "settings/einstellungsspeicher.h"

#include "platform/privatedatei.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace {
const QString anwendung = QStringLiteral("MorvaFotoschicker");
const QString gruppe = QStringLiteral("Optionen");

QSettings oeffnen()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, anwendung, anwendung);
}

QString text(const QVariant& wert)
{
    // A hand-edited INI line with an unquoted comma reads back as a list.
    const QString gelesen
        = wert.typeId() == QMetaType::QStringList ? wert.toStringList().join(QStringLiteral(", ")) : wert.toString();
    // A hand-made "@Variant(…)" can decode to a type whose text holds a lone
    // surrogate, which the UTF-8 file cannot keep: the rewrite would store
    // another setting than the one loaded. Taken as the file would keep it.
    return gelesen.isValidUtf16() ? gelesen : QString::fromUtf8(gelesen.toUtf8());
}

bool haeltSchon(const QSettings& speicher, const Einstellungsspeicher::Werte& werte)
{
    return std::all_of(werte.begin(), werte.end(), [&speicher](const auto& paar) {
        const QString schluessel = gruppe + u'/' + paar.first;
        return speicher.contains(schluessel) && text(speicher.value(schluessel)) == paar.second;
    });
}
} // namespace

QString Einstellungsspeicher::ort() const
{
    return oeffnen().fileName();
}

QString Einstellungsspeicher::lesefehler() const
{
    const QSettings speicher = oeffnen();
    if (speicher.status() != QSettings::AccessError)
        return QString();
    const QString grund = ::lesefehler(speicher.fileName());
    return grund.isEmpty() ? QStringLiteral("Zugriff verweigert") : grund;
}

QString Einstellungsspeicher::lesen(const QString& schluessel) const
{
    return text(oeffnen().value(gruppe + u'/' + schluessel));
}

bool Einstellungsspeicher::schreiben(const Werte& werte, QString& grund)
{
    QSettings speicher = oeffnen();
    if (speicher.status() == QSettings::AccessError) {
        grund = lesefehler();
        return false;
    }
    if (haeltSchon(speicher, werte) && istPrivat(speicher.fileName()))
        return true;
    // QSettings replaces the file through a temporary one and keeps the mode
    // of an existing file, so creating it private first keeps the password private.
    if (!privateDateiAnlegen(speicher.fileName(), grund))
        return false;
    speicher.beginGroup(gruppe);
    for (const auto& [schluessel, wert] : werte)
        speicher.setValue(schluessel, wert);
    speicher.endGroup();
    speicher.sync();
    // A format error only tells of the file that was there (an editor's byte-order mark is enough, and
    // Qt may notice it first while merging in sync()); the file is written all the same.
    if (speicher.status() != QSettings::AccessError)
        return true;
    grund = QStringLiteral("Schreibfehler");
    return false;
}
