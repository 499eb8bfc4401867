#pragma once

#include "app/einstellungsfenster.h"

#include <QList>
#include <QMap>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class Verweislabel;

// The settings window. It only shows and carries values; what the buttons
// mean is decided by the run, which gets the clicks through the handlers.
class Form1 : public QWidget, public Einstellungsfenster {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // What "OK", "Übernehmen" and "Abbrechen" (or the close box) do; set by whoever owns the run.
    std::function<void()> okHandler;
    std::function<void()> uebernehmenHandler;
    // False when the window must stay: closing it would end the program in the middle of a run.
    std::function<bool()> abbrechenHandler;

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

    // Opens a web page in the user's browser; nothing is reported when that fails.
    void urlAufrufen(const QString& adresse);

    // The controls' object names ("Text1" … "Text7", "Check1" … "Check4"), by which tests find them.
    static QString objektname(Textfeld feld);
    static QString objektname(Haken haken);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QGroupBox* verbindungsrahmen();
    static QLabel* serverHinweis(QWidget* rahmen);
    static QLabel* kleinerHinweis(int nummer, const QString& text, QWidget* rahmen);
    QGroupBox* proxyrahmen();
    QGroupBox* linkrahmen();
    QLayout* fusszeile();
    void textfeldAnlegen(Textfeld feld, QWidget* rahmen);
    void textzeile(QGridLayout* raster, int zeile, Textfeld feld, int labelNummer, const QString& beschriftung);
    QCheckBox* hakenAnlegen(Haken haken, const QString& beschriftung, QWidget* rahmen);
    QRadioButton* optionAnlegen(Zwischenablageinhalt option, const QString& beschriftung, QWidget* rahmen);
    QAbstractButton* optionsknopf(Zwischenablageinhalt option) const;
    void tabReihenfolgeSetzen();
    void anArbeitsflaecheAnpassen();

    QMap<Textfeld, QLineEdit*> m_textfelder;
    QMap<Haken, QCheckBox*> m_haken;
    QButtonGroup* m_optionGruppe;
    QPushButton* m_ok;
    QPushButton* m_abbrechen;
    QPushButton* m_uebernehmen;
    QGroupBox* m_frame2;
    QLabel* m_passwortHinweis;
    QLabel* m_serverHinweis;
    Verweislabel* m_verweiswerk;
    Verweislabel* m_programmseite;
    // The three frames, which scroll where the screen is too small for them; the buttons never do.
    QScrollArea* m_rollbereich;
    QList<QWidget*> m_tabReihenfolge;
};
