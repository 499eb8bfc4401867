#include "platform/shortpath.h"

#include "text/textfunktionen.h"

#include <windows.h>

#include <vector>

QString ShortPath(QString& path)
{
    path = ohneAnfuehrungszeichen(path);
    if (path.isEmpty())
        return QString();
    const std::wstring lang = path.toStdWString();
    // Ask for the needed size first, so a short form of any length fits.
    DWORD noetig = GetShortPathNameW(lang.c_str(), nullptr, 0);
    if (noetig == 0)
        return QString();
    std::vector<wchar_t> puffer(noetig);
    const DWORD n = GetShortPathNameW(lang.c_str(), puffer.data(), noetig);
    if (n == 0 || n >= noetig)
        return QString();
    return QString::fromWCharArray(puffer.data(), static_cast<qsizetype>(n));
}
