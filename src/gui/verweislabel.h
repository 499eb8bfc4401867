#pragma once

#include <QLabel>

// A label that looks like a web link (blue, underlined, hand cursor) and
// reports a click. It takes no focus, like every other label of the window.
class Verweislabel : public QLabel {
    Q_OBJECT

public:
    explicit Verweislabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void geklickt();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_gedrueckt = false;
};
