#include "settings/einstellungstabelle.h"

#include <array>

std::span<const Einstellung> einstellungstabelle()
{
    using enum Wortregel;
    static const std::array<Einstellung, 12> tabelle = { {
        { QStringLiteral("FTPServer"), Texteinstellung{ &Optionen::FTPServer, Textfeld::FTPServer } },
        { QStringLiteral("FTPLogin"), Texteinstellung{ &Optionen::FTPLogin, Textfeld::FTPLogin } },
        { QStringLiteral("FTPPassword"), Texteinstellung{ &Optionen::FTPPassword, Textfeld::FTPPassword } },
        { QStringLiteral("FTPPath"),
            Texteinstellung{ &Optionen::FTPPath, Textfeld::FTPPath, Abschluss::Schraegstrich } },
        { QStringLiteral("FTPPassiv"), Hakeneinstellung{ &Optionen::FTPPassiv, Haken::FTPPassiv, NurFalschHaktAus } },
        { QStringLiteral("FTPProxy"), Texteinstellung{ &Optionen::FTPProxy, Textfeld::FTPProxy } },
        { QStringLiteral("FTPProxyPort"), Texteinstellung{ &Optionen::FTPProxyPort, Textfeld::FTPProxyPort } },
        { QStringLiteral("URL"), Texteinstellung{ &Optionen::URL, Textfeld::URL, Abschluss::Schraegstrich } },
        { QStringLiteral("FTPUseProxy"),
            Hakeneinstellung{ &Optionen::FTPUseProxy, Haken::FTPUseProxy, NurWahrHaktAn } },
        { QStringLiteral("LinkOption"), Optionseinstellung{ &Optionen::LinkOption } },
        { QStringLiteral("StatusfensterZeigen"),
            Hakeneinstellung{ &Optionen::StatusfensterZeigen, Haken::StatusfensterZeigen, NurFalschHaktAus } },
        { QStringLiteral("useIS"), Hakeneinstellung{ &Optionen::useIS, Haken::useIS, NurWahrHaktAn } },
    } };
    return tabelle;
}
