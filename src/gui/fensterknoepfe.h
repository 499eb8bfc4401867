#pragma once

#include <QString>

#include <functional>

class Form1;
class Startlauf;

// What the settings window's buttons do to the run. beenden ends the program
// with an exit status once the current event has been handled; the program
// passes QCoreApplication::exit.
void fensterknoepfeVerbinden(Form1& form1, Startlauf& lauf, const std::function<void(int)>& beenden);

// Scripts take the links from standard output, one line each as its picture
// goes up; nothing else is ever written there.
void linkAusgeben(const QString& link);
