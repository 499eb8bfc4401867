#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The per-user store: group "Optionen" of the application "MorvaFotoschicker".
// On Linux an INI file under $XDG_CONFIG_HOME, on Windows the registry.
class Einstellungsspeicher {
public:
    using Werte = QList<QPair<QString, QString>>;

    // Where the store lives, as a message names it: the file, or the registry path.
    QString ort() const;

    // Why the store cannot be read, in the system's words; empty when it can be
    // or does not exist yet (the first start).
    QString lesefehler() const;

    // An absent key reads as the empty string.
    QString lesen(const QString& schluessel) const;

    // The given keys from one reading and one check of the store: a run reads all its
    // settings at once. With the reason in lesefehler, and every value empty, when the
    // store cannot be read.
    QHash<QString, QString> lesen(const QStringList& schluessel, QString& lesefehler) const;

    // Writes all given keys in one go. The file never holds a half-written
    // state and is readable by its owner only, since it keeps the password.
    // A store that already holds exactly these values privately is left as it
    // is, so one the user keeps read-only costs nothing. False with the
    // system's reason in grund when the store cannot be written; a store that
    // cannot be read is never written over.
    bool schreiben(const Werte& werte, QString& grund);
};
