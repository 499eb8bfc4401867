#pragma once

#include <QString>

// Puts the text where it outlives the process. Windows keeps clipboard text by
// itself. Under X11 the text belongs to the process that set it and is gone when
// it exits, unless a clipboard manager takes a copy; where none runs, a detached
// helper owns the clipboard and serves it until another program takes it.
// Returns true when a keeper now holds the text in the clipboard Qt itself
// works on: then Qt must not take it, or it would take it from the keeper.
bool zwischenablageBewahren(const QString& text);

// Starts early what zwischenablageBewahren will need, so that its start
// overlaps the transfer; without a call, zwischenablageBewahren starts it.
void zwischenablageVorbereiten();
