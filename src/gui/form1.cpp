#include "gui/form1.h"

#include "gui/passwortfeld.h"
#include "gui/programmsymbol.h"
#include "gui/verweislabel.h"
#include "settings/herstellerseiten.h"
#include "transfer/imagehost.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QLabel* label(int nummer, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label%1").arg(nummer));
    return l;
}

// The boxes take the left half of a frame and their labels the right half,
// in every frame alike, so the columns line up down the window.
QGridLayout* halbiertesRaster(QGroupBox* rahmen)
{
    auto* raster = new QGridLayout(rahmen);
    raster->setColumnStretch(0, 1);
    raster->setColumnStretch(1, 1);
    return raster;
}
} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
    , m_optionGruppe(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(programmSymbol());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verbindungsrahmen());
    layout->addWidget(proxyrahmen());
    layout->addWidget(linkrahmen());
    layout->addLayout(fusszeile());
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    tabReihenfolgeSetzen();
    proxyRegelAnwenden();

    connect(m_check[0], &QCheckBox::clicked, this, [this] { proxyRegelAnwenden(); });
    connect(m_check[3], &QCheckBox::clicked, this, [this] { bildhostRegelAnwenden(); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (okHandler)
            okHandler();
    });
    connect(m_uebernehmen, &QPushButton::clicked, this, [this] {
        if (uebernehmenHandler)
            uebernehmenHandler();
    });
    connect(m_abbrechen, &QPushButton::clicked, this, [this] { close(); });
}

void Form1::textzeile(QGridLayout* raster, int zeile, int textNummer, int labelNummer, const QString& beschriftung)
{
    QLineEdit* feld = m_text[textNummer - 1];
    feld->setObjectName(QStringLiteral("Text%1").arg(textNummer));
    QLabel* l = label(labelNummer, beschriftung, feld->parentWidget());
    l->setBuddy(feld);
    raster->addWidget(feld, zeile, 0);
    raster->addWidget(l, zeile, 1);
}

void Form1::haken(int nummer, const QString& beschriftung, QWidget* rahmen)
{
    m_check[nummer - 1] = new QCheckBox(beschriftung, rahmen);
    m_check[nummer - 1]->setObjectName(QStringLiteral("Check%1").arg(nummer));
}

QGroupBox* Form1::verbindungsrahmen()
{
    auto* rahmen = new QGroupBox(QStringLiteral("Verbindungs-Einstellungen"), this);
    rahmen->setObjectName(QStringLiteral("Frame1"));
    QGridLayout* raster = halbiertesRaster(rahmen);

    for (int i = 0; i < 4; ++i)
        m_text[i] = i == 2 ? new Passwortfeld(rahmen) : new QLineEdit(rahmen);
    textzeile(raster, 0, 1, 5, QStringLiteral("FTP-Server"));
    raster->addWidget(serverHinweis(rahmen), 1, 0);
    textzeile(raster, 2, 2, 6, QStringLiteral("Benutzerkennung (Login-ID)"));
    textzeile(raster, 3, 3, 7, QStringLiteral("Passwort"));
    textzeile(raster, 4, 4, 8, QStringLiteral("FTP-Zielverzeichnis"));

    haken(3, QStringLiteral("Statusfenster anzeigen"), rahmen);
    haken(2, QStringLiteral("Passive Übertragung"), rahmen);
    raster->addWidget(m_check[2], 5, 0);
    raster->addWidget(m_check[1], 5, 1);

    QLabel* oder = label(12, QStringLiteral("oder"), rahmen);
    QFont fett = oder->font();
    fett.setBold(true);
    oder->setFont(fett);
    raster->addWidget(oder, 6, 0, 1, 2, Qt::AlignHCenter);

    haken(4, QStringLiteral("Dienst von ") + imageHost() + QStringLiteral(" nutzen"), rahmen);
    raster->addWidget(m_check[3], 7, 0, 1, 2);
    return rahmen;
}

// Encryption is chosen by the scheme in front of the server, so the one box
// says how; small, and close under the box it belongs to.
QLabel* Form1::serverHinweis(QWidget* rahmen)
{
    QLabel* hinweis = label(13, QStringLiteral("ftpes://… für verschlüsselte Übertragung"), rahmen);
    QFont klein = hinweis->font();
    klein.setPointSizeF(klein.pointSizeF() * 0.85);
    hinweis->setFont(klein);
    hinweis->setContentsMargins(2, 0, 0, 0);
    return hinweis;
}

QGroupBox* Form1::proxyrahmen()
{
    m_frame2 = new QGroupBox(QStringLiteral("Proxy-Einstellungen"), this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    QGridLayout* raster = halbiertesRaster(m_frame2);

    haken(1, QStringLiteral("Proxy verwenden"), m_frame2);
    raster->addWidget(m_check[0], 0, 1);
    m_text[4] = new QLineEdit(m_frame2);
    m_text[5] = new QLineEdit(m_frame2);
    textzeile(raster, 1, 5, 1, QStringLiteral("Proxyserver"));
    textzeile(raster, 2, 6, 2, QStringLiteral("Proxyport"));
    // A port has at most five digits; the box is sized by the font so it stays narrow at any DPI.
    m_text[5]->setMaximumWidth(m_text[5]->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    raster->setAlignment(m_text[5], Qt::AlignLeft);
    return m_frame2;
}

QGroupBox* Form1::linkrahmen()
{
    auto* rahmen = new QGroupBox(QStringLiteral("Bilder und Linkeinstellungen"), this);
    rahmen->setObjectName(QStringLiteral("Frame3"));
    QGridLayout* raster = halbiertesRaster(rahmen);

    m_text[6] = new QLineEdit(rahmen);
    textzeile(raster, 0, 7, 3, QStringLiteral("URL zum FTP-Zielverzeichnis"));
    raster->addWidget(label(4, QStringLiteral("Nach erfolgreicher Übertragung:"), rahmen), 1, 0, 1, 2);

    const QString optionen[3] = { QStringLiteral("Nichts in Zwischenablage kopieren"),
        QStringLiteral("Nur URL in ZA kopieren - Weiterverarbeitung z.B. in meinem"),
        QStringLiteral("Standard-HTML-Code mit Bilder-URL in Zwischenablage kopieren") };
    for (int i = 0; i < 3; ++i) {
        m_option[i] = new QRadioButton(optionen[i], rahmen);
        m_option[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        m_optionGruppe->addButton(m_option[i], i);
    }
    m_option[2]->setChecked(true);

    // The link label reads as the last word of the option's caption.
    auto* verweiswerk = new Verweislabel(QStringLiteral("Verweiswerk"), rahmen);
    verweiswerk->setObjectName(QStringLiteral("Label11"));
    connect(verweiswerk, &Verweislabel::geklickt, this, [this] { urlAufrufen(Herstellerseiten::verweiswerkseite()); });
    auto* zeile = new QHBoxLayout;
    zeile->setSpacing(0);
    zeile->addWidget(m_option[1]);
    zeile->addWidget(verweiswerk);
    zeile->addStretch();

    raster->addWidget(m_option[0], 2, 0, 1, 2);
    raster->addLayout(zeile, 3, 0, 1, 2);
    raster->addWidget(m_option[2], 4, 0, 1, 2);
    return rahmen;
}

QLayout* Form1::fusszeile()
{
    auto* hinweise = new QVBoxLayout;
    QLabel* info
        = label(9, QStringLiteral("Morva Fotoschicker ist kostenlos. Weitere Programme finden Sie unter:"), this);
    info->setWordWrap(true);
    auto* adresse = new Verweislabel(Herstellerseiten::anzeigeadresse(), this);
    adresse->setObjectName(QStringLiteral("Label10"));
    connect(adresse, &Verweislabel::geklickt, this, [this] { urlAufrufen(Herstellerseiten::programmseite()); });
    hinweise->addWidget(info);
    hinweise->addWidget(adresse, 0, Qt::AlignLeft);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command2"));
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("Command3"));
    m_uebernehmen = new QPushButton(QStringLiteral("Übernehmen"), this);
    m_uebernehmen->setObjectName(QStringLiteral("Command1"));

    auto* zeile = new QHBoxLayout;
    zeile->addLayout(hinweise, 1);
    // No default button: Enter and Escape must not close or apply anything.
    for (QPushButton* knopf : { m_ok, m_abbrechen, m_uebernehmen }) {
        knopf->setAutoDefault(false);
        knopf->setDefault(false);
        zeile->addWidget(knopf, 0, Qt::AlignBottom);
    }
    return zeile;
}

void Form1::tabReihenfolgeSetzen()
{
    // The image-host box comes last, after the buttons.
    m_tabReihenfolge = { m_text[0], m_text[1], m_text[2], m_text[3], m_check[2], m_check[1], m_check[0], m_text[4],
        m_text[5], m_text[6], m_option[0], m_option[1], m_option[2], m_ok, m_abbrechen, m_uebernehmen, m_check[3] };
    for (qsizetype i = 1; i < m_tabReihenfolge.size(); ++i)
        setTabOrder(m_tabReihenfolge.at(i - 1), m_tabReihenfolge.at(i));
}

QString Form1::text(int nummer) const
{
    return m_text[nummer - 1]->text();
}

void Form1::setText(int nummer, const QString& text)
{
    m_text[nummer - 1]->setText(text);
}

bool Form1::istAngehakt(int nummer) const
{
    return m_check[nummer - 1]->isChecked();
}

void Form1::setAngehakt(int nummer, bool angehakt)
{
    m_check[nummer - 1]->setChecked(angehakt);
}

void Form1::optionWaehlen(int index)
{
    if (index >= 0 && index < 3)
        m_option[index]->setChecked(true);
}

int Form1::aktiveOptionFinden() const
{
    int aktiv = -1;
    for (int i = 0; i < 3; ++i) {
        if (m_option[i]->isChecked())
            aktiv = i;
    }
    return aktiv;
}

void Form1::proxyRegelAnwenden()
{
    const bool an = m_check[0]->isChecked();
    m_text[4]->setEnabled(an);
    m_text[5]->setEnabled(an);
}

void Form1::bildhostRegelAnwenden()
{
    // Disabling the frame leaves the proxy boxes' own state alone, so
    // enabling it again restores what "Proxy verwenden" gave them.
    const bool ftp = !m_check[3]->isChecked();
    m_frame2->setEnabled(ftp);
    for (int i : { 0, 1, 2, 3, 6 })
        m_text[i]->setEnabled(ftp);
}

void Form1::setTitel(const QString& titel)
{
    setWindowTitle(titel);
}

void Form1::verbergen()
{
    hide();
}

void Form1::zeigen()
{
    show();
}

void Form1::okAktivieren(bool aktiv)
{
    m_ok->setEnabled(aktiv);
}

void Form1::urlAufrufen(const QString& adresse)
{
    QDesktopServices::openUrl(QUrl(adresse));
}

// Tab walks the window's order by hand: the option group is one stop, at the
// selected option (where the arrow keys then move), in both directions.
bool Form1::focusNextPrevChild(bool next)
{
    QAbstractButton* gewaehlt = m_optionGruppe->checkedButton();
    QList<QWidget*> stopps;
    for (QWidget* w : m_tabReihenfolge) {
        const bool andereOption = gewaehlt && w != gewaehlt && m_optionGruppe->buttons().contains(w);
        if (!andereOption)
            stopps.append(w);
    }
    QWidget* jetzt = focusWidget();
    if (gewaehlt && m_optionGruppe->buttons().contains(jetzt))
        jetzt = gewaehlt;
    const qsizetype stelle = stopps.indexOf(jetzt);
    if (stelle < 0)
        return QWidget::focusNextPrevChild(next);
    const qsizetype anzahl = stopps.size();
    for (qsizetype schritt = 1; schritt < anzahl; ++schritt) {
        QWidget* ziel = stopps.at((stelle + (next ? schritt : anzahl - schritt)) % anzahl);
        if (ziel->isEnabled() && ziel->isVisibleTo(this)) {
            ziel->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program; nothing is applied.
    if (abbrechenHandler && !abbrechenHandler())
        event->ignore();
    else
        event->accept();
}
