#pragma once

#include <QElapsedTimer>
#include <QFrame>

class QLabel;

// The small light-yellow window at the lower right of the screen that shows
// what a transfer is doing. It stays on top of everything and never takes the
// keyboard focus from whatever the user is working in, so a click on it is
// how the user stops a transfer.
class statusfenster : public QFrame {
    Q_OBJECT
public:
    statusfenster();

    void statusinfoSetzen(const QString& text);
    // A line above the others naming the picture while several go one after
    // another; the window grows by it. "" takes it away again.
    void bildzeileSetzen(const QString& text);
    // Draws a line under the text and tells how far, how fast and how long
    // still in the tooltip; gesamt 0 (unknown) draws none.
    void fortschritt(qint64 gesendet, qint64 gesamt);

    // Back to the lower right corner and to the top of the topmost windows.
    void vordergrund();

Q_SIGNALS:
    void angeklickt();

protected:
    bool event(QEvent* ereignis) override;
    void paintEvent(QPaintEvent* ereignis) override;
    void mousePressEvent(QMouseEvent* ereignis) override;

private:
    QLabel* m_label1;
    QLabel* m_statusinfo;
    QLabel* m_bildzeile;
    // Height the picture line adds, in twips; 0 without it.
    int m_zusatzTwips = 0;
    // Share of the file sent, or below 0 while there is nothing to show.
    double m_anteil = -1;
    // Since the first report of progress, and what had been sent by then.
    QElapsedTimer m_uhr;
    qint64 m_gesendetAmStart = 0;
    QFont m_schrift;
};
