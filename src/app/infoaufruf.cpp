#include "app/infoaufruf.h"

#include "app/hilfetext.h"

#include <QFileInfo>

namespace {
const QString programmVersion = QStringLiteral(FOTOSCHICKER_VERSION);

bool etwasMitDemNamen(const QString& name)
{
    // A dangling link counts: the user still named something by that name.
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}
} // namespace

Infoaufruf infoaufrufErkennen(const QStringList& argumente)
{
    if (argumente.size() != 1)
        return Infoaufruf::Keiner;
    const QString& wort = argumente.constFirst();
    Infoaufruf aufruf = Infoaufruf::Keiner;
    if (wort == u"--help" || wort == u"-h")
        aufruf = Infoaufruf::Hilfe;
    else if (wort == u"--version" || wort == u"-V")
        aufruf = Infoaufruf::Version;
    if (aufruf != Infoaufruf::Keiner && etwasMitDemNamen(wort))
        return Infoaufruf::Keiner;
    return aufruf;
}

bool verlaufAufgerufen(const QStringList& argumente)
{
    return argumente.size() == 1 && argumente.constFirst() == u"--verlauf" && !etwasMitDemNamen(argumente.constFirst());
}

QString infoText(Infoaufruf aufruf)
{
    switch (aufruf) {
    case Infoaufruf::Keiner:
        break;
    case Infoaufruf::Hilfe: {
        QString text = hilfeText();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return text
            + QStringLiteral("\n\n"
                             "fotoschicker --help | -h       zeigt diesen Text\n"
                             "fotoschicker --version | -V    zeigt die Version\n"
                             "fotoschicker --verlauf         zeigt den Verlauf der hochgeladenen Bilder\n"
                             "\n"
                             "Jedes hochgeladene Bild wird im Verlauf vermerkt:\n"
                             "$XDG_DATA_HOME/MorvaFotoschicker/verlauf.sqlite (sonst ~/.local/share/…).\n"
                             "Dort lassen sich URLs wieder kopieren und Bilder vom Server löschen.\n"
                             "\n"
                             "Mehrere Bilder: fotoschicker bild1.jpg bild2.png …\n"
                             "sendet sie nacheinander, wenn jedes Argument eine vorhandene Datei ist und\n"
                             "die Argumente, mit Leerzeichen verbunden, keine vorhandene Datei nennen.\n"
                             "Die URLs stehen zeilenweise in der Zwischenablage und auf der Standardausgabe.\n"
                             "\n"
                             "Rückgabewerte:\n"
                             "0  Bild hochgeladen (bei mehreren: alle) oder Einstellungsfenster\n"
                             "   geschlossen\n"
                             "1  Fehler: zweite Instanz, Datei fehlt oder ist zu groß für den Bilderdienst,\n"
                             "   Übertragung fehlgeschlagen (bei mehreren: mindestens eines),\n"
                             "   fehlerhafte Befehlszeile\n"
                             "2  abgebrochen: die Frage „Datei sicher übertragen?“ (bei mehr als\n"
                             "   250000 Bytes) wurde mit „Nein“ beantwortet, oder ein Klick auf das\n"
                             "   Statusfenster hat die Übertragung abgebrochen\n");
    }
    case Infoaufruf::Version:
        return QStringLiteral("fotoschicker ") + programmVersion + u'\n';
    }
    return {};
}
