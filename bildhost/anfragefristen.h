#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

// Ends connections whose request takes longer than allowed. The server
// library only closes a connection on which nothing moves; a client that
// sends a byte now and then, or a body at a crawl, would hold one for ever.
// A connection's clock runs while a request comes in and stops once it is
// answered; the next request on it starts the clock again.
class Anfragefristen {
public:
    explicit Anfragefristen(std::chrono::milliseconds frist);
    ~Anfragefristen();
    Anfragefristen(const Anfragefristen&) = delete;
    Anfragefristen& operator=(const Anfragefristen&) = delete;

    // The key names the connection; the socket is shut down when its time is up.
    // Must be called before the socket can be closed and reused.
    void verbunden(const void* verbindung, int socket);
    void beantwortet(const void* verbindung);
    void naechsteAnfrage(const void* verbindung);
    // Must be called before the socket is closed.
    void getrennt(const void* verbindung);

private:
    struct Uhr {
        int socket = -1;
        std::chrono::steady_clock::time_point beginn;
        bool laeuft = true;
    };
    void wachen();

    const std::chrono::milliseconds m_frist;
    std::mutex m_sperre;
    std::condition_variable m_wecker;
    std::map<const void*, Uhr> m_uhren;
    bool m_ende = false;
    std::thread m_waechter;
};
