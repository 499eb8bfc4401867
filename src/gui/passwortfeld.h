#pragma once

#include <QLineEdit>

// A text box for a password that shows "*" for every character, whatever
// bullet the style would draw. The text itself is kept exactly as typed.
class Passwortfeld : public QLineEdit {
    Q_OBJECT

public:
    explicit Passwortfeld(QWidget* parent = nullptr);
};
