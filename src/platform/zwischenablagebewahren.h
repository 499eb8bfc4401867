#pragma once

#include <QString>

// Makes the text just put on the clipboard outlive the process. Windows keeps
// clipboard text by itself. Under X11 the text belongs to the process that set
// it and is gone when it exits, unless a clipboard manager takes a copy; where
// none runs, a detached helper takes the clipboard over and serves it until
// another program takes it.
void zwischenablageBewahren(const QString& text);

// Starts early what zwischenablageBewahren will need, so that its start
// overlaps the transfer; without a call, zwischenablageBewahren starts it.
void zwischenablageVorbereiten();
