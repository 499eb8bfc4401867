#include "transfer/bildhostupload.h"

#include "statusfenster/statusanzeige.h"
#include "transfer/bilddatei.h"
#include "transfer/bildhostantwort.h"

QString bildhostUpload(const QString& host, const Bilddatei& datei, Statusanzeige& status, QString& fehlerText,
    const HttpGrenzen& grenzen, QString* loeschschluessel)
{
    const QString fehlschlag
        = QStringLiteral("Die Datei konnte nicht auf ") + host + QStringLiteral(" kopiert werden!");
    status.status(QStringLiteral("Dienst ") + host + QStringLiteral(" wird kontaktiert"));
    status.status(QStringLiteral("Datei wird übertragen"));

    QString antwort;
    QString adresse;
    const Abbruchfrage abbrechen = [&status] { return status.abbruchGewuenscht(); };
    if (!httpUpload(host, QStringLiteral("/"), datei.kurzerPfad, antwort, grenzen, abbrechen)
        || !adresseAusAntwort(antwort, adresse)) {
        fehlerText = fehlschlag;
    }
    if (loeschschluessel)
        *loeschschluessel = adresse.isEmpty() ? QString() : loeschschluesselAusAntwort(antwort);
    status.status(QString());
    return adresse;
}
