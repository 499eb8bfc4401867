#pragma once

#include "transfer/uebertragung.h"
#include "transfer/vertrauensspeicher.h"

// The transfers over the network: FTP to the user's server, HTTP to the image host.
class Netzuebertragung : public Uebertragung {
public:
    FtpErgebnis ftpUpload(
        const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText) override;
    QString bildhostUpload(
        const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText) override;
    bool vertrauen(QString& grund) override;
    QString loeschschluessel() const override { return m_loeschschluessel; }

private:
    Vertrauensfrage m_frage;
    QString m_loeschschluessel;
};
