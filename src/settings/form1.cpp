#include "settings/form1.h"

#include "transfer/imagehost.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Form1::Form1(QWidget* parent)
    : QWidget(parent)
    , m_optionGruppe(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("Form1"));
    auto* layout = new QVBoxLayout(this);

    auto* frame1 = new QGroupBox(QStringLiteral("Verbindungs-Einstellungen"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* frame2 = new QGroupBox(QStringLiteral("Proxy-Einstellungen"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* frame3 = new QGroupBox(QStringLiteral("Bilder und Linkeinstellungen"), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    m_frame2 = frame2;
    auto* form1 = new QFormLayout(frame1);
    auto* form2 = new QFormLayout(frame2);
    auto* form3 = new QFormLayout(frame3);

    const QString beschriftung[7] = {QStringLiteral("FTP-Server"), QStringLiteral("Benutzerkennung (Login-ID)"),
        QStringLiteral("Passwort"), QStringLiteral("FTP-Zielverzeichnis"), QStringLiteral("Proxyserver"),
        QStringLiteral("Proxyport"), QStringLiteral("URL zum FTP-Zielverzeichnis")};
    QFormLayout* ziel[7] = {form1, form1, form1, form1, form2, form2, form3};
    for (int i = 0; i < 7; ++i) {
        m_text[i] = new QLineEdit(this);
        m_text[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        ziel[i]->addRow(beschriftung[i], m_text[i]);
    }
    m_text[2]->setEchoMode(QLineEdit::Password);

    const QString haken[4] = {QStringLiteral("Proxy verwenden"), QStringLiteral("Passive Übertragung"),
        QStringLiteral("Statusfenster anzeigen"), QStringLiteral("Dienst von ") + imageHost() + QStringLiteral(" nutzen")};
    for (int i = 0; i < 4; ++i) {
        m_check[i] = new QCheckBox(haken[i], this);
        m_check[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
    }
    form1->addRow(m_check[2], m_check[1]);
    form1->addRow(m_check[3]);
    form2->insertRow(0, m_check[0]);

    const QString optionen[3] = {QStringLiteral("Nichts in Zwischenablage kopieren"),
        QStringLiteral("Nur URL in ZA kopieren - Weiterverarbeitung z.B. in meinem Verweiswerk"),
        QStringLiteral("Standard-HTML-Code mit Bilder-URL in Zwischenablage kopieren")};
    for (int i = 0; i < 3; ++i) {
        m_option[i] = new QRadioButton(optionen[i], this);
        m_option[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        m_optionGruppe->addButton(m_option[i], i);
        form3->addRow(m_option[i]);
    }
    m_option[2]->setChecked(true);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command2"));
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("Command3"));
    m_uebernehmen = new QPushButton(QStringLiteral("Übernehmen"), this);
    m_uebernehmen->setObjectName(QStringLiteral("Command1"));
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    for (QPushButton* knopf : {m_ok, m_abbrechen, m_uebernehmen}) {
        knopf->setAutoDefault(false);
        knoepfe->addWidget(knopf);
    }

    layout->addWidget(frame1);
    layout->addWidget(frame2);
    layout->addWidget(frame3);
    layout->addLayout(knoepfe);

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
    for (int i : {0, 1, 2, 3, 6})
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

void Form1::ereignisseVerarbeiten()
{
    QApplication::processEvents();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program; nothing is applied.
    event->accept();
    if (abbrechenHandler)
        abbrechenHandler();
}
