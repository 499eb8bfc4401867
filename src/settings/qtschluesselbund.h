#pragma once

#include "settings/schluesselbund.h"

// The keyring through QtKeychain, service "Morva Fotoschicker". Its jobs are
// asynchronous: each is waited for in an event loop of its own, so the
// windows stay drawn, for at most 5 seconds.
class QtSchluesselbund : public Schluesselbund {
public:
    Antwort lesen(const QString& konto, QString& passwort) override;
    Antwort schreiben(const QString& konto, const QString& passwort) override;
    Antwort loeschen(const QString& konto) override;
};
