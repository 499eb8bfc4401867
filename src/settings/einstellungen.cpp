#include "settings/einstellungen.h"

#include "settings/einstellungsspeicher.h"
#include "settings/einstellungstabelle.h"
#include "settings/passwortablage.h"
#include "settings/steuerelemente.h"
#include "text/textfunktionen.h"

#include <optional>

namespace {
// One handler per kind of setting; a kind without one does not compile.
template <typename... Handler> struct JeArt : Handler... {
    using Handler::operator()...;
};
template <typename... Handler> JeArt(Handler...) -> JeArt<Handler...>;

bool angehakt(const QString& wort, Wortregel regel)
{
    if (regel == Wortregel::NurFalschHaktAus)
        return wort != QStringLiteral("Falsch");
    return wort == QStringLiteral("Wahr");
}

// A text that is no number of an option leaves the selection as it is.
std::optional<Zwischenablageinhalt> gespeicherteOption(const QString& text)
{
    bool istZahl = false;
    const int nummer = text.trimmed().toInt(&istZahl);
    if (!istZahl)
        return std::nullopt;
    for (const Zwischenablageinhalt option :
        { Zwischenablageinhalt::Nichts, Zwischenablageinhalt::Adresse, Zwischenablageinhalt::HtmlCode }) {
        if (int(option) == nummer)
            return option;
    }
    return std::nullopt;
}

// The text the store keeps for a setting.
QString speichertext(const Einstellung& e, const Optionen& o)
{
    return std::visit(JeArt{
                          [&](const Texteinstellung& t) { return o.*t.feld; },
                          [&](const Hakeneinstellung& h) { return boolean2string(o.*h.feld); },
                          [&](const Optionseinstellung& w) { return QString::number(int(o.*w.feld)); },
                      },
        e.art);
}

// Only "/" counts as a closing separator; a trailing backslash still gets one.
void schraegstrichAnhaengen(Steuerelemente& s, Textfeld feld)
{
    const QString text = s.text(feld);
    if (!text.isEmpty() && !text.endsWith(u'/'))
        s.setText(feld, text + u'/');
}
} // namespace

Einstellungen::Einstellungen(
    Optionen& optionen, Steuerelemente& steuerelemente, Einstellungsspeicher& speicher, Passwortablage* passwortablage)
    : m_optionen(optionen)
    , m_steuerelemente(steuerelemente)
    , m_speicher(speicher)
    , m_passwortablage(passwortablage)
{
}

bool Einstellungen::einstellungenLaden(Speicherfehler& fehler)
{
    Steuerelemente& s = m_steuerelemente;
    // Read as empty, a store the user cannot read would be written over with
    // empty values by the rewrite below.
    const QString bildhostSchluessel = QStringLiteral("imageHost");
    QStringList schluessel{ bildhostSchluessel };
    for (const Einstellung& e : einstellungstabelle())
        schluessel.append(e.schluessel);
    QString lesefehler;
    const QHash<QString, QString> gelesen = m_speicher.lesen(schluessel, lesefehler);
    std::optional<Zwischenablageinhalt> option;
    for (const Einstellung& e : einstellungstabelle()) {
        const QString wert = gelesen.value(e.schluessel);
        std::visit(JeArt{
                       [&](const Texteinstellung& t) { s.setText(t.steuerelement, wert); },
                       [&](const Hakeneinstellung& h) { s.setAngehakt(h.steuerelement, angehakt(wert, h.regel)); },
                       [&](const Optionseinstellung&) { option = gespeicherteOption(wert); },
                   },
            e.art);
    }
    if (m_passwortablage)
        s.setText(Textfeld::FTPPassword,
            m_passwortablage->laden(
                s.text(Textfeld::FTPLogin), s.text(Textfeld::FTPServer), s.text(Textfeld::FTPPassword)));
    s.proxyRegelAnwenden();
    if (option)
        s.optionWaehlen(*option);
    s.bildhostRegelAnwenden();
    // Set by hand in the file by whoever runs an image host of their own; no control carries it.
    m_optionen.imageHost = gelesen.value(bildhostSchluessel);

    if (lesefehler.isEmpty()) {
        einstellungenUebernehmen(fehler);
    } else {
        datensatzFuellen();
        fehler = { Speicherfehler::Art::Lesen, m_speicher.ort(), lesefehler };
    }

    const Optionen& o = m_optionen;
    bool vollstaendig = !o.FTPLogin.trimmed().isEmpty() && !o.FTPServer.trimmed().isEmpty();
    if (!vollstaendig && o.useIS)
        vollstaendig = true;
    if (o.FTPProxy.isEmpty() && o.FTPUseProxy)
        vollstaendig = false;
    return vollstaendig;
}

bool Einstellungen::einstellungenUebernehmen(Speicherfehler& fehler)
{
    datensatzFuellen();
    return m_optionen.parameterModus || einstellungenSpeichern(fehler);
}

void Einstellungen::datensatzFuellen()
{
    Steuerelemente& s = m_steuerelemente;
    Optionen& o = m_optionen;
    for (const Einstellung& e : einstellungstabelle()) {
        std::visit(JeArt{
                       [&](const Texteinstellung& t) {
                           if (t.abschluss == Abschluss::Schraegstrich)
                               schraegstrichAnhaengen(s, t.steuerelement);
                           o.*t.feld = s.text(t.steuerelement);
                       },
                       [&](const Hakeneinstellung& h) { o.*h.feld = s.istAngehakt(h.steuerelement); },
                       [&](const Optionseinstellung& w) { o.*w.feld = s.aktiveOptionFinden(); },
                   },
            e.art);
    }
}

bool Einstellungen::einstellungenSpeichern(Speicherfehler& fehler)
{
    Optionen gespeichert = m_optionen;
    if (m_passwortablage)
        gespeichert.FTPPassword
            = m_passwortablage->ablegen(m_optionen.FTPLogin, m_optionen.FTPServer, m_optionen.FTPPassword);
    Einstellungsspeicher::Werte werte;
    for (const Einstellung& e : einstellungstabelle())
        werte.append({ e.schluessel, speichertext(e, gespeichert) });
    QString grund;
    const bool geschrieben = m_speicher.schreiben(werte, grund);
    if (!geschrieben)
        fehler = { Speicherfehler::Art::Schreiben, m_speicher.ort(), grund };
    return geschrieben;
}
