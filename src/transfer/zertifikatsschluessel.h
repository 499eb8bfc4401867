#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// What an FTPS server's certificate says about itself, read from its DER form.
struct Zertifikatsangaben {
    QByteArray der;
    // The SubjectPublicKeyInfo: what a pin names, so a certificate renewed
    // with the same key stays trusted.
    QByteArray oeffentlicherSchluessel;
    QDateTime gueltigAb;
    QDateTime gueltigBis;
};

// Nullopt when der is no certificate this reader understands.
std::optional<Zertifikatsangaben> zertifikatLesen(const QByteArray& der);
// The first certificate of a PEM text, as libcurl's certificate info holds it.
QByteArray pemZuDer(const QByteArray& pem);

// libcurl's pin of a public key: "sha256//" and the base64 of its SHA-256.
QByteArray zertifikatsnadel(const QByteArray& oeffentlicherSchluessel);
// The certificate's SHA-256 fingerprint as browsers show it: "AB:CD:...".
QString zertifikatsFingerabdruck(const QByteArray& der);

// The pin stored for "host:port" in the program's own file; empty when none is.
QByteArray gespeicherteNadel(const QString& hostUndPort);
