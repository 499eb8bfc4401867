#include "transfer/zertifikatsschluessel.h"

#include "transfer/vertrauensspeicher.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTimeZone>

namespace {
// One DER element: where it starts, where its content starts and how long that is.
struct Element {
    quint8 tag = 0;
    qsizetype anfang = 0;
    qsizetype inhalt = 0;
    qsizetype laenge = 0;
    qsizetype ende() const { return inhalt + laenge; }
};

std::optional<Element> elementLesen(const QByteArray& der, qsizetype stelle, qsizetype grenze)
{
    if (stelle + 2 > grenze)
        return std::nullopt;
    Element element;
    element.anfang = stelle;
    element.tag = quint8(der.at(stelle));
    qsizetype laenge = quint8(der.at(stelle + 1));
    stelle += 2;
    if (laenge & 0x80) {
        const int bytes = int(laenge & 0x7f);
        if (bytes < 1 || bytes > 4 || stelle + bytes > grenze)
            return std::nullopt;
        laenge = 0;
        for (int i = 0; i < bytes; ++i)
            laenge = (laenge << 8) | quint8(der.at(stelle++));
    }
    element.inhalt = stelle;
    element.laenge = laenge;
    if (element.ende() > grenze)
        return std::nullopt;
    return element;
}

QDateTime zeitLesen(const QByteArray& der, const Element& element)
{
    const QString text = QString::fromLatin1(der.mid(element.inhalt, element.laenge));
    QDateTime zeit;
    if (element.tag == 0x17) // UTCTime: two digits of the year, 1950 to 2049
        zeit = QDateTime::fromString(text, QStringLiteral("yyMMddHHmmss'Z'"));
    else if (element.tag == 0x18)
        zeit = QDateTime::fromString(text, QStringLiteral("yyyyMMddHHmmss'Z'"));
    if (element.tag == 0x17 && zeit.isValid() && zeit.date().year() < 1950)
        zeit = zeit.addYears(100);
    zeit.setTimeZone(QTimeZone::utc());
    return zeit;
}
} // namespace

std::optional<Zertifikatsangaben> zertifikatLesen(const QByteArray& der)
{
    const auto zertifikat = elementLesen(der, 0, der.size());
    const auto tbs = zertifikat ? elementLesen(der, zertifikat->inhalt, zertifikat->ende()) : std::nullopt;
    if (!tbs || tbs->tag != 0x30)
        return std::nullopt;
    // version [0] (optional), serialNumber, signature, issuer, validity, subject, subjectPublicKeyInfo
    QList<Element> felder;
    for (qsizetype stelle = tbs->inhalt; stelle < tbs->ende() && felder.size() < 7;) {
        const auto feld = elementLesen(der, stelle, tbs->ende());
        if (!feld)
            return std::nullopt;
        if (!(felder.isEmpty() && feld->tag == 0xa0))
            felder.append(*feld);
        stelle = feld->ende();
    }
    if (felder.size() < 6 || felder.at(3).tag != 0x30 || felder.at(5).tag != 0x30)
        return std::nullopt;
    const Element& gueltigkeit = felder.at(3);
    const auto ab = elementLesen(der, gueltigkeit.inhalt, gueltigkeit.ende());
    const auto bis = ab ? elementLesen(der, ab->ende(), gueltigkeit.ende()) : std::nullopt;
    if (!bis)
        return std::nullopt;
    const Element& schluessel = felder.at(5);
    Zertifikatsangaben angaben;
    angaben.der = der;
    angaben.oeffentlicherSchluessel = der.mid(schluessel.anfang, schluessel.ende() - schluessel.anfang);
    angaben.gueltigAb = zeitLesen(der, *ab);
    angaben.gueltigBis = zeitLesen(der, *bis);
    if (!angaben.gueltigAb.isValid() || !angaben.gueltigBis.isValid())
        return std::nullopt;
    return angaben;
}

QByteArray pemZuDer(const QByteArray& pem)
{
    const QByteArray anfang = "-----BEGIN CERTIFICATE-----";
    const qsizetype start = pem.indexOf(anfang);
    const qsizetype ende = pem.indexOf("-----END CERTIFICATE-----", start);
    if (start < 0 || ende < 0)
        return {};
    return QByteArray::fromBase64(pem.mid(start + anfang.size(), ende - start - anfang.size()).simplified());
}

QByteArray zertifikatsnadel(const QByteArray& oeffentlicherSchluessel)
{
    return "sha256//" + QCryptographicHash::hash(oeffentlicherSchluessel, QCryptographicHash::Sha256).toBase64();
}

QString zertifikatsFingerabdruck(const QByteArray& der)
{
    return QString::fromLatin1(QCryptographicHash::hash(der, QCryptographicHash::Sha256).toHex(':').toUpper());
}

QByteArray gespeicherteNadel(const QString& hostUndPort)
{
    QFile datei(eigeneZertifikatsschluessel());
    if (!datei.open(QIODevice::ReadOnly))
        return {};
    const QByteArray name = hostUndPort.toUtf8();
    QByteArray nadel;
    // The last line for the host wins, as each "Ja" appends one.
    while (!datei.atEnd()) {
        const QList<QByteArray> felder = datei.readLine().simplified().split(' ');
        if (felder.size() == 2 && felder.at(0) == name && felder.at(1).startsWith("sha256//"))
            nadel = felder.at(1);
    }
    return nadel;
}
