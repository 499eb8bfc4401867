#include "gui/passwortdialog.h"

#include "gui/passwortfeld.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Passwortdialog::Passwortdialog(const QString& aufforderung, const QString& titel, QWidget* parent)
    : QDialog(parent)
    , m_feld(new Passwortfeld(this))
{
    setObjectName(QStringLiteral("Passwortdialog"));
    setWindowTitle(titel);
    m_feld->setObjectName(QStringLiteral("passwortfeld"));

    // The texts carry CR LF; a label breaks the line at LF alone.
    QString zeilen = aufforderung;
    auto* text = new QLabel(zeilen.replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
    text->setObjectName(QStringLiteral("aufforderung"));
    text->setTextFormat(Qt::PlainText);
    text->setBuddy(m_feld);

    auto* knoepfe = new QDialogButtonBox(this);
    QPushButton* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_feld);
    layout->addWidget(knoepfe);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_feld->setFocus();
}

QString Passwortdialog::antwort() const
{
    return result() == QDialog::Accepted ? m_feld->text() : QString();
}

QString Passwortdialog::abfragen(const QString& aufforderung, const QString& titel, QWidget* parent)
{
    Passwortdialog dialog(aufforderung, titel, parent);
    dialog.exec();
    return dialog.antwort();
}
