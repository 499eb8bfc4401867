#include "settings/einstellungsspeicher.h"

#include "platform/privatedatei.h"
#include "settings/binaerwert.h"

#include <QSettings>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace {
const QString anwendung = QStringLiteral("MorvaFotoschicker");
const QString gruppe = QStringLiteral("Optionen");

QSettings oeffnen()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, anwendung, anwendung);
}

// QSettings reads U+FEFF (a byte-order mark, or a zero-width no-break space pasted along) away
// where it starts a value or follows one of its escapes: each rewrite and load would take one more
// away. A value holding one is written as its UTF-8 bytes, which QSettings keeps, and read back
// with every mark.
constexpr char16_t markierung = 0xFEFF;

QVariant alsWert(const QString& text)
{
    return text.contains(markierung) ? QVariant(text.toUtf8()) : QVariant(text);
}

QString text(const QVariant& wert)
{
    QString gelesen;
    // A hand-edited INI line with an unquoted comma reads back as a list.
    if (wert.typeId() == QMetaType::QStringList)
        gelesen = wert.toStringList().join(QStringLiteral(", "));
    // Bytes, as alsWert writes them, keep their leading mark; toString() would drop it.
    else if (wert.typeId() == QMetaType::QByteArray)
        gelesen
            = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom).decode(wert.toByteArray());
    else
        gelesen = wert.toString();
    // A hand-made escape ("\xd800") can give a text that holds a lone surrogate,
    // which the UTF-8 file cannot keep: the rewrite would store another setting
    // than the one loaded. Taken as the file would keep it.
    return gelesen.isValidUtf16() ? gelesen : QString::fromUtf8(gelesen.toUtf8());
}

// A store holds what QSettings writes and what a person adds by hand: blank
// lines, comments, [groups] and key=value, where QSettings itself writes an empty
// key (from a hand-made "x/=" line) as "=value". Any other line is a sign of another
// file the store was linked to or put in place of, which a rewrite would replace.
// A value only another program writes is refused too, and told after such a line.
QString fremdeZeile(const QByteArray& inhalt)
{
    const QByteArray ohneBom = inhalt.startsWith("\xef\xbb\xbf") ? inhalt.mid(3) : inhalt;
    const QList<QByteArray> zeilen = ohneBom.split('\n');
    qsizetype binaerwertZeile = 0;
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        // QSettings ends a line at a lone CR too.
        for (const QByteArray& teil : zeilen[i].split('\r')) {
            const QByteArray zeile = teil.trimmed();
            const bool eigen = zeile.isEmpty() || zeile.startsWith(';') || zeile.startsWith('#')
                || (zeile.startsWith('[') && zeile.endsWith(']')) || zeile.contains('=');
            if (!eigen)
                return QStringLiteral("Zeile %1 ist weder leer noch ein Kommentar, eine [Gruppe] oder Schlüssel=Wert; ")
                           .arg(i + 1)
                    + QStringLiteral("die Datei ist wohl keine Einstellungsdatei.");
            if (binaerwertZeile == 0 && haeltBinaerwert(teil))
                binaerwertZeile = i + 1;
        }
    }
    if (binaerwertZeile == 0)
        return QString();
    return QStringLiteral("Zeile %1 enthält einen Wert der Form „@Variant(…)“ oder „@DateTime(…)“, ")
               .arg(binaerwertZeile)
        + QStringLiteral("den dieses Programm nie schreibt. Solche Werte werden nicht gelesen: ")
        + QStringLiteral("ein beschädigter kann beliebig viel Speicher anfordern.");
}

bool haeltSchon(const QSettings& speicher, const Einstellungsspeicher::Werte& werte)
{
    return std::all_of(werte.begin(), werte.end(), [&speicher](const auto& paar) {
        const QString schluessel = gruppe + u'/' + paar.first;
        return speicher.contains(schluessel) && text(speicher.value(schluessel)) == paar.second;
    });
}
} // namespace

QString Einstellungsspeicher::ort() const
{
    return speicherort(anwendung);
}

QString Einstellungsspeicher::lesefehler() const
{
    // Looked at before QSettings opens it, which would wait on a FIFO for ever.
    QByteArray inhalt;
    QString grund = ::lesefehler(ort(), inhalt);
    if (grund.isEmpty())
        grund = fremdeZeile(inhalt);
    if (grund.isEmpty() && oeffnen().status() == QSettings::AccessError)
        grund = QStringLiteral("Zugriff verweigert");
    return grund;
}

QString Einstellungsspeicher::lesen(const QString& schluessel) const
{
    QString fehler;
    return lesen(QStringList{ schluessel }, fehler).value(schluessel);
}

QHash<QString, QString> Einstellungsspeicher::lesen(const QStringList& schluessel, QString& lesefehler) const
{
    QHash<QString, QString> werte;
    lesefehler = this->lesefehler();
    if (!lesefehler.isEmpty())
        return werte;
    const QSettings speicher = oeffnen();
    for (const QString& name : schluessel)
        werte.insert(name, text(speicher.value(gruppe + u'/' + name)));
    return werte;
}

bool Einstellungsspeicher::schreiben(const Werte& werte, QString& grund)
{
    const QString nichtLesbar = lesefehler();
    if (!nichtLesbar.isEmpty()) {
        grund = nichtLesbar;
        return false;
    }
    QSettings speicher = oeffnen();
    if (haeltSchon(speicher, werte) && istPrivat(speicher.fileName()))
        return true;
    // QSettings replaces the file through a temporary one and keeps the mode
    // of an existing file, so creating it private first keeps the password private.
    if (!privateDateiAnlegen(speicher.fileName(), grund))
        return false;
    speicher.beginGroup(gruppe);
    for (const auto& [schluessel, wert] : werte)
        speicher.setValue(schluessel, alsWert(wert));
    speicher.endGroup();
    speicher.sync();
    // A format error only tells of the file that was there (an editor's byte-order mark is enough, and
    // Qt may notice it first while merging in sync()); the file is written all the same.
    if (speicher.status() != QSettings::AccessError)
        return true;
    grund = QStringLiteral("Schreibfehler");
    return false;
}
