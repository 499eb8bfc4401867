#include "app/parameterzerlegung.h"

#include "settings/optionen.h"

#include <QList>

#include <array>

namespace {

struct Schluesselwort {
    QString wort;
    QString Optionen::*ziel; // nullptr: the file name
};

// In the order they are tested; none is the beginning of another.
const std::array<Schluesselwort, 6>& schluesselwoerter()
{
    static const std::array<Schluesselwort, 6> tabelle = { {
        { QStringLiteral("ftpserver:"), &Optionen::FTPServer },
        { QStringLiteral("ftpuser:"), &Optionen::FTPLogin },
        { QStringLiteral("ftppassword:"), &Optionen::FTPPassword },
        { QStringLiteral("ftppath:"), &Optionen::FTPPath },
        { QStringLiteral("url:"), &Optionen::URL },
        { QStringLiteral("file:"), nullptr },
    } };
    return tabelle;
}

// Keywords match in any case; character by character, so that no case
// mapping can change the length of the text compared.
bool beginntMit(QStringView text, const QString& wort)
{
    if (text.size() < wort.size())
        return false;
    for (qsizetype i = 0; i < wort.size(); ++i) {
        if (text[i].toLower() != wort[i])
            return false;
    }
    return true;
}

const Schluesselwort* schluesselwortAm(QStringView text)
{
    for (const Schluesselwort& s : schluesselwoerter()) {
        if (beginntMit(text, s.wort))
            return &s;
    }
    return nullptr;
}

// Values lose blanks only, not tabs or other white space.
QString ohneAeussereBlanks(QStringView wert)
{
    qsizetype anfang = 0;
    qsizetype ende = wert.size();
    while (anfang < ende && wert[anfang] == u' ')
        ++anfang;
    while (ende > anfang && wert[ende - 1] == u' ')
        --ende;
    return wert.sliced(anfang, ende - anfang).toString();
}

// Cuts only where a "/" is directly followed by a keyword; that "/" is the
// separator and every other "/" stays in the text around it. So a value keeps
// doubled slashes and a closing "/" exactly as typed ("http://x/", "www/"
// before "/file:"), and a path full of slashes is one piece unless a keyword
// follows one of them. Slashes in front of the first piece only separate.
QList<QStringView> stuecke(QStringView zeile)
{
    qsizetype anfang = 0;
    while (anfang < zeile.size() && zeile[anfang] == u'/')
        ++anfang;
    QList<QStringView> ergebnis;
    if (anfang == zeile.size())
        return ergebnis;
    qsizetype stueckAnfang = anfang;
    for (qsizetype i = anfang; i < zeile.size(); ++i) {
        if (zeile[i] == u'/' && schluesselwortAm(zeile.sliced(i + 1))) {
            ergebnis.append(zeile.sliced(stueckAnfang, i - stueckAnfang));
            stueckAnfang = i + 1;
        }
    }
    ergebnis.append(zeile.sliced(stueckAnfang));
    return ergebnis;
}

} // namespace

Parameterergebnis parameterZerlegen(const QString& argumentString, Optionen& optionen)
{
    Parameterergebnis ergebnis;
    const QList<QStringView> teile = stuecke(argumentString);

    // One piece is a bare file name, even one that begins with a keyword
    // ("/file:/home/a.jpg" alone is taken whole); so is a line of slashes only.
    if (teile.size() < 2) {
        ergebnis.dateiname = argumentString;
        return ergebnis;
    }

    optionen.parameterModus = true;
    QString dateiname;
    for (const QStringView teil : teile) {
        // Every piece after the first begins with a keyword by the cut, so only
        // the first can be rejected - and then before any field is changed.
        const Schluesselwort* s = schluesselwortAm(teil);
        if (!s) {
            ergebnis.meldung = Parametermeldung::UngueltigerParameter;
            ergebnis.ungueltigesStueck = teil.toString();
            return ergebnis;
        }
        // A parameter given twice counts with its last occurrence.
        const QString wert = ohneAeussereBlanks(teil.sliced(s->wort.size()));
        if (s->ziel == &Optionen::FTPPassword)
            optionen.passwortAusParameter = true;
        if (s->ziel)
            optionen.*(s->ziel) = wert;
        else
            dateiname = wert;
    }

    if (dateiname.isEmpty())
        ergebnis.meldung = Parametermeldung::FehlenderDateiname;
    else
        ergebnis.dateiname = dateiname;
    return ergebnis;
}

QList<Textstelle> passwortStellen(const QString& argumentString)
{
    QList<Textstelle> stellen;
    for (const QStringView teil : stuecke(argumentString)) {
        const Schluesselwort* s = schluesselwortAm(teil);
        if (!s || s->ziel != &Optionen::FTPPassword)
            continue;
        const qsizetype wertAnfang = (teil.constData() - argumentString.constData()) + s->wort.size();
        stellen.append({ wertAnfang, teil.size() - s->wort.size() });
    }
    return stellen;
}
