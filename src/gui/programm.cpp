#include "gui/programm.h"

#include "app/dateiliste.h"
#include "app/dateipruefung.h"
#include "app/einzigedatei.h"
#include "app/infoaufruf.h"
#include "app/parameterzerlegung.h"
#include "app/qtplattform.h"
#include "gui/programmsymbol.h"
#include "gui/programmteile.h"
#include "gui/qtdialoge.h"
#include "gui/verlaufsfenster.h"
#include "links/qtzwischenablage.h"
#include "platform/argumentzeile.h"
#include "platform/curlbibliothek.h"
#include "platform/schriftkonfiguration.h"
#include "settings/einstellungsspeicher.h"
#include "settings/qtschluesselbund.h"
#include "verlauf/verlaufsspeicher.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>
#include <cstdio>

namespace {
// Qt's own texts (context menus, standard buttons) in German, whatever the user's language.
void deutscheTexteLaden(QApplication& app, QTranslator& uebersetzer)
{
    if (uebersetzer.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&uebersetzer);
}

// The history window alone: no upload, no lock, so it opens beside a running upload.
int verlaufZeigen(QApplication& app)
{
    QtDialoge dialoge;
    Einstellungsspeicher einstellungen;
    QtZwischenablage zwischenablage;
    QtSchluesselbund schluesselbund;
    Verlaufsspeicher speicher;
    QString fehler;
    if (!speicher.oeffnen(fehler)) {
        dialoge.meldung(fehler, QStringLiteral("Verlauf"), Meldungsstil::Kritisch);
        return 1;
    }
    if (!speicher.hinweis().isEmpty())
        dialoge.meldung(speicher.hinweis(), QStringLiteral("Verlauf"), Meldungsstil::Ausrufezeichen);
    Verlaufsfenster fenster(speicher, einstellungen, schluesselbund, dialoge, zwischenablage);
    if (!fenster.laden(fehler)) {
        dialoge.meldung(fehler, QStringLiteral("Verlauf"), Meldungsstil::Kritisch);
        return 1;
    }
    fenster.show();
    return app.exec();
}
} // namespace

int programmStarten(int argc, char** argv)
{
    const QStringList einzeln = argumentListe(argc, argv);
    // Answered before Qt starts: it needs no screen, and takes no lock a running upload holds.
    if (const Infoaufruf info = infoaufrufErkennen(einzeln); info != Infoaufruf::Keiner) {
        // A full disk or closed pipe must not pass for a printed answer.
        const bool geschrieben = std::fputs(infoText(info).toUtf8().constData(), stdout) >= 0;
        return geschrieben && std::fflush(stdout) == 0 ? 0 : 1;
    }

    const bool nurVerlauf = verlaufAufgerufen(einzeln);
    const QString argumente = argumentString(argc, argv);
    // The pictures the arguments name as written: one that is a file, or a list of them.
    QStringList dateien = istDateiliste(einzeln, dateiExistiert) ? einzeln : QStringList();
    if (const QString einzigeDatei = dateiAlsEinzigesArgument(einzeln); !einzigeDatei.isEmpty())
        dateien = QStringList{ einzigeDatei };
    // At once, before anything can keep the program waiting: a password on the
    // command line is readable by every user in the process list until then.
    if (dateien.isEmpty())
        argumenteVerbergen(argc, argv, passwortStellen(argumente));
    // Only for a window: an upload's start loads libcurl on the other core instead, and a third
    // thread there made it no faster.
    std::jthread schriften = einzeln.isEmpty() || nurVerlauf ? schriftkonfigurationLesen() : std::jthread();
    // Qt sees only the program's name and our own choice of platform: every argument
    // is the user's, so a picture named "-style" or "-platform" is a picture and not an option of Qt.
    QByteArray plattform
        = qtPlattformWaehlen(qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("QT_QPA_PLATFORM")).toUtf8();
    char plattformSchalter[] = "-platform";
    std::array<char*, 4> qtArgumente{ argv[0], nullptr, nullptr, nullptr };
    int qtArgumentzahl = 1;
    if (!plattform.isEmpty()) {
        qtArgumente[1] = plattformSchalter;
        qtArgumente[2] = plattform.data();
        qtArgumentzahl = 3;
    }
    QApplication app(qtArgumentzahl, qtArgumente.data());
    if (schriften.joinable())
        schriften.join();
    QTranslator uebersetzer;
    deutscheTexteLaden(app, uebersetzer);
    if (nurVerlauf) {
        app.setWindowIcon(programmSymbol());
        return verlaufZeigen(app);
    }

    Programmteile teile(argumente, dateien, [](int code) { QCoreApplication::exit(code); });
    Startlauf& lauf = teile.lauf();
    // Without arguments the run opens the settings window, which sends nothing: the history and
    // libcurl would only take the other core from it. The history's thread is started first: while
    // the dynamic loader loads libcurl, it makes every new thread wait.
    if (!einzeln.isEmpty())
        lauf.vorbereiten();
    // Made ready while the run reads its settings and opens its windows; libcurl's set-up is
    // thread-safe since 7.84. Should it fail, every curl_easy_init fails too, and each transfer says so.
    const std::jthread curlBereit = einzeln.isEmpty() ? std::jthread() : curlVorbereiten();
    // Qt reads the font configuration when it first measures a text: some 5 ms of work that needs
    // no lock of the dynamic loader's. Done now, it fills the time libcurl and the history's
    // driver hold that lock, where the first window would otherwise do it after waiting for it.
    QFontMetrics(QGuiApplication::font()).height();
    // Looking the icon up in the theme costs about as much as an upload's windows; only the windows
    // that are there to be looked at ask.
    app.setWindowIcon(eingebautesProgrammsymbol());

    const Laufende ende = lauf.ausfuehren();
    if (ende != Laufende::FensterOffen)
        return exitStatus(ende);
    return app.exec();
}
