#pragma once

#include "settings/schluesselbund.h"

#include <chrono>

// The keyring through QtKeychain, service "Morva Fotoschicker". Its jobs are
// asynchronous: each is waited for in an event loop of its own, so the
// windows stay drawn, for at most the given time.
class QtSchluesselbund : public Schluesselbund {
public:
    // Long enough for a busy desktop, short enough that nobody thinks the program hangs.
    explicit QtSchluesselbund(std::chrono::milliseconds frist = std::chrono::seconds(5));

    Antwort lesen(const QString& konto, QString& passwort) override;
    Antwort schreiben(const QString& konto, const QString& passwort) override;
    Antwort loeschen(const QString& konto) override;

private:
    std::chrono::milliseconds m_frist;
};
