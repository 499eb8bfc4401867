#include "text/textfunktionen.h"

bool rechts_enthalten(const FeldArray& feld, const QString& gesucht)
{
    for (qsizetype i = 1; i < feld.size(); ++i) {
        const QString& eintrag = feld.at(i);
        if (eintrag == gesucht.right(eintrag.size()).toLower())
            return true;
    }
    return false;
}

QString stringreplace(const QString& eingabe, const QString& ersetzenvon, const QString& ersetzendurch)
{
    if (ersetzenvon.isEmpty() || ersetzenvon == ersetzendurch)
        return eingabe;
    QString ergebnis;
    qsizetype start = 0;
    for (;;) {
        const qsizetype k = eingabe.indexOf(ersetzenvon, start);
        if (k < 0)
            break;
        ergebnis += QStringView(eingabe).mid(start, k - start);
        ergebnis += ersetzendurch;
        start = k + ersetzenvon.size();
    }
    ergebnis += QStringView(eingabe).mid(start);
    return ergebnis;
}

QString boolean2string(bool jein)
{
    return jein ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
}

QString ohneAnfuehrungszeichen(const QString& pfad)
{
    return stringreplace(pfad, QStringLiteral("\""), QString());
}

QString alsSatz(const QString& grund)
{
    if (grund.endsWith(u'.') || grund.endsWith(u'!') || grund.endsWith(u'?'))
        return grund;
    return grund + u'.';
}
