#include "settings/einstellungen.h"
#include "settings/einstellungsspeicher.h"
#include "settings/optionen.h"
#include "settings/steuerelemente.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
// The settings window's controls, holding what a widget would hold.
class Felder : public Steuerelemente {
public:
    QString text(Textfeld feld) const override { return m_texte.value(feld); }
    void setText(Textfeld feld, const QString& text) override { m_texte.insert(feld, text); }
    bool istAngehakt(Haken haken) const override { return m_haken.value(haken, false); }
    void setAngehakt(Haken haken, bool angehakt) override { m_haken.insert(haken, angehakt); }
    void optionWaehlen(Zwischenablageinhalt option) override
    {
        if (option != Zwischenablageinhalt::KeineAuswahl)
            m_option = option;
    }
    Zwischenablageinhalt aktiveOptionFinden() const override { return m_option; }
    void proxyRegelAnwenden() override { }
    void bildhostRegelAnwenden() override { }

private:
    QMap<Textfeld, QString> m_texte;
    QMap<Haken, bool> m_haken;
    Zwischenablageinhalt m_option = Zwischenablageinhalt::HtmlCode;
};

QString speicherdatei;

// QSettings keeps a file it has parsed and reads it again only when its size or
// time changed; each step gets a time of its own, so every load reads the disk.
void neueZeit(const QString& pfad)
{
    static time_t zeit = 1000000000;
    const timespec zeiten[2] = { { ++zeit, 0 }, { zeit, 0 } };
    if (utimensat(AT_FDCWD, QFile::encodeName(pfad).constData(), zeiten, 0) != 0) {
        std::perror("utimensat");
        std::abort();
    }
}

Optionen laden(Einstellungsspeicher& speicher, Speicherfehler& fehler)
{
    Felder felder;
    Optionen optionen;
    Einstellungen(optionen, felder, speicher).einstellungenLaden(fehler);
    return optionen;
}

void abbrechen(const char* was, const Speicherfehler& fehler)
{
    std::fprintf(stderr, "%s: %s\n", was, qPrintable(fehler.grund));
    std::abort();
}

bool gleich(const Optionen& a, const Optionen& b)
{
    return a.useIS == b.useIS && a.FTPServer == b.FTPServer && a.FTPLogin == b.FTPLogin
        && a.FTPPassword == b.FTPPassword && a.FTPPath == b.FTPPath && a.FTPUseProxy == b.FTPUseProxy
        && a.FTPProxy == b.FTPProxy && a.FTPProxyPort == b.FTPProxyPort && a.FTPPassiv == b.FTPPassiv && a.URL == b.URL
        && a.LinkOption == b.LinkOption && a.StatusfensterZeigen == b.StatusfensterZeigen;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // As in the program, which loads its settings with its application running, and with every
    // type of Qt's that a hand-made "@Variant(…)" may name known.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_einstellungen";
    static char* argv[] = { name, nullptr };
    static QGuiApplication anwendung(argc, argv);
    // A store of our own, never the user's; removed when the run ends normally.
    static QTemporaryDir ordner;
    if (!ordner.isValid() || !QDir(ordner.path()).mkpath(QStringLiteral("MorvaFotoschicker"))) {
        std::fprintf(stderr, "kein temporärer Ordner\n");
        std::abort();
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ordner.path()));
    speicherdatei = ordner.path() + QStringLiteral("/MorvaFotoschicker/MorvaFotoschicker.conf");
    return 0;
}

// The input is the store's INI file as a damaged disk or a careless hand left it.
// Loading reads it and, as the start-up does, writes the record back; loading
// that file again must give the same record, or the rewrite changed a setting.
// A file with lines that are no settings is reported instead and must be left
// exactly as it was; the user may read and write it, so it is never a write error.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    QFile datei(speicherdatei);
    if (!datei.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || datei.write(reinterpret_cast<const char*>(daten), qint64(groesse)) != qint64(groesse)) {
        std::fprintf(stderr, "Speicherdatei nicht geschrieben\n");
        std::abort();
    }
    datei.close();
    neueZeit(speicherdatei);

    Einstellungsspeicher speicher;
    Speicherfehler fehler;
    const Optionen erstes = laden(speicher, fehler);
    if (fehler) {
        if (fehler.art != Speicherfehler::Art::Lesen)
            abbrechen("Speicherfehler", fehler);
        QFile gelesen(speicherdatei);
        if (!gelesen.open(QIODevice::ReadOnly)
            || gelesen.readAll() != QByteArray(reinterpret_cast<const char*>(daten), qsizetype(groesse)))
            abbrechen("Nicht lesbar und doch verändert", fehler);
        return 0;
    }
    neueZeit(speicherdatei);
    const Optionen zweites = laden(speicher, fehler);
    if (fehler)
        abbrechen("Die zurückgeschriebene Datei ist nicht lesbar", fehler);
    if (!gleich(erstes, zweites)) {
        std::fprintf(stderr, "Das Zurückschreiben hat eine Einstellung verändert\n");
        std::abort();
    }
    return 0;
}
