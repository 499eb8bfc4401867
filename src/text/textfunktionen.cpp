#include "text/textfunktionen.h"

void csv_zerlegen(const QString& eingabe, FeldArray& ergebnis, QString& delimiter, bool leereFelderErzeugen)
{
    ergebnis = FeldArray{ QString() };
    if (delimiter.isEmpty())
        delimiter = QStringLiteral(";");

    qsizetype start = 0;
    for (;;) {
        const qsizetype p = eingabe.indexOf(delimiter, start);
        const QString feld = eingabe.mid(start, p < 0 ? -1 : p - start);
        if (leereFelderErzeugen || !feld.isEmpty())
            ergebnis.append(feld);
        if (p < 0)
            return;
        start = p + delimiter.size();
    }
}

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
