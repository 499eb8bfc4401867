#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The per-user store: group "Optionen" of the application "MorvaFotoschicker".
// On Linux an INI file under $XDG_CONFIG_HOME, on Windows the registry.
class Einstellungsspeicher {
public:
    // An absent key reads as the empty string.
    QString lesen(const QString& schluessel) const;

    // Writes all given keys in one go. The file never holds a half-written
    // state and is readable by its owner only, since it keeps the password.
    bool schreiben(const QList<QPair<QString, QString>>& werte);
};
