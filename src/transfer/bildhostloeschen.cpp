#include "transfer/bildhostloeschen.h"

#include "transfer/bildhostwahl.h"
#include "transfer/curlsetzen.h"
#include "transfer/curlzeiger.h"
#include "transfer/ftpschutz.h"
#include "transfer/hintergrundlauf.h"

#include <QUrl>

#include <algorithm>

namespace {
size_t verwerfen(char*, size_t groesse, size_t anzahl, void*)
{
    return groesse * anzahl;
}

QString antwortFehler(long status, const QString& host)
{
    switch (status) {
    case 403:
        return QStringLiteral("%1 hat das Löschen abgelehnt: Der Löschschlüssel passt nicht zu diesem Bild.").arg(host);
    case 404:
        return QStringLiteral("Das Bild gibt es auf %1 nicht.").arg(host);
    case 429:
        return QStringLiteral("%1 nimmt von hier gerade keine Löschversuche an. Bitte später noch einmal versuchen.")
            .arg(host);
    default:
        return QStringLiteral("Das Bild konnte auf %1 nicht gelöscht werden.").arg(host);
    }
}
} // namespace

bool bildhostLoeschen(const QString& host, const QString& name, const QString& schluessel, QString& fehlerText,
    const HttpGrenzen& grenzen)
{
    // Where the upload went: http or https as the host names it, the certificate checked alike.
    const std::optional<QByteArray> basis = bildhostBasis(host);
    const QByteArray adresse = basis.value_or(QByteArray()) + '/' + QUrl::toPercentEncoding(name);
    const QByteArray kopf = QByteArrayLiteral("X-Delete-Key: ") + schluessel.toLatin1();
    CurlListe kopfzeilen;
    const CurlHandle handle(curl_easy_init());
    CURL* h = handle.get();
    // Checked again here: a key from a changed history file must not add a header line.
    const bool eingestellt = h && basis && !name.isEmpty() && !schluessel.isEmpty()
        && std::all_of(
            schluessel.cbegin(), schluessel.cend(), [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; })
        && anhaengen(kopfzeilen, kopf.constData()) && setzen(h, CURLOPT_URL, adresse.constData())
        && webSchutzEinstellen(h, basis->startsWith("https:")) && setzen(h, CURLOPT_CUSTOMREQUEST, "DELETE")
        && setzen(h, CURLOPT_HTTPHEADER, kopfzeilen.get()) && setzen(h, CURLOPT_WRITEFUNCTION, &verwerfen)
        && setzen(h, CURLOPT_CONNECTTIMEOUT_MS, long(grenzen.verbinden.count()))
        && setzen(h, CURLOPT_LOW_SPEED_LIMIT, 1L) && setzen(h, CURLOPT_LOW_SPEED_TIME, long(grenzen.stille.count()))
        && setzen(h, CURLOPT_TIMEOUT_MS, long(grenzen.gesamt.count())) && setzen(h, CURLOPT_NOSIGNAL, 1L);
    if (!eingestellt) {
        fehlerText = antwortFehler(0, host);
        return false;
    }
    const CURLcode code = Hintergrundlauf().ausfuehren(h);
    long status = 0;
    if (code != CURLE_OK || curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) {
        fehlerText = zertifikatsFehler(h, code, host);
        if (fehlerText.isEmpty())
            fehlerText = QStringLiteral("Keine Verbindung zu %1.").arg(host);
        return false;
    }
    if (status == 204)
        return true;
    fehlerText = antwortFehler(status, host);
    return false;
}
