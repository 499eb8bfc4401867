#include "transfer/hostschluessel.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>

namespace {
// OpenSSH's patterns: "*" any run, "?" one character, compared without case;
// "[" and "]" are plain characters there, as in "[host]:port".
bool musterPasst(const QString& muster, const QString& name)
{
    QString ausdruck = QRegularExpression::escape(muster);
    ausdruck.replace(QStringLiteral("\\*"), QStringLiteral(".*")).replace(QStringLiteral("\\?"), QStringLiteral("."));
    return QRegularExpression(QRegularExpression::anchoredPattern(ausdruck), QRegularExpression::CaseInsensitiveOption)
        .match(name)
        .hasMatch();
}

// "|1|salt|hash": the name's HMAC-SHA1 keyed with the salt, so the file does not tell whom one talks to.
bool hashPasst(const QString& eintrag, const QString& name)
{
    const QStringList teile = eintrag.split(u'|');
    if (teile.size() != 4 || teile.at(1) != QStringLiteral("1"))
        return false;
    const QByteArray salz = QByteArray::fromBase64(teile.at(2).toLatin1());
    const QByteArray hash = QByteArray::fromBase64(teile.at(3).toLatin1());
    return !hash.isEmpty() && QMessageAuthenticationCode::hash(name.toUtf8(), salz, QCryptographicHash::Sha1) == hash;
}

// A comma-separated list of patterns names the server when one of them does
// and none of the negated ones ("!pattern") does.
bool hostsPassen(const QString& feld, const QStringList& namen)
{
    if (feld.startsWith(u'|'))
        return std::any_of(namen.begin(), namen.end(), [&](const QString& n) { return hashPasst(feld, n); });
    bool passt = false;
    for (const QString& muster : feld.split(u',')) {
        const bool verneint = muster.startsWith(u'!');
        const QString rest = verneint ? muster.mid(1) : muster;
        if (std::any_of(namen.begin(), namen.end(), [&](const QString& n) { return musterPasst(rest, n); })) {
            if (verneint)
                return false;
            passt = true;
        }
    }
    return passt;
}
} // namespace

Hostschluessel hostschluesselAus(const QByteArray& blob)
{
    if (blob.size() < 4)
        return { {}, blob };
    const quint32 laenge = qFromBigEndian<quint32>(blob.constData());
    if (laenge == 0 || laenge > quint32(blob.size() - 4))
        return { {}, blob };
    return { blob.mid(4, qsizetype(laenge)), blob };
}

QString fingerabdruck(const Hostschluessel& schluessel)
{
    const QByteArray hash = QCryptographicHash::hash(schluessel.blob, QCryptographicHash::Sha256);
    return QStringLiteral("SHA256:") + QString::fromLatin1(hash.toBase64(QByteArray::OmitTrailingEquals));
}

QString schluesselart(const Hostschluessel& schluessel)
{
    const QByteArray& typ = schluessel.typ;
    if (typ == "ssh-ed25519")
        return QStringLiteral("ED25519");
    if (typ.startsWith("ecdsa-"))
        return QStringLiteral("ECDSA");
    if (typ == "ssh-rsa")
        return QStringLiteral("RSA");
    return QString::fromLatin1(typ);
}

QString knownHostsName(const QString& host, int port)
{
    if (port == 22)
        return host;
    return u'[' + host + QStringLiteral("]:") + QString::number(port);
}

QByteArray knownHostsZeile(const QString& host, int port, const Hostschluessel& schluessel)
{
    return knownHostsName(host, port).toUtf8() + ' ' + schluessel.typ + ' ' + schluessel.blob.toBase64();
}

QList<Hostschluessel> bekannteSchluessel(const QStringList& dateien, const QString& host, int port)
{
    // On port 22 some tools write "[host]:22"; OpenSSH itself looks for the bare host.
    QStringList namen{ knownHostsName(host, port) };
    if (port == 22)
        namen.append(u'[' + host + QStringLiteral("]:22"));
    static const QRegularExpression leerraum(QStringLiteral("[ \t]+"));
    QList<Hostschluessel> gefunden;
    for (const QString& pfad : dateien) {
        QFile datei(pfad);
        if (!datei.open(QIODevice::ReadOnly))
            continue;
        while (!datei.atEnd()) {
            const QString zeile = QString::fromUtf8(datei.readLine()).trimmed();
            if (zeile.isEmpty() || zeile.startsWith(u'#') || zeile.startsWith(u'@'))
                continue;
            const QStringList felder = zeile.split(leerraum);
            if (felder.size() < 3 || !hostsPassen(felder.at(0), namen))
                continue;
            const Hostschluessel schluessel = hostschluesselAus(QByteArray::fromBase64(felder.at(2).toLatin1()));
            if (!schluessel.typ.isEmpty() && schluessel.typ == felder.at(1).toLatin1())
                gefunden.append(schluessel);
        }
    }
    return gefunden;
}

Schluesselpruefung schluesselPruefen(
    const QList<Hostschluessel>& bekannte, const Hostschluessel& gefunden, Hostschluessel* gespeichert)
{
    if (bekannte.contains(gefunden))
        return Schluesselpruefung::Bekannt;
    for (const Hostschluessel& schluessel : bekannte) {
        if (schluessel.typ == gefunden.typ) {
            if (gespeichert)
                *gespeichert = schluessel;
            return Schluesselpruefung::Geaendert;
        }
    }
    return Schluesselpruefung::Unbekannt;
}
