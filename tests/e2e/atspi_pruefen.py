"""Reads the program's windows as a screen reader does, over AT-SPI (Debian's
python3-pyatspi; run with /usr/bin/python3), and fails with a message on the
first thing that is missing.

  atspi_pruefen.py einstellungen BREITE HOEHE  the settings window: names, the
      server hint as the FTP server box's description, two focusable links, every
      button on the screen; then the image-host box disables box and hint.
  atspi_pruefen.py statusfenster                the status window's name and description.
"""
import sys
import time

import pyatspi


def fehler(text):
    print("FAIL: " + text, file=sys.stderr)
    sys.exit(1)


def knoten(wurzel):
    yield wurzel
    for i in range(wurzel.childCount):
        kind = wurzel.getChildAtIndex(i)
        if kind is not None:
            yield from knoten(kind)


def warten(suche, was):
    """Asks again until the program has registered and built its tree; 30 s bound a failure."""
    for _ in range(300):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            anwendung = desktop.getChildAtIndex(i)
            if anwendung is None:
                continue
            treffer = [k for k in knoten(anwendung) if suche(k)]
            if treffer:
                return treffer[0]
        time.sleep(0.1)
    fehler(was + " not found over AT-SPI")


def eins(fenster, rolle, name):
    treffer = [k for k in knoten(fenster) if k.getRoleName() == rolle and k.name == name]
    if len(treffer) != 1:
        fehler("%d %s named %r" % (len(treffer), rolle, name))
    return treffer[0]


def zustand(k, z):
    return k.getState().contains(z)


def einstellungen(breite, hoehe):
    fenster = warten(lambda k: k.name == "Morva Fotoschicker 1.1 - Einstellungen", "the settings window")
    server = eins(fenster, "text", "FTP-Server")
    hinweise = [k for k in knoten(fenster) if k.getRoleName() == "label" and k.name.startswith("ftpes://")]
    if len(hinweise) != 1 or server.description != hinweise[0].name:
        fehler("the FTP server box is described as %r, not by the hint under it" % server.description)
    hinweis = hinweise[0]
    for name in ("Benutzerkennung (Login-ID)", "FTP-Zielverzeichnis", "URL zum FTP-Zielverzeichnis"):
        eins(fenster, "text", name)
    eins(fenster, "password text", "Passwort")
    for name in ("Verweiswerk", "www.morva.de"):
        verweis = eins(fenster, "link", name)
        if not zustand(verweis, pyatspi.STATE_FOCUSABLE):
            fehler("the link %r takes no focus" % name)
        if "Press" not in [verweis.queryAction().getName(i) for i in range(verweis.queryAction().nActions)]:
            fehler("the link %r cannot be pressed" % name)
    for name in ("OK", "Abbrechen", "Übernehmen"):
        x, y, b, h = eins(fenster, "push button", name).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if x < 0 or y < 0 or x + b > breite or y + h > hoehe:
            fehler("%r at %d,%d %dx%d is not on the %dx%d screen" % (name, x, y, b, h, breite, hoehe))
    bildhost = [k for k in knoten(fenster) if k.getRoleName() == "check box" and k.name.startswith("Dienst von ")]
    aktion = bildhost[0].queryAction()
    aktion.doAction([aktion.getName(i) for i in range(aktion.nActions)].index("Toggle"))
    for _ in range(300):
        if not zustand(hinweis, pyatspi.STATE_ENABLED) and not zustand(server, pyatspi.STATE_ENABLED):
            break
        time.sleep(0.1)
    else:
        fehler("in image-host mode the FTP server box or its hint is still enabled")


def statusfenster():
    fenster = warten(lambda k: k.name == "Morva Fotoschicker Statusfenster", "the status window")
    if not fenster.description.startswith("Zeigt, wie weit die Übertragung ist."):
        fehler("the status window is described as %r" % fenster.description)


if __name__ == "__main__":
    if sys.argv[1] == "einstellungen":
        einstellungen(int(sys.argv[2]), int(sys.argv[3]))
    else:
        statusfenster()
