#pragma once

#include "settings/steuerelemente.h"

#include <QMap>

// The settings window's controls as plain values: what a run in upload mode
// carries between the store and Optionen without building a window. It holds
// what the window's controls would hold, so the store is written the same.
class Einstellungswerte : public Steuerelemente {
public:
    QString text(Textfeld feld) const override;
    void setText(Textfeld feld, const QString& text) override;
    bool istAngehakt(Haken haken) const override;
    void setAngehakt(Haken haken, bool angehakt) override;
    void optionWaehlen(Zwischenablageinhalt option) override;
    Zwischenablageinhalt aktiveOptionFinden() const override;
    // The rules only enable and disable controls; values have nothing to enable.
    void proxyRegelAnwenden() override { }
    void bildhostRegelAnwenden() override { }

    // Puts every value into a window's controls and runs its rules, as loading would.
    void uebertragen(Steuerelemente& ziel) const;

private:
    QMap<Textfeld, QString> m_texte;
    QMap<Haken, bool> m_haken;
    // The window opens with the HTML snippet selected.
    Zwischenablageinhalt m_option = Zwischenablageinhalt::HtmlCode;
};
