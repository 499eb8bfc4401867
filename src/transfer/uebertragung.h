#pragma once

#include <QString>

struct Bilddatei;
struct Optionen;
class Statusanzeige;

// How an FTP upload ended.
enum class FtpErgebnis {
    Hochgeladen,
    Gescheitert, // fehlerText names the step that failed
    ZertifikatAbgelehnt, // the server's certificate is not trusted; fehlerText is the whole sentence
    // The server's key or certificate is not known yet: fehlerText is the
    // question; Uebertragung::vertrauen() after "Ja" lets the next upload through.
    Rueckfrage,
    SchluesselGeaendert, // the server's key is not the stored one; fehlerText is the warning
    PasswortFehlt, // SFTP: the server asks for a password and none is stored
    RsaSchluessel, // SFTP: the login failed and an RSA key was refused; fehlerText says what to do
    Abgebrochen, // the user stopped it, and nothing of the picture is left on the server
    RestGeblieben, // the user stopped it, but what reached the server could not be removed; fehlerText names it
};

// The two ways a picture leaves the machine. Both report progress through the
// status display and close it before they return.
class Uebertragung {
public:
    virtual ~Uebertragung() = default;

    virtual FtpErgebnis ftpUpload(
        const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
        = 0;

    // The picture's web address, or "" on failure (fehlerText then usually says why).
    virtual QString bildhostUpload(
        const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
        = 0;

    // Stores the key or certificate the last ftpUpload asked about with
    // Rueckfrage. False with the system's reason in grund when it cannot.
    virtual bool vertrauen(QString& grund) = 0;

    // The image host's key for deleting the picture of the last successful
    // bildhostUpload; "" when the host gave none.
    virtual QString loeschschluessel() const { return {}; }
};
