#pragma once

#include <QMap>
#include <QString>

class Schluesselbund;

// Where the FTP password is kept: in the desktop's keyring, under the account
// it belongs to, or, without one, in the settings file as it always was. A
// keyring that fails or does not answer is left alone for the rest of the
// process, which then keeps the password in the file again.
class Passwortablage {
public:
    explicit Passwortablage(Schluesselbund& schluesselbund);

    // The account's password: the file's own while it still holds one, else the keyring's.
    QString laden(const QString& login, const QString& server, const QString& ausDatei);
    // The keyring's password for this account; "" when it has none or there is no keyring.
    // Nothing else is ever looked at, so a password reaches no other server or login.
    QString nachschlagen(const QString& login, const QString& server);
    // What the file is to keep: "" once the keyring has confirmed it holds the
    // password (an empty one removes the entry), else the password itself.
    QString ablegen(const QString& login, const QString& server, const QString& passwort);

    // False once the keyring failed; the settings window then says where the password goes.
    bool vorhanden() const { return m_vorhanden; }
    // True once after a wait on the keyring ran out, for the message that tells so.
    bool fristAbgelaufen();

private:
    void ausfallVermerken(bool zeitueberschreitung);

    Schluesselbund& m_schluesselbund;
    // What the keyring is known to hold for an account ("" for nothing), so
    // an unchanged password is not written again at every start.
    QMap<QString, QString> m_bekannt;
    bool m_vorhanden = true;
    bool m_fristAbgelaufen = false;
};
