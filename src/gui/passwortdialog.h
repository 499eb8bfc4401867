#pragma once

#include <QDialog>

class Passwortfeld;

// The prompt for a missing FTP password: the field shows "*" from the first
// character on, and the answer is the text exactly as typed.
class Passwortdialog : public QDialog {
    Q_OBJECT

public:
    Passwortdialog(const QString& aufforderung, const QString& titel, QWidget* parent = nullptr);

    // The typed text after OK; "" after Cancel, Escape or the close box.
    QString antwort() const;

    // Shows the prompt modally and returns its answer.
    static QString abfragen(const QString& aufforderung, const QString& titel, QWidget* parent = nullptr);

private:
    Passwortfeld* m_feld;
};
