#pragma once

#include "app/einstellungsfenster.h"

#include <QList>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

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

    QString text(int nummer) const override;
    void setText(int nummer, const QString& text) override;
    bool istAngehakt(int nummer) const override;
    void setAngehakt(int nummer, bool angehakt) override;
    void optionWaehlen(int index) override;
    int aktiveOptionFinden() const override;
    void proxyRegelAnwenden() override;
    void bildhostRegelAnwenden() override;

    void setTitel(const QString& titel) override;
    void verbergen() override;
    void zeigen() override;
    void okAktivieren(bool aktiv) override;

    // Opens a web page in the user's browser; nothing is reported when that fails.
    void urlAufrufen(const QString& adresse);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QGroupBox* verbindungsrahmen();
    static QLabel* serverHinweis(QWidget* rahmen);
    QGroupBox* proxyrahmen();
    QGroupBox* linkrahmen();
    QLayout* fusszeile();
    void textzeile(QGridLayout* raster, int zeile, int textNummer, int labelNummer, const QString& beschriftung);
    void haken(int nummer, const QString& beschriftung, QWidget* rahmen);
    void tabReihenfolgeSetzen();

    QLineEdit* m_text[7];
    QCheckBox* m_check[4];
    QRadioButton* m_option[3];
    QButtonGroup* m_optionGruppe;
    QPushButton* m_ok;
    QPushButton* m_abbrechen;
    QPushButton* m_uebernehmen;
    QGroupBox* m_frame2;
    QList<QWidget*> m_tabReihenfolge;
};
