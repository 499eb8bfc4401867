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
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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
    setWindowIcon(eingebautesProgrammsymbol());

    auto* inhalt = new QWidget;
    auto* rahmen = new QVBoxLayout(inhalt);
    rahmen->setContentsMargins(0, 0, 0, 0);
    rahmen->addWidget(verbindungsrahmen());
    rahmen->addWidget(proxyrahmen());
    rahmen->addWidget(linkrahmen());
    m_rollbereich = new QScrollArea(this);
    m_rollbereich->setObjectName(QStringLiteral("Rollbereich"));
    m_rollbereich->setFrameShape(QFrame::NoFrame);
    m_rollbereich->setWidgetResizable(true);
    m_rollbereich->setFocusPolicy(Qt::NoFocus);
    m_rollbereich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rollbereich->setWidget(inhalt);
    m_rollbereich->viewport()->setAutoFillBackground(false);
    inhalt->setAutoFillBackground(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rollbereich, 1);
    layout->addLayout(fusszeile());
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    tabReihenfolgeSetzen();
    proxyRegelAnwenden();

    // On every change, not only a click: a screen reader's "toggle" does not click.
    connect(m_haken.value(Haken::FTPUseProxy), &QCheckBox::toggled, this, [this] { proxyRegelAnwenden(); });
    connect(m_haken.value(Haken::useIS), &QCheckBox::toggled, this, [this] { bildhostRegelAnwenden(); });
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

QString Form1::objektname(Textfeld feld)
{
    static const QMap<Textfeld, QString> namen = {
        { Textfeld::FTPServer, QStringLiteral("Text1") },
        { Textfeld::FTPLogin, QStringLiteral("Text2") },
        { Textfeld::FTPPassword, QStringLiteral("Text3") },
        { Textfeld::FTPPath, QStringLiteral("Text4") },
        { Textfeld::FTPProxy, QStringLiteral("Text5") },
        { Textfeld::FTPProxyPort, QStringLiteral("Text6") },
        { Textfeld::URL, QStringLiteral("Text7") },
    };
    return namen.value(feld);
}

QString Form1::objektname(Haken haken)
{
    static const QMap<Haken, QString> namen = {
        { Haken::FTPUseProxy, QStringLiteral("Check1") },
        { Haken::FTPPassiv, QStringLiteral("Check2") },
        { Haken::StatusfensterZeigen, QStringLiteral("Check3") },
        { Haken::useIS, QStringLiteral("Check4") },
    };
    return namen.value(haken);
}

void Form1::textfeldAnlegen(Textfeld feld, QWidget* rahmen)
{
    QLineEdit* eingabe = feld == Textfeld::FTPPassword ? new Passwortfeld(rahmen) : new QLineEdit(rahmen);
    eingabe->setObjectName(objektname(feld));
    m_textfelder.insert(feld, eingabe);
}

void Form1::textzeile(QGridLayout* raster, int zeile, Textfeld feld, int labelNummer, const QString& beschriftung)
{
    QLineEdit* eingabe = m_textfelder.value(feld);
    QLabel* l = label(labelNummer, beschriftung, eingabe->parentWidget());
    l->setBuddy(eingabe);
    raster->addWidget(eingabe, zeile, 0);
    raster->addWidget(l, zeile, 1);
}

QCheckBox* Form1::hakenAnlegen(Haken haken, const QString& beschriftung, QWidget* rahmen)
{
    auto* kasten = new QCheckBox(beschriftung, rahmen);
    kasten->setObjectName(objektname(haken));
    m_haken.insert(haken, kasten);
    return kasten;
}

// The group's ids are the options' numbers, as the store keeps them.
QRadioButton* Form1::optionAnlegen(Zwischenablageinhalt option, const QString& beschriftung, QWidget* rahmen)
{
    auto* knopf = new QRadioButton(beschriftung, rahmen);
    knopf->setObjectName(QStringLiteral("Option1_%1").arg(int(option)));
    m_optionGruppe->addButton(knopf, int(option));
    return knopf;
}

QAbstractButton* Form1::optionsknopf(Zwischenablageinhalt option) const
{
    return m_optionGruppe->button(int(option));
}

QGroupBox* Form1::verbindungsrahmen()
{
    auto* rahmen = new QGroupBox(QStringLiteral("Verbindungs-Einstellungen"), this);
    rahmen->setObjectName(QStringLiteral("Frame1"));
    QGridLayout* raster = halbiertesRaster(rahmen);

    for (Textfeld feld : { Textfeld::FTPServer, Textfeld::FTPLogin, Textfeld::FTPPassword, Textfeld::FTPPath })
        textfeldAnlegen(feld, rahmen);
    textzeile(raster, 0, Textfeld::FTPServer, 5, QStringLiteral("FTP-Server"));
    m_serverHinweis = serverHinweis(rahmen);
    // Read out with the box, where a screen reader never reaches the label.
    m_textfelder.value(Textfeld::FTPServer)->setAccessibleDescription(m_serverHinweis->text());
    raster->addWidget(m_serverHinweis, 1, 0);
    textzeile(raster, 2, Textfeld::FTPLogin, 6, QStringLiteral("Benutzerkennung (Login-ID)"));
    textzeile(raster, 3, Textfeld::FTPPassword, 7, QStringLiteral("Passwort"));
    // Shown by the run when there is no keyring to keep the password.
    m_passwortHinweis = kleinerHinweis(14,
        QStringLiteral("Kein Schlüsselbund gefunden – das Passwort wird in der Einstellungsdatei gespeichert."),
        rahmen);
    m_passwortHinweis->setWordWrap(true);
    m_passwortHinweis->hide();
    raster->addWidget(m_passwortHinweis, 4, 0, 1, 2);
    textzeile(raster, 5, Textfeld::FTPPath, 8, QStringLiteral("FTP-Zielverzeichnis"));

    QCheckBox* status = hakenAnlegen(Haken::StatusfensterZeigen, QStringLiteral("Statusfenster anzeigen"), rahmen);
    QCheckBox* passiv = hakenAnlegen(Haken::FTPPassiv, QStringLiteral("Passive Übertragung"), rahmen);
    raster->addWidget(status, 6, 0);
    raster->addWidget(passiv, 6, 1);

    QLabel* oder = label(12, QStringLiteral("oder"), rahmen);
    QFont fett = oder->font();
    fett.setBold(true);
    oder->setFont(fett);
    raster->addWidget(oder, 7, 0, 1, 2, Qt::AlignHCenter);

    QCheckBox* bildhost = hakenAnlegen(Haken::useIS, QString(), rahmen);
    setBildhost(imageHost());
    raster->addWidget(bildhost, 8, 0, 1, 2);
    return rahmen;
}

// Encryption is chosen by the scheme in front of the server, so the one box
// says how; small, and close under the box it belongs to.
QLabel* Form1::serverHinweis(QWidget* rahmen)
{
    return kleinerHinweis(13, QStringLiteral("ftpes://… oder sftp://… für verschlüsselte Übertragung"), rahmen);
}

// A hint in small print, close under the box it belongs to.
QLabel* Form1::kleinerHinweis(int nummer, const QString& text, QWidget* rahmen)
{
    QLabel* hinweis = label(nummer, text, rahmen);
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

    raster->addWidget(hakenAnlegen(Haken::FTPUseProxy, QStringLiteral("Proxy verwenden"), m_frame2), 0, 1);
    textfeldAnlegen(Textfeld::FTPProxy, m_frame2);
    textfeldAnlegen(Textfeld::FTPProxyPort, m_frame2);
    textzeile(raster, 1, Textfeld::FTPProxy, 1, QStringLiteral("Proxyserver"));
    textzeile(raster, 2, Textfeld::FTPProxyPort, 2, QStringLiteral("Proxyport"));
    // A port has at most five digits; the box is sized by the font so it stays narrow at any DPI.
    QLineEdit* port = m_textfelder.value(Textfeld::FTPProxyPort);
    port->setMaximumWidth(port->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    raster->setAlignment(port, Qt::AlignLeft);
    return m_frame2;
}

QGroupBox* Form1::linkrahmen()
{
    auto* rahmen = new QGroupBox(QStringLiteral("Bilder und Linkeinstellungen"), this);
    rahmen->setObjectName(QStringLiteral("Frame3"));
    QGridLayout* raster = halbiertesRaster(rahmen);

    textfeldAnlegen(Textfeld::URL, rahmen);
    textzeile(raster, 0, Textfeld::URL, 3, QStringLiteral("URL zum FTP-Zielverzeichnis"));
    raster->addWidget(label(4, QStringLiteral("Nach erfolgreicher Übertragung:"), rahmen), 1, 0, 1, 2);

    QRadioButton* nichts
        = optionAnlegen(Zwischenablageinhalt::Nichts, QStringLiteral("Nichts in Zwischenablage kopieren"), rahmen);
    QRadioButton* adresse = optionAnlegen(Zwischenablageinhalt::Adresse,
        QStringLiteral("Nur URL in ZA kopieren - Weiterverarbeitung z.B. in meinem"), rahmen);
    QRadioButton* htmlCode = optionAnlegen(Zwischenablageinhalt::HtmlCode,
        QStringLiteral("Standard-HTML-Code mit Bilder-URL in Zwischenablage kopieren"), rahmen);
    htmlCode->setChecked(true);

    // The link label reads as the last word of the option's caption.
    m_verweiswerk = new Verweislabel(QStringLiteral("Verweiswerk"), rahmen);
    m_verweiswerk->setObjectName(QStringLiteral("Label11"));
    connect(
        m_verweiswerk, &Verweislabel::geklickt, this, [this] { urlAufrufen(Herstellerseiten::verweiswerkseite()); });
    auto* zeile = new QHBoxLayout;
    zeile->setSpacing(0);
    zeile->addWidget(adresse);
    zeile->addWidget(m_verweiswerk);
    zeile->addStretch();

    raster->addWidget(nichts, 2, 0, 1, 2);
    raster->addLayout(zeile, 3, 0, 1, 2);
    raster->addWidget(htmlCode, 4, 0, 1, 2);
    return rahmen;
}

QLayout* Form1::fusszeile()
{
    auto* hinweise = new QVBoxLayout;
    QLabel* info
        = label(9, QStringLiteral("Morva Fotoschicker ist kostenlos. Weitere Programme finden Sie unter:"), this);
    info->setWordWrap(true);
    // A wrapped label's height depends on its width, which the window's minimum
    // size does not see: held at its two lines, it cannot slip under the frames.
    info->setMinimumSize(info->sizeHint());
    m_programmseite = new Verweislabel(Herstellerseiten::anzeigeadresse(), this);
    m_programmseite->setObjectName(QStringLiteral("Label10"));
    connect(m_programmseite, &Verweislabel::geklickt, this, [this] { urlAufrufen(Herstellerseiten::programmseite()); });
    hinweise->addWidget(info);
    hinweise->addWidget(m_programmseite, 0, Qt::AlignLeft);

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
    m_tabReihenfolge = { m_textfelder.value(Textfeld::FTPServer), m_textfelder.value(Textfeld::FTPLogin),
        m_textfelder.value(Textfeld::FTPPassword), m_textfelder.value(Textfeld::FTPPath),
        m_haken.value(Haken::StatusfensterZeigen), m_haken.value(Haken::FTPPassiv), m_haken.value(Haken::FTPUseProxy),
        m_textfelder.value(Textfeld::FTPProxy), m_textfelder.value(Textfeld::FTPProxyPort),
        m_textfelder.value(Textfeld::URL), optionsknopf(Zwischenablageinhalt::Nichts),
        optionsknopf(Zwischenablageinhalt::Adresse), optionsknopf(Zwischenablageinhalt::HtmlCode), m_verweiswerk,
        m_programmseite, m_ok, m_abbrechen, m_uebernehmen, m_haken.value(Haken::useIS) };
    for (qsizetype i = 1; i < m_tabReihenfolge.size(); ++i)
        setTabOrder(m_tabReihenfolge.at(i - 1), m_tabReihenfolge.at(i));
}

QString Form1::text(Textfeld feld) const
{
    return m_textfelder.value(feld)->text();
}

void Form1::setText(Textfeld feld, const QString& text)
{
    m_textfelder.value(feld)->setText(text);
}

bool Form1::istAngehakt(Haken haken) const
{
    return m_haken.value(haken)->isChecked();
}

void Form1::setAngehakt(Haken haken, bool angehakt)
{
    m_haken.value(haken)->setChecked(angehakt);
}

void Form1::optionWaehlen(Zwischenablageinhalt option)
{
    if (QAbstractButton* knopf = optionsknopf(option))
        knopf->setChecked(true);
}

Zwischenablageinhalt Form1::aktiveOptionFinden() const
{
    return Zwischenablageinhalt(m_optionGruppe->checkedId());
}

void Form1::proxyRegelAnwenden()
{
    const bool an = istAngehakt(Haken::FTPUseProxy);
    m_textfelder.value(Textfeld::FTPProxy)->setEnabled(an);
    m_textfelder.value(Textfeld::FTPProxyPort)->setEnabled(an);
}

void Form1::bildhostRegelAnwenden()
{
    // Disabling the frame leaves the proxy boxes' own state alone, so
    // enabling it again restores what "Proxy verwenden" gave them.
    const bool ftp = !istAngehakt(Haken::useIS);
    m_frame2->setEnabled(ftp);
    m_serverHinweis->setEnabled(ftp);
    for (Textfeld feld :
        { Textfeld::FTPServer, Textfeld::FTPLogin, Textfeld::FTPPassword, Textfeld::FTPPath, Textfeld::URL })
        m_textfelder.value(feld)->setEnabled(ftp);
}

void Form1::setTitel(const QString& titel)
{
    setWindowTitle(titel);
}

void Form1::setBildhost(const QString& host)
{
    m_haken.value(Haken::useIS)->setText(QStringLiteral("Dienst von ") + host + QStringLiteral(" nutzen"));
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

void Form1::passwortHinweisZeigen(bool zeigen)
{
    m_passwortHinweis->setVisible(zeigen);
    // A screen reader reads it with the password box, where it matters.
    m_textfelder.value(Textfeld::FTPPassword)->setAccessibleDescription(zeigen ? m_passwortHinweis->text() : QString());
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
            if (m_rollbereich->widget()->isAncestorOf(ziel))
                m_rollbereich->ensureWidgetVisible(ziel);
            return true;
        }
    }
    return true;
}

void Form1::showEvent(QShowEvent* event)
{
    anArbeitsflaecheAnpassen();
    QWidget::showEvent(event);
}

// At a large scale on a small screen the frames would push the buttons off
// the bottom: then the frames scroll, and the window with its buttons fits
// the work area (the screen less its panels).
void Form1::anArbeitsflaecheAnpassen()
{
    const QWidget* inhalt = m_rollbereich->widget();
    const QSize gewuenscht = inhalt->minimumSizeHint().expandedTo(inhalt->sizeHint());
    const QScreen* schirm = screen();
    int hoehe = gewuenscht.height();
    int breite = gewuenscht.width();
    if (schirm) {
        // The window manager's title bar and frame are not known before the window is shown.
        const int titelleiste = 2 * fontMetrics().height();
        const int rest = layout()->sizeHint().height()
            - m_rollbereich->sizeHint().expandedTo(m_rollbereich->minimumSize()).height();
        const int platz = schirm->availableGeometry().height() - titelleiste - rest;
        if (platz < hoehe) {
            hoehe = std::max(platz, 4 * fontMetrics().height());
            breite += m_rollbereich->verticalScrollBar()->sizeHint().width();
        }
    }
    m_rollbereich->setMinimumSize(breite, hoehe);
    layout()->activate();
    adjustSize();
    if (schirm && !schirm->availableGeometry().contains(frameGeometry()))
        move(schirm->availableGeometry().topLeft());
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program; nothing is applied.
    if (abbrechenHandler && !abbrechenHandler())
        event->ignore();
    else
        event->accept();
}
