#include "gui/statusfenster.h"

#include "platform/taskleiste.h"
#include "statusfenster/fensterlage.h"
#include "statusfenster/fortschrittstext.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

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

// The window's place on the primary screen, from its current size, work area and resolution.
QRect lage(int zusatzTwips)
{
    if (!bildschirm())
        return Fensterlage::statusfensterLage(QRect(0, 0, 1024, 768), QRect(), 96, 96, zusatzTwips);
    return Fensterlage::statusfensterLage(
        bildschirm()->geometry(), bildschirm()->availableGeometry(), dpiX(), dpiY(), zusatzTwips);
}

QFont statusinfoSchrift()
{
    QFont schrift(QStringLiteral("MS Sans Serif"), 12, QFont::Normal);
    // Where that face is missing, the nearest sans-serif takes its place.
    schrift.setStyleHint(QFont::SansSerif);
    return schrift;
}

// The longest of the transfer's usual texts: sized for it, the next text
// does not come in another size.
QString laengsterText()
{
    return QStringLiteral("Verbindung hergestellt, übertrage Datei...");
}

bool passt(const QFont& schrift, const QString& text, const QLabel* label)
{
    return QFontMetrics(schrift).horizontalAdvance(text) <= label->width();
}

QString klickHinweis()
{
    return QStringLiteral("Ein Klick auf dieses Fenster fragt, ob die Übertragung abgebrochen werden soll.");
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
    setToolTip(klickHinweis());
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
    platzieren(m_statusinfo, 90, 270, 4425, 420);
    m_bildzeile->setObjectName(QStringLiteral("bildzeile"));
    QFont fett = m_bildzeile->font();
    fett.setBold(true);
    m_bildzeile->setFont(fett);
    platzieren(m_bildzeile, 90, 45, 4425, 285);
    m_bildzeile->hide();
    // Both lines in one face and size, so the eye does not jump between them.
    m_schrift = statusinfoSchrift();
    while (m_schrift.pointSize() > 8
        && (!passt(m_schrift, m_label1->text(), m_label1) || !passt(m_schrift, laengsterText(), m_statusinfo)
            || QFontMetrics(m_schrift).height() > m_label1->height()))
        m_schrift.setPointSize(m_schrift.pointSize() - 1);
    m_label1->setFont(m_schrift);
    m_statusinfo->setFont(m_schrift);

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
    // A longer text (a long host name) makes both lines smaller, and they stay
    // so: a smaller size beats a cut-off sentence, and a steady one a jumpy window.
    const int vorher = m_schrift.pointSize();
    while (m_schrift.pointSize() > 8 && !passt(m_schrift, text, m_statusinfo))
        m_schrift.setPointSize(m_schrift.pointSize() - 1);
    if (m_schrift.pointSize() != vorher) {
        m_label1->setFont(m_schrift);
        m_statusinfo->setFont(m_schrift);
    }
    m_statusinfo->setText(text);
}

void statusfenster::fortschritt(qint64 gesendet, qint64 gesamt)
{
    m_anteil = gesamt > 0 ? std::clamp(static_cast<double>(gesendet) / static_cast<double>(gesamt), 0.0, 1.0) : -1;
    // Speed counts from the first report, so the time spent logging in does not lower it.
    if (!m_uhr.isValid()) {
        m_uhr.start();
        m_gesendetAmStart = gesendet;
    }
    const QString stand = fortschrittstext(gesendet, gesamt, m_uhr.elapsed(), m_gesendetAmStart);
    setToolTip(stand.isEmpty() ? klickHinweis() : stand + u'\n' + klickHinweis());
    if (QToolTip::isVisible() && underMouse())
        QToolTip::showText(QCursor::pos(), toolTip(), this);
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
    // 4 pixels at 96 DPI, more at higher resolutions: thinner, it goes unseen.
    const int dicke = std::max(4, qRound(4 * dpiY() / 96));
    const QRect linie(innen.left(), innen.bottom() - dicke + 1, innen.width(), dicke);
    QPainter maler(this);
    maler.fillRect(linie, QColor(224, 224, 112));
    maler.fillRect(linie.adjusted(0, 0, -qRound(linie.width() * (1.0 - m_anteil)), 0),
        QGuiApplication::palette().color(QPalette::Highlight));
}
