#include "gui/qtdialoge.h"

#include "gui/passwortdialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon symbol(Meldungsstil stil)
{
    switch (stil) {
    case Meldungsstil::Kritisch:
        return QMessageBox::Critical;
    case Meldungsstil::FrageJaNein:
        return QMessageBox::Question;
    case Meldungsstil::Ausrufezeichen:
        return QMessageBox::Warning;
    case Meldungsstil::Information:
        return QMessageBox::Information;
    case Meldungsstil::Keins:
        break;
    }
    return QMessageBox::NoIcon;
}

// Qt shows CR LF as two breaks on some platforms; the texts mean one.
QString alsZeilen(const QString& text)
{
    QString zeilen = text;
    return zeilen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
} // namespace

bool QtDialoge::meldung(const QString& text, const QString& titel, Meldungsstil stil)
{
    QMessageBox box(symbol(stil), titel, alsZeilen(text));
    // The texts carry file names and command-line pieces; "<b>" in a name is part of the name.
    box.setTextFormat(Qt::PlainText);
    if (stil == Meldungsstil::FrageJaNein) {
        QPushButton* ja = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        QPushButton* nein = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
        box.setDefaultButton(ja);
        box.setEscapeButton(nein);
        box.exec();
        return box.clickedButton() == ja;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return true;
}

QString QtDialoge::passwortAbfragen(const QString& aufforderung, const QString& titel)
{
    return Passwortdialog::abfragen(aufforderung, titel);
}
