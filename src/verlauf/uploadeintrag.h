#pragma once

#include "verlauf/verlaufseintrag.h"

struct Bilddatei;
struct Optionen;

// The history's row for a picture that has just arrived: where it went, by
// which way, under which name, with its thumbnail (vorschau, from vorschaubild()).
// link is the address handed out, loeschschluessel the image host's key for it
// ("" where there is none).
Verlaufseintrag uploadEintrag(const Bilddatei& datei, const Optionen& optionen, const QString& link,
    const QString& loeschschluessel, QByteArray vorschau);

// The picture at pfad as a thumbnail of at most 128 px either way, encoded as
// JPEG (PNG when it has transparency); empty when it cannot be read. Decoded
// at the small size, so a large photo costs little.
QByteArray vorschaubild(const QString& pfad);
