#pragma once

#include <QLabel>

// A label that looks like a web link (the palette's link colour, underlined,
// hand cursor) and reports a click. It takes the focus like a button, opens
// with Enter or Space, and screen readers see a link they can press.
class Verweislabel : public QLabel {
    Q_OBJECT

public:
    explicit Verweislabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void geklickt();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_gedrueckt = false;
};
