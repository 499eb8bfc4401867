#include "transfer/ftpschutz.h"

#include "transfer/curlsetzen.h"
#include "transfer/zertifikatsschluessel.h"

bool vertrauensankerEinstellen(CURL* handle)
{
    // libcurl itself reads neither variable; an empty one counts as unset.
    const QByteArray datei = qgetenv("SSL_CERT_FILE");
    const QByteArray ordner = qgetenv("SSL_CERT_DIR");
    return (datei.isEmpty() || setzen(handle, CURLOPT_CAINFO, datei.constData()))
        && (ordner.isEmpty() || setzen(handle, CURLOPT_CAPATH, ordner.constData()));
}

namespace {
bool mitOpenSsl()
{
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    return info && info->ssl_version && QByteArrayView(info->ssl_version).startsWith("OpenSSL");
}

// OpenSSL's verify results (X509_V_ERR_*), which libcurl passes on unchanged.
QString grund(long pruefung)
{
    switch (pruefung) {
    // OpenSSL accepted the chain and libcurl's own check of the name failed:
    // libcurl leaves the result at 0, or at the 1 it starts with.
    case 0:
    case 1:
    case 62:
    case 64:
        return QStringLiteral("Es ist auf einen anderen Namen ausgestellt.");
    case 9:
        return QStringLiteral("Es ist noch nicht gültig.");
    case 10:
        return QStringLiteral("Es ist abgelaufen.");
    case 18:
        return QStringLiteral("Es ist selbstsigniert.");
    case 2:
    case 19:
    case 20:
    case 21:
        return QStringLiteral("Der Aussteller ist unbekannt.");
    default:
        return QStringLiteral("Die Prüfung ist fehlgeschlagen (Fehler ") + QString::number(pruefung)
            + QStringLiteral(").");
    }
}
} // namespace

bool schutzEinstellen(CURL* handle, FtpSchutz schutz)
{
    if (schutz == FtpSchutz::Keiner)
        return setzen(handle, CURLOPT_PROTOCOLS_STR, "ftp");
    if (schutz == FtpSchutz::Ssh)
        return setzen(handle, CURLOPT_PROTOCOLS_STR, "sftp");
    const char* protokoll = schutz == FtpSchutz::ImplizitesTls ? "ftps" : "ftp";
    return setzen(handle, CURLOPT_PROTOCOLS_STR, protokoll)
        && setzen(handle, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL))
        // libcurl would otherwise try the obsolete "AUTH SSL" first.
        && setzen(handle, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS))
        && setzen(handle, CURLOPT_SSL_VERIFYPEER, 1L) && setzen(handle, CURLOPT_SSL_VERIFYHOST, 2L)
        && vertrauensankerEinstellen(handle);
}

bool webSchutzEinstellen(CURL* handle, bool https)
{
    if (!https)
        return setzen(handle, CURLOPT_PROTOCOLS_STR, "http");
    return setzen(handle, CURLOPT_PROTOCOLS_STR, "https") && setzen(handle, CURLOPT_SSL_VERIFYPEER, 1L)
        && setzen(handle, CURLOPT_SSL_VERIFYHOST, 2L) && vertrauensankerEinstellen(handle);
}

QString zertifikatsFehler(CURL* handle, CURLcode ergebnis, const QString& host)
{
    QString warum;
    if (ergebnis == CURLE_SSL_CACERT_BADFILE) {
        warum = QStringLiteral("Die vertrauenswürdigen Stellen des Systems ließen sich nicht lesen.");
    } else if (ergebnis == CURLE_PEER_FAILED_VERIFICATION) {
        long pruefung = 0;
        curl_easy_getinfo(handle, CURLINFO_SSL_VERIFYRESULT, &pruefung);
        warum = mitOpenSsl() ? grund(pruefung) : QStringLiteral("Die Prüfung ist fehlgeschlagen.");
    } else {
        return QString();
    }
    return QStringLiteral("Das Zertifikat von ") + host + QStringLiteral(" ist nicht vertrauenswürdig: ") + warum;
}

bool nadelEinstellen(CURL* handle, const QByteArray& nadel)
{
    return setzen(handle, CURLOPT_SSL_VERIFYPEER, 0L) && setzen(handle, CURLOPT_SSL_VERIFYHOST, 2L)
        && setzen(handle, CURLOPT_PINNEDPUBLICKEY, nadel.constData()) && setzen(handle, CURLOPT_CERTINFO, 1L);
}

QByteArray zertifikatAbholen(CURL* handle)
{
    curl_certinfo* kette = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_CERTINFO, &kette) != CURLE_OK || !kette || kette->num_of_certs < 1)
        return {};
    for (const curl_slist* feld = kette->certinfo[0]; feld; feld = feld->next) {
        if (const QByteArrayView zeile(feld->data); zeile.startsWith("Cert:"))
            return pemZuDer(zeile.sliced(5).toByteArray());
    }
    return {};
}
