#include "transfer/ftpshochladen.h"

#include "transfer/zertifikatsschluessel.h"

#include <QDateTime>

namespace {
// Only a certificate that is sound but for whom it comes from may be trusted
// by hand (OpenSSL: self-signed, issuer unknown); never one for another name
// or out of its time.
bool vertrauenAnbietbar(long pruefung)
{
    return pruefung == 2 || pruefung == 18 || pruefung == 19 || pruefung == 20 || pruefung == 21;
}

QString serverName(const FtpServerangabe& server)
{
    const QString port = !server.port.isEmpty()     ? server.port
        : server.schutz == FtpSchutz::ImplizitesTls ? QStringLiteral("990")
                                                    : QStringLiteral("21");
    return server.host + u':' + port;
}

} // namespace

QByteArray vertrauteNadel(const FtpServerangabe& server)
{
    if (server.schutz != FtpSchutz::ExplizitesTls && server.schutz != FtpSchutz::ImplizitesTls)
        return {};
    return gespeicherteNadel(serverName(server));
}

FtpErgebnis ftpsHochladen(const Auftrag& auftrag, QString& fehlerText, Vertrauensfrage* frage)
{
    const QString name = serverName(auftrag.server);
    const QString host = auftrag.server.host;
    const QString crlf = QStringLiteral("\r\n");
    if (const QByteArray nadel = vertrauteNadel(auftrag.server); !nadel.isEmpty()) {
        const Durchgang durchgang = ftpVerbinden(auftrag, nullptr, 0, fehlerText, &nadel);
        const auto angaben = zertifikatLesen(durchgang.zertifikat);
        if (durchgang.code != CURLE_SSL_PINNEDPUBKEYNOTMATCH || !angaben)
            return durchgang.ergebnis;
        fehlerText = QStringLiteral("Das Zertifikat von ") + host
            + QStringLiteral(" hat einen anderen Schlüssel als das, dem Sie vertraut haben!") + crlf
            + QStringLiteral("Gespeichert: ") + QString::fromLatin1(nadel) + crlf + QStringLiteral("Jetzt: ")
            + QString::fromLatin1(zertifikatsnadel(angaben->oeffentlicherSchluessel)) + crlf
            + QStringLiteral("Es wurde nichts gesendet: Jemand könnte sich als dieser Server ausgeben. Hat der ")
            + QStringLiteral("Server wirklich ein neues Zertifikat, entfernen Sie die Zeile für ") + name
            + QStringLiteral(" aus „") + eigeneZertifikatsschluessel() + QStringLiteral("“.");
        return FtpErgebnis::SchluesselGeaendert;
    }

    const Durchgang durchgang = ftpVerbinden(auftrag, nullptr, 0, fehlerText);
    if (durchgang.ergebnis != FtpErgebnis::ZertifikatAbgelehnt || !vertrauenAnbietbar(durchgang.pruefung))
        return durchgang.ergebnis;
    // A pin no key has: the handshake completes, the pin fails, nothing else is sent.
    const QByteArray keine = "sha256//" + QByteArray(32, '\0').toBase64();
    QString nichtGezeigt;
    const Durchgang probe = ftpVerbinden(auftrag, nullptr, 0, nichtGezeigt, &keine);
    const auto angaben = zertifikatLesen(probe.zertifikat);
    const QDateTime jetzt = QDateTime::currentDateTimeUtc();
    if (probe.code != CURLE_SSL_PINNEDPUBKEYNOTMATCH || !angaben || jetzt < angaben->gueltigAb
        || jetzt > angaben->gueltigBis)
        return durchgang.ergebnis;
    fehlerText += crlf + QStringLiteral("SHA-256-Fingerabdruck: ") + zertifikatsFingerabdruck(angaben->der) + crlf
        + QStringLiteral("Diesem Zertifikat für ") + host + QStringLiteral(" künftig vertrauen?");
    if (frage)
        *frage = { eigeneZertifikatsschluessel(),
            name.toUtf8() + ' ' + zertifikatsnadel(angaben->oeffentlicherSchluessel) };
    return FtpErgebnis::Rueckfrage;
}
