#pragma once

#include <QString>

struct Optionen;
class Statusanzeige;

// How an FTP upload ended.
enum class FtpErgebnis {
    Hochgeladen,
    Gescheitert, // fehlerText names the step that failed
    ZertifikatAbgelehnt, // the server's certificate is not trusted; fehlerText is the whole sentence
};

// The two ways a picture leaves the machine. Both take the path as the run
// settled it (quotes removed, or kept where they belong to the name), leave it
// in its short form, report progress through the status display and close it
// before they return.
class Uebertragung {
public:
    virtual ~Uebertragung() = default;

    virtual FtpErgebnis ftpUpload(QString& path, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
        = 0;

    // The picture's web address, or "" on failure (fehlerText then usually says why).
    virtual QString bildhostUpload(QString& path, Statusanzeige& status, QString& fehlerText) = 0;
};
