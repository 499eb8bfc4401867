#pragma once

#include <QString>
#include <optional>

struct Bilddatei;
struct Optionen;

// What the after-upload action hands out.
struct Linkwahl {
    // The picture's web address, or "" when none can be formed (FTP mode without URL).
    QString adresse;
    // The text for the clipboard; none when the clipboard must stay untouched.
    std::optional<QString> zwischenablage;
};

// Decides by mode and LinkOption. bildhostLink is the address the image host
// answered with ("" in FTP mode, where the address is built from URL).
Linkwahl linkWaehlen(const QString& bildhostLink, const Bilddatei& datei, const Optionen& optionen);
