#pragma once

#include <QString>

// The desktop's keyring (the Secret Service: GNOME Keyring, KWallet, KeePassXC),
// where the FTP password is kept apart from the settings file. Each entry
// belongs to one account, named "LOGIN@SERVER".
class Schluesselbund {
public:
    enum class Antwort {
        Erledigt,
        NichtGefunden, // the keyring answered: it holds nothing under that name
        Fehlt, // no keyring answered, or it refused
        Zeitueberschreitung, // it did not answer within the bound of a wait
    };

    virtual ~Schluesselbund() = default;

    virtual Antwort lesen(const QString& konto, QString& passwort) = 0;
    virtual Antwort schreiben(const QString& konto, const QString& passwort) = 0;
    virtual Antwort loeschen(const QString& konto) = 0;
};
