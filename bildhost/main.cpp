#include "ablage.h"
#include "bildhostserver.h"
#include "startoptionen.h"

#include <httplib.h>

#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

namespace {
// How long requests still open may go on after a stop signal. A client that
// trickles its request could otherwise hold the stop up for as long as it likes.
constexpr auto auslaufzeit = std::chrono::seconds(5);

std::string adresseInUrl(const std::string& adresse)
{
    return adresse.find(':') == std::string::npos ? adresse : "[" + adresse + "]";
}
} // namespace

int main(int argc, char** argv)
{
    std::string fehler;
    const auto optionen = startoptionenLesen(std::vector<std::string_view>(argv + 1, argv + argc), fehler);
    if (!optionen) {
        std::cerr << "bildhost: " << fehler << '\n' << bedienungstext();
        return 2;
    }
    std::error_code ordnerFehler;
    std::filesystem::create_directories(optionen->ablage, ordnerFehler);
    if (!std::filesystem::is_directory(optionen->ablage)) {
        std::cerr << "bildhost: Der Ordner " << optionen->ablage << " fehlt und lässt sich nicht anlegen.\n";
        return 1;
    }

    // SIGTERM and SIGINT are blocked in every thread and taken by one waiting
    // thread, which may call into the server, unlike a signal handler.
    sigset_t haltesignale;
    sigemptyset(&haltesignale);
    sigaddset(&haltesignale, SIGTERM);
    sigaddset(&haltesignale, SIGINT);
    pthread_sigmask(SIG_BLOCK, &haltesignale, nullptr);
    signal(SIGPIPE, SIG_IGN);

    httplib::Server server;
    int port = optionen->port;
    if (port == 0)
        port = server.bind_to_any_port(optionen->adresse);
    else if (!server.bind_to_port(optionen->adresse, port))
        port = -1;
    if (port <= 0) {
        std::cerr << "bildhost: " << optionen->adresse << ':' << optionen->port << " ist nicht zu haben.\n";
        return 1;
    }

    Bildhostregeln regeln;
    regeln.hoechstgroesse = optionen->hoechstgroesse;
    regeln.oeffentlicheAdresse = optionen->oeffentlicheAdresse.empty()
        ? oeffentlicheAdressePruefen("http://" + adresseInUrl(optionen->adresse) + ':' + std::to_string(port) + '/')
        : optionen->oeffentlicheAdresse;
    if (regeln.oeffentlicheAdresse.empty()) {
        std::cerr << "bildhost: Aus " << optionen->adresse << " wird keine Adresse; bitte --public-url angeben.\n";
        return 2;
    }
    const Ablage ablage(optionen->ablage);
    bildhostEinrichten(server, ablage, regeln);

    std::atomic<bool> angehalten = false;
    std::atomic<bool> lauscheVorbei = false;
    std::thread waechter([&] {
        int signal = 0;
        sigwait(&haltesignale, &signal);
        angehalten = true;
        // A signal can come before the server listens; stop() only reaches a listening one.
        while (!server.is_running() && !lauscheVorbei)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!lauscheVorbei)
            server.stop();
        const auto frist = std::chrono::steady_clock::now() + auslaufzeit;
        while (!lauscheVorbei && std::chrono::steady_clock::now() < frist)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!lauscheVorbei) {
            // Pictures are written aside and renamed when complete, so cutting
            // a request off leaves no half picture under a name of its own.
            std::cerr << "bildhost: Offene Anfragen nach dem Haltesignal abgebrochen.\n";
            std::_Exit(0);
        }
    });

    std::printf("bildhost: http://%s:%d/ -> %s (Bilder bis %zu Bytes, Adressen %s)\n",
        adresseInUrl(optionen->adresse).c_str(), port, optionen->ablage.c_str(), regeln.hoechstgroesse,
        regeln.oeffentlicheAdresse.c_str());
    std::fflush(stdout);
    server.listen_after_bind();
    lauscheVorbei = true;
    if (!angehalten) {
        // Listening broke off without a stop signal; the waiting thread ends with the process.
        std::cerr << "bildhost: Der Server hat aufgehört zu lauschen.\n";
        waechter.detach();
        return 1;
    }
    waechter.join();
    return 0;
}
