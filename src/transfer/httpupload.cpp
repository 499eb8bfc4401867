#include "transfer/httpupload.h"

#include "transfer/bildhostwahl.h"
#include "transfer/curlsetzen.h"
#include "transfer/curlzeiger.h"
#include "transfer/ftpschutz.h"
#include "transfer/hintergrundlauf.h"
#include "transfer/multipartkoerper.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <curl/curl.h>

#include <memory>

namespace {
struct Antwortpuffer {
    QByteArray daten;
    qint64 hoechstens = 0;
    bool zuLang = false;
};

size_t antwortSammeln(char* daten, size_t groesse, size_t anzahl, void* puffer)
{
    auto* antwort = static_cast<Antwortpuffer*>(puffer);
    const size_t laenge = groesse * anzahl;
    if (antwort->daten.size() + qint64(laenge) > antwort->hoechstens) {
        antwort->zuLang = true;
        return 0;
    }
    antwort->daten.append(daten, qsizetype(laenge));
    return laenge;
}

int abbruchFragen(void* frage, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto& abbrechen = *static_cast<const Abbruchfrage*>(frage);
    return abbrechen && abbrechen() ? 1 : 0;
}

// The agent names the program as its executable is called.
QByteArray programmName()
{
    if (!QCoreApplication::instance())
        return QByteArrayLiteral("fotoschicker");
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toLocal8Bit();
}

bool dateiLesen(const QString& dateipfad, QByteArray& inhalt)
{
    QFile datei(dateipfad);
    if (dateipfad.isEmpty() || !datei.open(QIODevice::ReadOnly))
        return false;
    inhalt = datei.readAll();
    return datei.error() == QFileDevice::NoError;
}
} // namespace

bool httpUpload(const QString& host, const QString& pfad, const QString& dateipfad, QString& antwort,
    const HttpGrenzen& grenzen, const Abbruchfrage& abbrechen)
{
    CurlHandle handle(curl_easy_init());
    if (!handle)
        return false;
    const std::optional<QByteArray> basis = bildhostBasis(host);
    QByteArray inhalt;
    if (!basis || !dateiLesen(dateipfad, inhalt))
        return false;
    const bool https = basis->startsWith("https:");

    // The host needs the name at most; the folders would tell it the user's login name and more.
    const QByteArray koerper = multipartKoerper(QFile::encodeName(QFileInfo(dateipfad).fileName()), inhalt);
    const QByteArray adresse = *basis + pfad.toUtf8();
    const QByteArray agent = programmName();
    const QByteArray inhaltstyp = QByteArrayLiteral("Content-Type: ") + multipartInhaltstyp();

    // "Never from a cache": Pragma for HTTP/1.0 caches and proxies, Cache-Control for newer ones.
    CurlListe kopfzeilen;
    if (!anhaengen(kopfzeilen, inhaltstyp.constData()) || !anhaengen(kopfzeilen, "Pragma: no-cache")
        || !anhaengen(kopfzeilen, "Cache-Control: no-cache"))
        return false;

    Antwortpuffer puffer;
    puffer.hoechstens = grenzen.antwortHoechstens;

    CURL* h = handle.get();
    const bool eingestellt = setzen(h, CURLOPT_URL, adresse.constData()) && webSchutzEinstellen(h, https)
        && setzen(h, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0))
        && setzen(h, CURLOPT_USERAGENT, agent.constData()) && setzen(h, CURLOPT_HTTPHEADER, kopfzeilen.get())
        && setzen(h, CURLOPT_POST, 1L) && setzen(h, CURLOPT_POSTFIELDS, koerper.constData())
        && setzen(h, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(koerper.size()))
        && setzen(h, CURLOPT_WRITEFUNCTION, &antwortSammeln) && setzen(h, CURLOPT_WRITEDATA, &puffer)
        && setzen(h, CURLOPT_CONNECTTIMEOUT_MS, long(grenzen.verbinden.count()))
        // Less than one byte a second over the whole span counts as silence.
        && setzen(h, CURLOPT_LOW_SPEED_LIMIT, 1L) && setzen(h, CURLOPT_LOW_SPEED_TIME, long(grenzen.stille.count()))
        && setzen(h, CURLOPT_TIMEOUT_MS, long(grenzen.gesamt.count())) && setzen(h, CURLOPT_NOPROGRESS, 0L)
        && setzen(h, CURLOPT_XFERINFOFUNCTION, &abbruchFragen)
        && setzen(h, CURLOPT_XFERINFODATA, &abbrechen)
        // The transfer runs on a worker thread, where libcurl must not use signals for its time-outs.
        && setzen(h, CURLOPT_NOSIGNAL, 1L);
    if (!eingestellt)
        return false;

    const CURLcode ergebnis = Hintergrundlauf().ausfuehren(h);
    if (ergebnis == CURLE_OPERATION_TIMEDOUT || ergebnis == CURLE_ABORTED_BY_CALLBACK || puffer.zuLang) {
        antwort.clear();
        return false;
    }
    // Anything else that went wrong on the way (refused, reset) leaves the
    // reply as far as it came; the caller looks for its markers in it.
    antwort = QString::fromLocal8Bit(puffer.daten);
    return true;
}
