#include "platform/shortpath.h"

#include <windows.h>

#include <vector>

QString ShortPath(const QString& pfad)
{
    if (pfad.isEmpty())
        return QString();
    const std::wstring lang = pfad.toStdWString();
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
