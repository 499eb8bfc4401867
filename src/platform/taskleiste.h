#pragma once

class QWindow;

// Keeps a small helper window out of the taskbar and the pager. Call it before
// the window is first shown: window managers read the state when they map it.
void ausDerTaskleiste(QWindow* fenster);
