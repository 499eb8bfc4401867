#include "ftptestserver.h"

#include "kindprozess.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {
QString skript()
{
    return qEnvironmentVariable("TEST_SOURCE_DIR") + QStringLiteral("/support/ftp_testserver.py");
}
} // namespace

FtpTestserver::FtpTestserver(const Art& art)
{
    QStringList argumente{ QStringLiteral("-u"), skript(), QStringLiteral("--benutzer"), art.benutzer,
        QStringLiteral("--passwort"), art.passwort, QStringLiteral("--wurzel"), m_wurzel.path(),
        QStringLiteral("--rechte"), art.rechte };
    if (art.drossel > 0)
        argumente << QStringLiteral("--drossel") << QString::number(art.drossel);
    if (art.verwerfen)
        argumente << QStringLiteral("--verwerfen");
    if (!art.haengen.isEmpty())
        argumente << QStringLiteral("--haengen") << art.haengen;
    if (art.mitzaehlen || art.storAufhalten)
        argumente << QStringLiteral("--ereignisse") << ereignisDatei();
    if (art.storAufhalten)
        argumente << QStringLiteral("--stor-tor") << storTor();
    if (!art.tropfen.isEmpty())
        argumente << QStringLiteral("--tropfen") << art.tropfen;
    if (art.kuerzen >= 0)
        argumente << QStringLiteral("--kuerzen") << QString::number(art.kuerzen);
    if (art.ohneSize)
        argumente << QStringLiteral("--ohne-size");
    if (!art.tls.isEmpty())
        argumente << QStringLiteral("--tls") << art.tls << QStringLiteral("--zertifikat") << art.zertifikat;
    m_prozess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endetMitDemTest(m_prozess);
    m_prozess.start(QStringLiteral("/usr/bin/python3"), argumente);

    const QDeadlineTimer frist(30000);
    while (!frist.hasExpired() && !m_ausgabe.contains('\n') && m_prozess.waitForReadyRead(frist.remainingTime()))
        m_ausgabe += m_prozess.readAllStandardOutput();
    const qsizetype ende = m_ausgabe.indexOf('\n');
    if (m_ausgabe.startsWith("PORT ") && ende > 0)
        m_port = static_cast<quint16>(m_ausgabe.mid(5, ende - 5).toUInt());
    m_ausgabe.remove(0, ende + 1);
}

FtpTestserver::~FtpTestserver()
{
    m_prozess.terminate();
    if (!m_prozess.waitForFinished(3000))
        m_prozess.kill();
    m_prozess.waitForFinished(3000);
}

QString FtpTestserver::ereignisDatei() const
{
    return m_ereignisse.filePath(QStringLiteral("ereignisse"));
}

QString FtpTestserver::storTor() const
{
    return m_ereignisse.filePath(QStringLiteral("tor"));
}

void FtpTestserver::storFreigeben()
{
    QFile tor(storTor());
    tor.open(QIODevice::WriteOnly);
}

FtpTestserver::Lesestand FtpTestserver::lesestand() const
{
    Lesestand stand;
    QFile datei(ereignisDatei());
    if (!datei.open(QIODevice::ReadOnly))
        return stand;
    // The server appends whole lines; a line it is still writing has no end yet.
    const QByteArray inhalt = datei.readAll();
    for (const QByteArray& zeile : inhalt.left(inhalt.lastIndexOf('\n') + 1).split('\n')) {
        if (zeile.startsWith("GELESEN "))
            stand.gelesen = zeile.mid(8).toLongLong();
        else if (zeile == "BESTAETIGT")
            stand.bestaetigt = true;
        else if (zeile == "STOR")
            stand.storErhalten = true;
    }
    return stand;
}

QString FtpTestserver::adresse() const
{
    return QStringLiteral("127.0.0.1:") + QString::number(m_port);
}

QStringList FtpTestserver::protokoll()
{
    // The server may still be writing the last lines of a session that just
    // ended: the transcript is whole once every connection it took has ended.
    const QDeadlineTimer frist(30000);
    m_ausgabe += m_prozess.readAllStandardOutput();
    while (m_ausgabe.count("VERBUNDEN\n") > m_ausgabe.count("GETRENNT\n") && !frist.hasExpired()) {
        m_prozess.waitForReadyRead(frist.remainingTime());
        m_ausgabe += m_prozess.readAllStandardOutput();
    }
    QStringList zeilen;
    for (const QByteArray& zeile : m_ausgabe.split('\n'))
        if (!zeile.isEmpty())
            zeilen << QString::fromUtf8(zeile);
    return zeilen;
}

QStringList FtpTestserver::befehle()
{
    QStringList befehle;
    for (const QString& zeile : protokoll())
        if (zeile.startsWith(QStringLiteral("BEFEHL ")))
            befehle << zeile.mid(7);
    return befehle;
}
