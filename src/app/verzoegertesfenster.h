#pragma once

#include "app/einstellungsfenster.h"
#include "settings/einstellungswerte.h"

#include <functional>

// The settings window, built only when it is first shown. Until then the run's
// settings live in plain values, so an upload builds no window it never shows;
// once built, the window holds them and every call goes to it.
class VerzoegertesFenster : public Einstellungsfenster {
public:
    explicit VerzoegertesFenster(std::function<Einstellungsfenster&()> bauen);

    QString text(Textfeld feld) const override;
    void setText(Textfeld feld, const QString& text) override;
    bool istAngehakt(Haken haken) const override;
    void setAngehakt(Haken haken, bool angehakt) override;
    void optionWaehlen(Zwischenablageinhalt option) override;
    Zwischenablageinhalt aktiveOptionFinden() const override;
    void proxyRegelAnwenden() override;
    void bildhostRegelAnwenden() override;

    void setTitel(const QString& titel) override;
    void setBildhost(const QString& host) override;
    void verbergen() override;
    void zeigen() override;
    void okAktivieren(bool aktiv) override;
    void passwortHinweisZeigen(bool zeigen) override;

private:
    Steuerelemente& steuerelemente();
    const Steuerelemente& steuerelemente() const;

    std::function<Einstellungsfenster&()> m_bauen;
    Einstellungsfenster* m_fenster = nullptr;
    Einstellungswerte m_werte;
    QString m_titel;
    QString m_bildhost;
    bool m_okAktiv = true;
    bool m_passwortHinweis = false;
};
