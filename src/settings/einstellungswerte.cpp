#include "settings/einstellungswerte.h"

#include "settings/einstellungstabelle.h"

namespace {
// A text box of the window keeps no more than this (QLineEdit's limit); the
// values keep to it too, or a store rewritten during a run would differ.
constexpr qsizetype textboxGrenze = 32767;
} // namespace

QString Einstellungswerte::text(Textfeld feld) const
{
    return m_texte.value(feld);
}

void Einstellungswerte::setText(Textfeld feld, const QString& text)
{
    m_texte.insert(feld, text.left(textboxGrenze));
}

bool Einstellungswerte::istAngehakt(Haken haken) const
{
    return m_haken.value(haken, false);
}

void Einstellungswerte::setAngehakt(Haken haken, bool angehakt)
{
    m_haken.insert(haken, angehakt);
}

void Einstellungswerte::optionWaehlen(Zwischenablageinhalt option)
{
    if (option != Zwischenablageinhalt::KeineAuswahl)
        m_option = option;
}

Zwischenablageinhalt Einstellungswerte::aktiveOptionFinden() const
{
    return m_option;
}

void Einstellungswerte::uebertragen(Steuerelemente& ziel) const
{
    for (const Einstellung& e : einstellungstabelle()) {
        if (const auto* t = std::get_if<Texteinstellung>(&e.art))
            ziel.setText(t->steuerelement, text(t->steuerelement));
        else if (const auto* h = std::get_if<Hakeneinstellung>(&e.art))
            ziel.setAngehakt(h->steuerelement, istAngehakt(h->steuerelement));
    }
    ziel.proxyRegelAnwenden();
    ziel.optionWaehlen(m_option);
    ziel.bildhostRegelAnwenden();
}
