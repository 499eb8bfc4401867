#pragma once

#include <QString>

class Dialoge;
class Einstellungsspeicher;
class Passwortablage;
struct Verlaufseintrag;

enum class Loeschergebnis {
    Geloescht,
    Abgebrochen, // the user cancelled the password prompt
    Gescheitert, // fehlerText says why
};

// Whether the row's picture can be deleted from its server: sent by FTP, FTPES,
// FTPS or SFTP, or to an image host that gave a key, and not deleted yet.
bool loeschbar(const Verlaufseintrag& eintrag);

// Deletes the row's picture from its server. FTP takes the password as a run
// does: the settings file's when it names the row's server and login, else
// the keyring's for that account; without one the password prompt asks (for
// SFTP only once the agent and the keys were refused). The image host gets the key.
Loeschergebnis vomServerLoeschen(const Verlaufseintrag& eintrag, const Einstellungsspeicher& speicher,
    Passwortablage& passwoerter, Dialoge& dialoge, QString& fehlerText);
