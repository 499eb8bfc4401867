#pragma once

#include <QString>

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
    int LinkOption = 2;
    bool StatusfensterZeigen = true;
    // Set when the command line held parameters; the record is then never written to the store.
    bool parameterModus = false;
};
