#include "ablage.h"
#include "bildhostserver.h"
#include "lauschsocket.h"
#include "startoptionen.h"

#include <signal.h>

#include <cstdio>
#include <exception>
#include <iostream>

namespace {
std::string adresseInUrl(const std::string& adresse)
{
    return adresse.find(':') == std::string::npos ? adresse : "[" + adresse + "]";
}

int ausfuehren(const std::vector<std::string_view>& argumente)
{
    std::string fehler;
    const auto optionen = startoptionenLesen(argumente, fehler);
    if (!optionen) {
        std::cerr << "bildhost: " << fehler << '\n' << bedienungstext();
        return 2;
    }
    if (optionen->hilfe) {
        std::cout << hilfetext();
        return 0;
    }
    fehler = ablageordnerPruefen(optionen->ablage);
    if (!fehler.empty()) {
        std::cerr << "bildhost: " << fehler << '\n';
        return 1;
    }

    // SIGTERM and SIGINT are blocked in every thread, the server's included,
    // and taken here by waiting for them.
    sigset_t haltesignale;
    sigemptyset(&haltesignale);
    sigaddset(&haltesignale, SIGTERM);
    sigaddset(&haltesignale, SIGINT);
    pthread_sigmask(SIG_BLOCK, &haltesignale, nullptr);
    signal(SIGPIPE, SIG_IGN);

    const auto lauscher = lauschen(optionen->adresse, optionen->port, fehler);
    if (!lauscher) {
        std::cerr << "bildhost: " << fehler << '\n';
        return 1;
    }
    Bildhostregeln regeln;
    regeln.hoechstgroesse = optionen->hoechstgroesse;
    regeln.kopfHoechstens = optionen->kopfHoechstens;
    regeln.verbindungenHoechstens = optionen->verbindungenHoechstens;
    regeln.verbindungenJeAdresse = optionen->verbindungenJeAdresse;
    regeln.anfrageFrist = std::chrono::seconds(optionen->anfrageFristSekunden);
    regeln.leerlaufFrist = std::chrono::seconds(optionen->leerlaufFristSekunden);
    regeln.vertrauteProxys = optionen->vertrauteProxys;
    regeln.oeffentlicheAdresse = optionen->oeffentlicheAdresse.empty() ? oeffentlicheAdressePruefen("http://"
                                     + adresseInUrl(optionen->adresse) + ':' + std::to_string(lauscher->port) + '/')
                                                                       : optionen->oeffentlicheAdresse;
    if (regeln.oeffentlicheAdresse.empty()) {
        std::cerr << "bildhost: Aus " << optionen->adresse
                  << " lässt sich keine URL bilden; bitte --public-url angeben.\n";
        return 2;
    }

    const Ablage ablage(optionen->ablage);
    const Loeschstelle loeschstelle(optionen->ablage);
    Bildhostserver server(ablage, loeschstelle, regeln);
    if (!server.starten(lauscher->deskriptor, fehler)) {
        std::cerr << "bildhost: " << fehler << '\n';
        return 1;
    }
    std::printf("bildhost: http://%s:%d/ -> %s (Bilder bis %zu Bytes, URLs %s)\n",
        adresseInUrl(optionen->adresse).c_str(), lauscher->port, optionen->ablage.c_str(), regeln.hoechstgroesse,
        regeln.oeffentlicheAdresse.c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&haltesignale, &signal);
    // The server stops with its destructor: open requests end, a picture
    // being written is written whole, and a half-received one was never written.
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    try {
        return ausfuehren(std::vector<std::string_view>(argv + 1, argv + argc));
    } catch (const std::exception& fehler) {
        std::cerr << "bildhost: " << fehler.what() << '\n';
    } catch (...) {
        std::cerr << "bildhost: Unerwarteter Fehler.\n";
    }
    return 1;
}
