#include "gui/statusfenster.h"

#include "platform/taskleiste.h"
#include "statusfenster/fensterlage.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {
QScreen* bildschirm()
{
    return QGuiApplication::primaryScreen();
}

double dpiX()
{
    return bildschirm() ? bildschirm()->logicalDotsPerInchX() : 96;
}

double dpiY()
{
    return bildschirm() ? bildschirm()->logicalDotsPerInchY() : 96;
}

// The window's place on the whole primary screen, from its current size and resolution.
QRect lage(int zusatzTwips)
{
    return Fensterlage::statusfensterLage(
        bildschirm() ? bildschirm()->geometry() : QRect(0, 0, 1024, 768), dpiX(), dpiY(), zusatzTwips);
}

QFont statusinfoSchrift()
{
    QFont schrift(QStringLiteral("MS Sans Serif"), 12, QFont::Normal);
    // Where that face is missing, the nearest sans-serif takes its place.
    schrift.setStyleHint(QFont::SansSerif);
    return schrift;
}
} // namespace

statusfenster::statusfenster()
    : QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , m_label1(new QLabel(QStringLiteral("Morva Fotoschicker Statusfenster..."), this))
    , m_statusinfo(new QLabel(QStringLiteral("Label1"), this))
    , m_bildzeile(new QLabel(this))
{
    setObjectName(QStringLiteral("statusfenster"));
    // Without a title the taskbar and screen readers would call it by the program's file name.
    setWindowTitle(QStringLiteral("Morva Fotoschicker Statusfenster"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(
        QStringLiteral("Zeigt, wie weit die Übertragung ist. Ein Klick fragt, ob sie abgebrochen werden soll."));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // The window is never active, and Qt shows tooltips only over active ones unless told.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setToolTip(QStringLiteral("Ein Klick auf dieses Fenster fragt, ob die Übertragung abgebrochen werden soll."));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette farben = palette();
    farben.setColor(QPalette::Window, QColor(255, 255, 128));
    farben.setColor(QPalette::WindowText, Qt::black);
    setPalette(farben);
    setAutoFillBackground(true);

    // Positions inside the client area, which starts inside the frame.
    const double twipsX = Fensterlage::twipsProPixel(dpiX());
    const double twipsY = Fensterlage::twipsProPixel(dpiY());
    const auto platzieren = [this, twipsX, twipsY](QLabel* label, int links, int oben, int breite, int hoehe) {
        label->setGeometry(frameWidth() + Fensterlage::pixel(links, twipsX),
            frameWidth() + Fensterlage::pixel(oben, twipsY), Fensterlage::pixel(breite, twipsX),
            Fensterlage::pixel(hoehe, twipsY));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    m_label1->setObjectName(QStringLiteral("Label1"));
    platzieren(m_label1, 90, 45, 3840, 285);
    m_statusinfo->setObjectName(QStringLiteral("statusinfo"));
    m_statusinfo->setFont(statusinfoSchrift());
    platzieren(m_statusinfo, 90, 270, 4425, 420);
    m_bildzeile->setObjectName(QStringLiteral("bildzeile"));
    QFont fett = m_bildzeile->font();
    fett.setBold(true);
    m_bildzeile->setFont(fett);
    platzieren(m_bildzeile, 90, 45, 4425, 285);
    m_bildzeile->hide();

    // Not visible yet: only the place is taken, so the window appears there.
    setGeometry(lage(m_zusatzTwips));
    // It lives for one transfer and takes no focus: an entry in the taskbar would lead nowhere.
    create();
    ausDerTaskleiste(windowHandle());
}

void statusfenster::bildzeileSetzen(const QString& text)
{
    const int zusatz = text.isEmpty() ? 0 : Fensterlage::bildzeileTwips;
    const double twipsY = Fensterlage::twipsProPixel(dpiY());
    const int schieben = Fensterlage::pixel(zusatz, twipsY) - Fensterlage::pixel(m_zusatzTwips, twipsY);
    for (QLabel* label : { m_label1, m_statusinfo })
        label->move(label->x(), label->y() + schieben);
    m_zusatzTwips = zusatz;
    // A long name loses its middle, so both its start and its ending still show.
    m_bildzeile->setText(m_bildzeile->fontMetrics().elidedText(text, Qt::ElideMiddle, m_bildzeile->width()));
    m_bildzeile->setAccessibleName(text);
    m_bildzeile->setVisible(!text.isEmpty());
    setGeometry(lage(m_zusatzTwips));
}

void statusfenster::statusinfoSetzen(const QString& text)
{
    // The stand-in for "MS Sans Serif" is often wider; a smaller size beats a cut-off sentence.
    QFont schrift = statusinfoSchrift();
    while (schrift.pointSize() > 8 && QFontMetrics(schrift).horizontalAdvance(text) > m_statusinfo->width())
        schrift.setPointSize(schrift.pointSize() - 1);
    m_statusinfo->setFont(schrift);
    m_statusinfo->setText(text);
}

void statusfenster::fortschritt(qint64 gesendet, qint64 gesamt)
{
    m_anteil = gesamt > 0 ? std::clamp(static_cast<double>(gesendet) / static_cast<double>(gesamt), 0.0, 1.0) : -1;
    update();
}

void statusfenster::vordergrund()
{
    const QRect ziel = lage(m_zusatzTwips);
    if (!isVisible())
        return;
    if (geometry() != ziel)
        setGeometry(ziel);
    raise();
}

bool statusfenster::event(QEvent* ereignis)
{
    const bool erledigt = QFrame::event(ereignis);
    switch (ereignis->type()) {
    case QEvent::Show:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Resize:
        vordergrund();
        break;
    default:
        break;
    }
    return erledigt;
}

void statusfenster::mousePressEvent(QMouseEvent* ereignis)
{
    QFrame::mousePressEvent(ereignis);
    Q_EMIT angeklickt();
}

void statusfenster::paintEvent(QPaintEvent* ereignis)
{
    QFrame::paintEvent(ereignis);
    if (m_anteil < 0)
        return;
    const QRect innen = contentsRect();
    const QRect linie(innen.left(), innen.bottom() - 2, innen.width(), 3);
    QPainter maler(this);
    maler.fillRect(linie, QColor(224, 224, 112));
    maler.fillRect(linie.adjusted(0, 0, -qRound(linie.width() * (1.0 - m_anteil)), 0), QColor(0, 96, 192));
}
