#include "anfragefristen.h"

#include <sys/socket.h>

#include <algorithm>

Anfragefristen::Anfragefristen(std::chrono::milliseconds frist)
    : m_frist(frist)
    , m_waechter([this] { wachen(); })
{
}

Anfragefristen::~Anfragefristen()
{
    {
        const std::lock_guard sperre(m_sperre);
        m_ende = true;
    }
    m_wecker.notify_all();
    m_waechter.join();
}

void Anfragefristen::verbunden(const void* verbindung, int socket)
{
    const std::lock_guard sperre(m_sperre);
    m_uhren[verbindung] = Uhr{ socket, std::chrono::steady_clock::now(), true };
}

void Anfragefristen::beantwortet(const void* verbindung)
{
    const std::lock_guard sperre(m_sperre);
    if (const auto uhr = m_uhren.find(verbindung); uhr != m_uhren.end())
        uhr->second.laeuft = false;
}

void Anfragefristen::naechsteAnfrage(const void* verbindung)
{
    const std::lock_guard sperre(m_sperre);
    if (const auto uhr = m_uhren.find(verbindung); uhr != m_uhren.end())
        uhr->second = Uhr{ uhr->second.socket, std::chrono::steady_clock::now(), true };
}

void Anfragefristen::getrennt(const void* verbindung)
{
    const std::lock_guard sperre(m_sperre);
    m_uhren.erase(verbindung);
}

void Anfragefristen::wachen()
{
    // A tenth of the allowed time, so a request is cut off at most 10 % late.
    const auto takt = std::clamp(m_frist / 10, std::chrono::milliseconds(10), std::chrono::milliseconds(1000));
    std::unique_lock sperre(m_sperre);
    while (!m_ende) {
        m_wecker.wait_for(sperre, takt);
        const auto jetzt = std::chrono::steady_clock::now();
        for (auto& [verbindung, uhr] : m_uhren) {
            if (uhr.laeuft && jetzt - uhr.beginn > m_frist) {
                // The server sees the end of the connection and closes it in its
                // own thread; the socket is still open, since getrennt() comes first.
                shutdown(uhr.socket, SHUT_RDWR);
                uhr.laeuft = false;
            }
        }
    }
}
