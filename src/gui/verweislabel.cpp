#include "gui/verweislabel.h"

#include <QMouseEvent>

Verweislabel::Verweislabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont schrift = font();
    schrift.setUnderline(true);
    setFont(schrift);
    QPalette farben = palette();
    farben.setColor(QPalette::WindowText, Qt::blue);
    setPalette(farben);
}

void Verweislabel::mousePressEvent(QMouseEvent* event)
{
    m_gedrueckt = event->button() == Qt::LeftButton;
}

// Like a button: the click counts only when the mouse is let go over the label.
void Verweislabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool klick = m_gedrueckt && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_gedrueckt = false;
    if (klick)
        Q_EMIT geklickt();
}
