#pragma once

// Scripted stand-ins for the parts a run talks to, so a test can answer the
// boxes and read back everything that was shown.

#include "app/dialoge.h"
#include "app/einstellungsfenster.h"
#include "app/instanzsperre.h"
#include "app/startlauf.h"
#include "links/nachupload.h"
#include "settings/einstellungsspeicher.h"
#include "settings/optionen.h"
#include "settings/schluesselbund.h"
#include "statusfenster/statusanzeige.h"
#include "transfer/uebertragung.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <atomic>
#include <functional>

struct GezeigteMeldung {
    QString text;
    QString titel;
    Meldungsstil stil;
};

class SkriptDialoge : public Dialoge {
public:
    bool meldung(const QString& text, const QString& titel, Meldungsstil stil) override;
    QString passwortAbfragen(const QString& aufforderung, const QString& titel) override;

    QList<GezeigteMeldung> meldungen;
    QStringList passwortAufforderungen;
    // Answers to Yes/No questions, in order; "Ja" when none is left.
    QList<bool> antworten;
    QStringList passwortAntworten;
};

// The settings window's controls without a window: what a widget would hold.
class SpeicherFenster : public Einstellungsfenster {
public:
    QString text(Textfeld feld) const override { return texte.value(feld); }
    void setText(Textfeld feld, const QString& t) override { texte.insert(feld, t); }
    bool istAngehakt(Haken h) const override { return haken.value(h, false); }
    void setAngehakt(Haken h, bool an) override { haken.insert(h, an); }
    void optionWaehlen(Zwischenablageinhalt o) override;
    Zwischenablageinhalt aktiveOptionFinden() const override { return option; }
    void proxyRegelAnwenden() override { ++proxyRegelAufrufe; }
    void bildhostRegelAnwenden() override { ++bildhostRegelAufrufe; }
    void setTitel(const QString& t) override { titel = t; }
    void setBildhost(const QString& host) override { bildhost = host; }
    void verbergen() override { sichtbar = false; }
    void zeigen() override
    {
        sichtbar = true;
        ++gezeigt;
    }
    void okAktivieren(bool aktiv) override { okAktiv = aktiv; }
    void passwortHinweisZeigen(bool zeigen) override { passwortHinweis = zeigen; }

    Zwischenablageinhalt option = Zwischenablageinhalt::HtmlCode;
    QString titel;
    QString bildhost;
    bool sichtbar = false;
    int gezeigt = 0;
    bool okAktiv = true;
    bool passwortHinweis = false;
    int proxyRegelAufrufe = 0;
    int bildhostRegelAufrufe = 0;

private:
    QMap<Textfeld, QString> texte;
    QMap<Haken, bool> haken;
};

// A desktop without a keyring: the password stays in the settings file.
class OhneSchluesselbund : public Schluesselbund {
public:
    Antwort lesen(const QString&, QString&) override { return Antwort::Fehlt; }
    Antwort schreiben(const QString&, const QString&) override { return Antwort::Fehlt; }
    Antwort loeschen(const QString&) override { return Antwort::Fehlt; }
};

class FesteSperre : public Instanzsperre {
public:
    bool andereInstanzLaeuft() override { return laeuft; }
    bool laeuft = false;
};

class AufzeichnendeStatusanzeige : public Statusanzeige {
public:
    void status(const QString& text) override
    {
        texte.append(text);
        if (!abbrechenBei.isEmpty() && text == abbrechenBei)
            abbruch = true;
    }
    void bildzeile(const QString& text) override { bildzeilen.append(text); }
    bool abbruchGewuenscht() const override { return abbruch || (abbrechenWenn && abbrechenWenn()); }
    QStringList texte;
    QStringList bildzeilen;
    // The user stops the transfer as soon as this text is shown; "" never.
    QString abbrechenBei;
    // Or once this says so; asked on the transfer's worker as it goes.
    std::function<bool()> abbrechenWenn;
    std::atomic<bool> abbruch{ false };
};

// Records every call; answers with the scripted result.
class SkriptUebertragung : public Uebertragung {
public:
    FtpErgebnis ftpUpload(
        const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText) override;
    QString bildhostUpload(
        const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText) override;
    bool vertrauen(QString&) override
    {
        ++vertraut;
        return true;
    }

    // Runs inside every upload, as the user's clicks would while it goes on.
    std::function<void()> waehrendDesUploads;
    FtpErgebnis ftpErgebnis = FtpErgebnis::Hochgeladen;
    QString bildhostLink = QStringLiteral("http://bilder.example/x.jpg");
    QString fehler = QStringLiteral("Fehlergrund");
    QStringList ftpPfade;
    QStringList bildhostPfade;
    Optionen letzteOptionen;
    int vertraut = 0;
};

class AufzeichnenderNachUpload : public NachUpload {
public:
    QString ausfuehren(const QString& link, const Bilddatei& datei, const Optionen& optionen) override;

    struct Aufruf {
        QString link;
        QString quoteFreeName;
        QString shortPath;
    };
    QList<Aufruf> aufrufe;
};

// A run on the given argument string with the real settings store, the given
// window, dialogs, keyring and transfer, and every other part scripted.
template <typename Fenster, typename DialogeArt, typename Bund = OhneSchluesselbund,
    typename Transfer = SkriptUebertragung>
struct Testlauf {
    explicit Testlauf(const QString& argumente = QString(), const QString& einzigeDatei = QString())
        : lauf({ dialoge, fenster, speicher, sperre, uebertragung, status, nachUpload, schluesselbund }, argumente,
            einzigeDatei.isEmpty() ? QStringList() : QStringList{ einzigeDatei })
    {
    }

    Fenster fenster;
    DialogeArt dialoge;
    Einstellungsspeicher speicher;
    FesteSperre sperre;
    Transfer uebertragung;
    AufzeichnendeStatusanzeige status;
    AufzeichnenderNachUpload nachUpload;
    Bund schluesselbund;
    Startlauf lauf;
};

using Skriptlauf = Testlauf<SpeicherFenster, SkriptDialoge>;
