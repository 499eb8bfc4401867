#pragma once

#include <QString>

// The maker's web pages that the settings window links to.
namespace Herstellerseiten {
// The page that lists the maker's programs.
QString programmseite();
// The same page, at the entry of the Verweiswerk tool.
QString verweiswerkseite();
// The maker's address as the window shows it.
QString anzeigeadresse();
} // namespace Herstellerseiten
