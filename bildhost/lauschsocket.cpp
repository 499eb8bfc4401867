#include "lauschsocket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {
struct AdressenFreigeben {
    void operator()(addrinfo* liste) const { freeaddrinfo(liste); }
};

int portVon(const sockaddr_storage& adresse)
{
    if (adresse.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(adresse).sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in&>(adresse).sin_port);
}
} // namespace

std::optional<Lauschsocket> lauschen(const std::string& adresse, int port, std::string& fehler)
{
    const std::string ziel = adresse + " Port " + std::to_string(port);
    addrinfo wunsch{};
    wunsch.ai_family = AF_UNSPEC;
    wunsch.ai_socktype = SOCK_STREAM;
    wunsch.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* gefunden = nullptr;
    if (const int fehlercode = getaddrinfo(adresse.c_str(), std::to_string(port).c_str(), &wunsch, &gefunden);
        fehlercode != 0) {
        fehler = "Die Adresse " + adresse + " ist nicht zu finden: " + gai_strerror(fehlercode) + '.';
        return std::nullopt;
    }
    const std::unique_ptr<addrinfo, AdressenFreigeben> liste(gefunden);
    int letzterFehler = 0;
    for (const addrinfo* eintrag = liste.get(); eintrag; eintrag = eintrag->ai_next) {
        const int deskriptor = socket(eintrag->ai_family, eintrag->ai_socktype | SOCK_CLOEXEC, eintrag->ai_protocol);
        if (deskriptor < 0) {
            letzterFehler = errno;
            continue;
        }
        // A restart must not wait until the last run's closed connections have timed out.
        const int an = 1;
        setsockopt(deskriptor, SOL_SOCKET, SO_REUSEADDR, &an, sizeof an);
        if (bind(deskriptor, eintrag->ai_addr, eintrag->ai_addrlen) == 0 && listen(deskriptor, SOMAXCONN) == 0) {
            sockaddr_storage gebunden{};
            socklen_t laenge = sizeof gebunden;
            getsockname(deskriptor, reinterpret_cast<sockaddr*>(&gebunden), &laenge);
            return Lauschsocket{ deskriptor, portVon(gebunden) };
        }
        letzterFehler = errno;
        close(deskriptor);
    }
    fehler = ziel + " ist nicht zu haben: " + std::strerror(letzterFehler) + '.';
    return std::nullopt;
}
