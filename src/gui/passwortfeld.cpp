#include "gui/passwortfeld.h"

Passwortfeld::Passwortfeld(QWidget* parent)
    : QLineEdit(parent)
{
    setEchoMode(QLineEdit::Password);
    // 42 is "*"; the style's own hint would give a bullet.
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}
