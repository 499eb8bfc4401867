#pragma once

#include <QByteArray>
#include <QString>

// What the user was asked to trust after an upload stopped at an unknown
// server key or certificate: the line that makes it known, and its file.
struct Vertrauensfrage {
    QString datei;
    QByteArray zeile;
};

// The program's own known_hosts and its file of pinned certificate keys, in
// the folder of the settings store.
QString eigeneKnownHosts();
QString eigeneZertifikatsschluessel();

// Appends the line of frage to its file, which is created readable by its
// owner only. False with the system's reason in grund when it cannot be written.
bool vertrauenMerken(const Vertrauensfrage& frage, QString& grund);
