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
    virtual QString bildhostUpload(const Bilddatei& datei, Statusanzeige& status, QString& fehlerText) = 0;
};
