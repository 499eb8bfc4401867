#include "verlauf/uploadeintrag.h"

#include "settings/optionen.h"
#include "transfer/bilddatei.h"
#include "transfer/bildhostwahl.h"
#include "transfer/ftpadresse.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <utility>

namespace {
constexpr int vorschauKante = 128;

QString ftpModus(const QString& ftpServer)
{
    const auto server = ftpServerLesen(ftpServer);
    if (server && server->schutz == FtpSchutz::ExplizitesTls)
        return QStringLiteral("FTPES");
    if (server && server->schutz == FtpSchutz::ImplizitesTls)
        return QStringLiteral("FTPS");
    if (server && server->schutz == FtpSchutz::Ssh)
        return QStringLiteral("SFTP");
    return QStringLiteral("FTP");
}
} // namespace

Verlaufseintrag uploadEintrag(const Bilddatei& datei, const Optionen& optionen, const QString& link,
    const QString& loeschschluessel, QByteArray vorschau)
{
    Verlaufseintrag eintrag;
    eintrag.zeit = QDateTime::currentDateTimeUtc();
    eintrag.datei = datei.pfad;
    eintrag.link = link;
    if (optionen.useIS) {
        eintrag.modus = QStringLiteral("Bildhost");
        eintrag.server = bildhost(optionen);
        // The host names its pictures by the last piece of the address.
        eintrag.entfernterPfad = link.mid(link.lastIndexOf(u'/') + 1);
        eintrag.loeschschluessel = loeschschluessel;
    } else {
        eintrag.modus = ftpModus(optionen.FTPServer);
        eintrag.server = optionen.FTPServer;
        eintrag.benutzer = optionen.FTPLogin;
        eintrag.entfernterPfad = optionen.FTPPath + datei.langerName;
    }
    eintrag.groesse = QFileInfo(datei.kurzerPfad).size();
    eintrag.vorschau = std::move(vorschau);
    return eintrag;
}

QByteArray vorschaubild(const QString& pfad)
{
    QImageReader leser(pfad);
    leser.setAutoTransform(true);
    const QSize groesse = leser.size();
    if (!groesse.isValid() || groesse.isEmpty())
        return {};
    if (groesse.width() > vorschauKante || groesse.height() > vorschauKante)
        leser.setScaledSize(groesse.scaled(vorschauKante, vorschauKante, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage bild = leser.read();
    if (bild.isNull())
        return {};
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    const bool mitAlpha = bild.hasAlphaChannel();
    if (!bild.save(&puffer, mitAlpha ? "PNG" : "JPEG", mitAlpha ? -1 : 80))
        return {};
    return daten;
}
