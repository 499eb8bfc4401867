#pragma once

#include "settings/optionen.h"

#include <QString>

// The text boxes of the settings window, named after the setting each carries.
enum class Textfeld { FTPServer, FTPLogin, FTPPassword, FTPPath, FTPProxy, FTPProxyPort, URL };

// Its check boxes, named likewise.
enum class Haken { FTPUseProxy, FTPPassiv, StatusfensterZeigen, useIS };

// The controls of the settings window that carry the settings between the
// store and Optionen: the text boxes, the check boxes and the option group.
class Steuerelemente {
public:
    virtual ~Steuerelemente() = default;

    virtual QString text(Textfeld feld) const = 0;
    virtual void setText(Textfeld feld, const QString& text) = 0;
    virtual bool istAngehakt(Haken haken) const = 0;
    virtual void setAngehakt(Haken haken, bool angehakt) = 0;
    // KeineAuswahl selects nothing and leaves the group as it is.
    virtual void optionWaehlen(Zwischenablageinhalt option) = 0;
    // KeineAuswahl when no option is selected.
    virtual Zwischenablageinhalt aktiveOptionFinden() const = 0;

    // The enabling rules that a click on "Proxy verwenden" and on the image-host box runs.
    virtual void proxyRegelAnwenden() = 0;
    virtual void bildhostRegelAnwenden() = 0;
};
