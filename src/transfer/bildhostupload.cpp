#include "transfer/bildhostupload.h"

#include "platform/shortpath.h"
#include "statusfenster/statusanzeige.h"
#include "transfer/bildhostantwort.h"

QString bildhostUpload(
    const QString& host, QString& path, Statusanzeige& status, QString& fehlerText, const HttpGrenzen& grenzen)
{
    const QString fehlschlag
        = QStringLiteral("Die Datei konnte nicht auf ") + host + QStringLiteral(" kopiert werden!");
    status.status(QStringLiteral("Dienst ") + host + QStringLiteral(" wird kontaktiert"));
    path = kurzform(path);
    status.status(QStringLiteral("Datei wird übertragen"));

    QString antwort;
    QString adresse;
    const Abbruchfrage abbrechen = [&status] { return status.abbruchGewuenscht(); };
    if (!httpUpload(host, QStringLiteral("/"), path, antwort, grenzen, abbrechen)
        || !adresseAusAntwort(antwort, adresse)) {
        fehlerText = fehlschlag;
    }
    status.status(QString());
    return adresse;
}
