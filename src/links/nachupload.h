#pragma once

#include <QString>

struct Bilddatei;
struct Optionen;

// What the user gets after a successful upload: nothing, the link, or an HTML snippet in the clipboard.
class NachUpload {
public:
    virtual ~NachUpload() = default;
    // Returns the picture's web address, also when the clipboard was left alone;
    // "" when no address can be formed.
    virtual QString ausfuehren(const QString& link, const Bilddatei& datei, const Optionen& optionen) = 0;
    // Called before the transfer, so that what the clipboard needs can start alongside it.
    virtual void vorbereiten(const Bilddatei&, const Optionen&) { }
};
