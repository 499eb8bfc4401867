#pragma once

#include <QString>

class Dialoge;
class Einstellungsspeicher;
struct Verlaufseintrag;

enum class Loeschergebnis {
    Geloescht,
    Abgebrochen, // the user cancelled the password prompt
    Gescheitert, // fehlerText says why
};

// Whether the row's picture can be deleted from its server: sent by FTP, or
// to an image host that gave a key, and not deleted yet.
bool loeschbar(const Verlaufseintrag& eintrag);

// Deletes the row's picture from its server. FTP takes the account stored in
// the settings when it is the row's server and login and holds a password;
// otherwise the password prompt asks for it. The image host gets the key.
Loeschergebnis vomServerLoeschen(
    const Verlaufseintrag& eintrag, const Einstellungsspeicher& speicher, Dialoge& dialoge, QString& fehlerText);
