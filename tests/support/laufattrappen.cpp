#include "laufattrappen.h"

#include "platform/shortpath.h"

bool SkriptDialoge::meldung(const QString& text, const QString& titel, Meldungsstil stil)
{
    meldungen.append({ text, titel, stil });
    if (stil != Meldungsstil::FrageJaNein)
        return true;
    return antworten.isEmpty() ? true : antworten.takeFirst();
}

QString SkriptDialoge::passwortAbfragen(const QString& aufforderung, const QString& titel)
{
    passwortAufforderungen.append(titel + QStringLiteral("|") + aufforderung);
    return passwortAntworten.isEmpty() ? QString() : passwortAntworten.takeFirst();
}

void SpeicherFenster::optionWaehlen(int index)
{
    if (index >= 0 && index < 3)
        option = index;
}

FtpErgebnis SkriptUebertragung::ftpUpload(
    QString& path, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    ftpPfade.append(path);
    letzteOptionen = optionen;
    kurzform(path);
    status.status(QString());
    if (ftpErgebnis != FtpErgebnis::Hochgeladen)
        fehlerText = fehler;
    return ftpErgebnis;
}

QString SkriptUebertragung::bildhostUpload(QString& path, Statusanzeige& status, QString& fehlerText)
{
    bildhostPfade.append(path);
    kurzform(path);
    status.status(QString());
    if (bildhostLink.isEmpty())
        fehlerText = fehler;
    return bildhostLink;
}

QString AufzeichnenderNachUpload::ausfuehren(const QString& link, const QString& quoteFreeName,
    const QString& shortPath, const FeldArray& bildEndungen, const Optionen&)
{
    aufrufe.append({ link, quoteFreeName, shortPath, bildEndungen });
    return link;
}
