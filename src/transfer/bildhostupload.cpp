#include "transfer/bildhostupload.h"

#include "platform/shortpath.h"
#include "statusfenster/statusanzeige.h"
#include "text/textfunktionen.h"

namespace {
const QString anfangsmarke = QStringLiteral("[img]");
const QString endmarke = QStringLiteral("[/img]");

// The address goes unescaped into an HTML attribute and the clipboard, so a
// reply must not be able to smuggle markup or a second word in with it.
bool kannAdresseSein(const QString& adresse)
{
    for (const QChar zeichen : adresse) {
        if (zeichen.isSpace() || zeichen.category() == QChar::Other_Control || zeichen == u'"' || zeichen == u'<'
            || zeichen == u'>')
            return false;
    }
    return true;
}

// Only the first start marker counts, even when a later pair would be complete.
bool adresseFinden(const QString& antwort, QString& adresse)
{
    const qsizetype anfang = antwort.indexOf(anfangsmarke);
    if (anfang < 0)
        return false;
    const qsizetype start = anfang + anfangsmarke.size();
    const qsizetype ende = antwort.indexOf(endmarke, start);
    if (ende < 0)
        return false;
    adresse = antwort.mid(start, ende - start);
    return kannAdresseSein(adresse);
}
} // namespace

QString bildhostUpload(
    const QString& host, QString& path, Statusanzeige& status, QString& fehlerText, const HttpGrenzen& grenzen)
{
    const QString fehlschlag
        = QStringLiteral("Die Datei konnte nicht auf ") + host + QStringLiteral(" kopiert werden!");
    path = ohneAnfuehrungszeichen(path);
    status.status(QStringLiteral("Dienst ") + host + QStringLiteral(" wird kontaktiert"));
    path = ShortPath(path);
    status.status(QStringLiteral("Datei wird übertragen"));

    QString antwort;
    QString adresse;
    if (!httpUpload(host, QStringLiteral("/"), path, antwort, grenzen) || !adresseFinden(antwort, adresse)) {
        fehlerText = fehlschlag;
        adresse.clear();
    }
    status.status(QString());
    return adresse;
}
