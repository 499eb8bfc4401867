#include "settings/passwortablage.h"

#include "settings/schluesselbund.h"

#include <utility>

namespace {
QString kontoname(const QString& login, const QString& server)
{
    return login + u'@' + server;
}
} // namespace

Passwortablage::Passwortablage(Schluesselbund& schluesselbund)
    : m_schluesselbund(schluesselbund)
{
}

QString Passwortablage::laden(const QString& login, const QString& server, const QString& ausDatei)
{
    // A file from before the keyring keeps working; the next write moves the password.
    if (!ausDatei.isEmpty())
        return ausDatei;
    return nachschlagen(login, server);
}

QString Passwortablage::nachschlagen(const QString& login, const QString& server)
{
    if (!m_vorhanden)
        return QString();
    const QString konto = kontoname(login, server);
    QString passwort;
    const Schluesselbund::Antwort antwort = m_schluesselbund.lesen(konto, passwort);
    if (antwort == Schluesselbund::Antwort::Erledigt || antwort == Schluesselbund::Antwort::NichtGefunden) {
        m_bekannt.insert(konto, passwort);
        return passwort;
    }
    ausfallVermerken(antwort == Schluesselbund::Antwort::Zeitueberschreitung);
    return QString();
}

QString Passwortablage::ablegen(const QString& login, const QString& server, const QString& passwort)
{
    if (!m_vorhanden)
        return passwort;
    const QString konto = kontoname(login, server);
    const auto bekannt = m_bekannt.constFind(konto);
    if (bekannt != m_bekannt.cend() && *bekannt == passwort)
        return QString();
    // Only what the keyring confirmed leaves the file: a failure half way loses nothing.
    const Schluesselbund::Antwort antwort
        = passwort.isEmpty() ? m_schluesselbund.loeschen(konto) : m_schluesselbund.schreiben(konto, passwort);
    const bool bestaetigt = antwort == Schluesselbund::Antwort::Erledigt
        || (passwort.isEmpty() && antwort == Schluesselbund::Antwort::NichtGefunden);
    if (bestaetigt) {
        m_bekannt.insert(konto, passwort);
        return QString();
    }
    ausfallVermerken(antwort == Schluesselbund::Antwort::Zeitueberschreitung);
    return passwort;
}

bool Passwortablage::fristAbgelaufen()
{
    return std::exchange(m_fristAbgelaufen, false);
}

void Passwortablage::ausfallVermerken(bool zeitueberschreitung)
{
    m_vorhanden = false;
    m_fristAbgelaufen = m_fristAbgelaufen || zeitueberschreitung;
}
