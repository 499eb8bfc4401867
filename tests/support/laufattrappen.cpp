#include "laufattrappen.h"

#include "transfer/bilddatei.h"

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

void SpeicherFenster::optionWaehlen(Zwischenablageinhalt o)
{
    if (o != Zwischenablageinhalt::KeineAuswahl)
        option = o;
}

FtpErgebnis SkriptUebertragung::ftpUpload(
    const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    ftpPfade.append(datei.pfad);
    letzteOptionen = optionen;
    if (waehrendDesUploads)
        waehrendDesUploads();
    status.status(QString());
    if (ftpErgebnis != FtpErgebnis::Hochgeladen)
        fehlerText = fehler;
    return ftpErgebnis;
}

QString SkriptUebertragung::bildhostUpload(
    const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    bildhostPfade.append(datei.pfad);
    letzteOptionen = optionen;
    if (waehrendDesUploads)
        waehrendDesUploads();
    status.status(QString());
    if (bildhostLink.isEmpty())
        fehlerText = fehler;
    return bildhostLink;
}

QString AufzeichnenderNachUpload::ausfuehren(const QString& link, const Bilddatei& datei, const Optionen&)
{
    aufrufe.append({ link, datei.pfad, datei.kurzerPfad });
    return link;
}
