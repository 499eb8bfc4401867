#pragma once

#include <functional>

class Form1;
class Startlauf;

// What the settings window's buttons do to the run. beenden ends the program
// with an exit status once the current event has been handled; the program
// passes QCoreApplication::exit.
void fensterknoepfeVerbinden(Form1& form1, Startlauf& lauf, std::function<void(int)> beenden);

// Scripts take the link from standard output; nothing else is ever written there.
void linkAusgeben(const Startlauf& lauf);
