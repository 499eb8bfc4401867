#pragma once

#include <QString>
#include <QTemporaryDir>

// A private home for one test program: its own settings store and runtime
// directory, so no test reads or writes the user's real settings.
class Testumgebung {
public:
    Testumgebung();

    QString konfigurationsordner() const;
    QString speicherDatei() const;
    // Empties the settings store.
    void speicherLeeren();
    // Writes one key of group "Optionen" directly, as a hand-edited store would hold it.
    void speicherSetzen(const QString& schluessel, const QString& wert);
    // The store's keys of group "Optionen" and their texts.
    QMap<QString, QString> speicherInhalt() const;
    // A file of the given size in a fresh temporary folder; sparse, so large sizes cost nothing.
    QString datei(const QString& name, qint64 groesse);

private:
    QTemporaryDir m_ordner;
};
