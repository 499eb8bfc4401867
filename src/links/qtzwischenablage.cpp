#include "links/qtzwischenablage.h"

#include "platform/zwischenablagebewahren.h"

#include <QClipboard>
#include <QGuiApplication>

void QtZwischenablage::textSetzen(const QString& text)
{
    if (zwischenablageBewahren(text))
        return;
    // Plain text only: pasting an HTML snippet must give its source, not a rendered picture.
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void QtZwischenablage::vorbereiten()
{
    zwischenablageVorbereiten();
}
