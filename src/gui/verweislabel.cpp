#include "gui/verweislabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {
// A label reads as static text; this one is a link with a press action.
class Verweiszugang : public QAccessibleWidget {
public:
    explicit Verweiszugang(Verweislabel* label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Name)
            return static_cast<const Verweislabel*>(widget())->text();
        return QAccessibleWidget::text(art);
    }

    QStringList actionNames() const override { return { pressAction() }; }

    void doAction(const QString& aktion) override
    {
        if (aktion == pressAction())
            Q_EMIT static_cast<Verweislabel*>(widget())->geklickt();
    }
};

QAccessibleInterface* zugangFuer(const QString& klasse, QObject* objekt)
{
    if (klasse == QLatin1String("Verweislabel") && objekt && objekt->isWidgetType())
        return new Verweiszugang(static_cast<Verweislabel*>(objekt));
    return nullptr;
}
} // namespace

Verweislabel::Verweislabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(&zugangFuer);
        return true;
    }();
    Q_UNUSED(eingerichtet)
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont schrift = font();
    schrift.setUnderline(true);
    setFont(schrift);
    // A fixed blue is unreadable on a dark palette; the palette's own link colour suits either.
    setForegroundRole(QPalette::Link);
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

void Verweislabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Q_EMIT geklickt();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void Verweislabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect rahmen;
    rahmen.initFrom(this);
    rahmen.backgroundColor = palette().color(backgroundRole());
    QPainter maler(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &rahmen, &maler, this);
}
