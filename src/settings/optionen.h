#pragma once

#include <QString>

// What goes to the clipboard after an upload: the option group of the settings
// window. The store keeps the number; KeineAuswahl is what a group with no
// option selected reports, and leaves the clipboard alone like Nichts.
enum class Zwischenablageinhalt { KeineAuswahl = -1, Nichts = 0, Adresse = 1, HtmlCode = 2 };

// Everything one run works with. Filled from the settings window's controls;
// command-line parameters may overwrite five fields for one run.
struct Optionen {
    bool useIS = false;
    QString FTPServer;
    QString FTPLogin;
    QString FTPPassword;
    QString FTPPath;
    bool FTPUseProxy = false;
    QString FTPProxy;
    QString FTPProxyPort;
    bool FTPPassiv = true;
    QString URL;
    Zwischenablageinhalt LinkOption = Zwischenablageinhalt::HtmlCode;
    bool StatusfensterZeigen = true;
    // The store's image host as written, never shown in the window nor written
    // back; empty for the one built into the program (see bildhost()).
    QString imageHost;
    // Set when the command line held parameters; the record is then never written to the store.
    bool parameterModus = false;
    // Set when the command line gave the password; the run then looks up none.
    bool passwortAusParameter = false;
};
