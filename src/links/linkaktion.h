#pragma once

#include "links/nachupload.h"

#include <QStringList>

class Zwischenablage;

// Hands the uploaded picture's address to the user, as LinkOption says. The
// clipboard holds the texts of every picture this program start sent, one per
// line in upload order: a start with several pictures leaves all of them.
class Linkaktion : public NachUpload {
public:
    explicit Linkaktion(Zwischenablage& zwischenablage);
    QString ausfuehren(const QString& link, const Bilddatei& datei, const Optionen& optionen) override;
    void vorbereiten(const Bilddatei& datei, const Optionen& optionen) override;

private:
    Zwischenablage& m_zwischenablage;
    QStringList m_zeilen;
};
