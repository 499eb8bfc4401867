#include "links/qtzwischenablage.h"

#include "platform/zwischenablagebewahren.h"

#include <QClipboard>
#include <QGuiApplication>

void QtZwischenablage::textSetzen(const QString& text)
{
    // Plain text only: pasting an HTML snippet must give its source, not a rendered picture.
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
    zwischenablageBewahren(text);
}

void QtZwischenablage::vorbereiten()
{
    zwischenablageVorbereiten();
}
