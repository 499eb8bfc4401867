#pragma once

#include "links/nachupload.h"

class Zwischenablage;

// Hands the uploaded picture's address to the user, as LinkOption says.
class Linkaktion : public NachUpload {
public:
    explicit Linkaktion(Zwischenablage& zwischenablage);
    QString ausfuehren(const QString& link, const Bilddatei& datei, const Optionen& optionen) override;

private:
    Zwischenablage& m_zwischenablage;
};
