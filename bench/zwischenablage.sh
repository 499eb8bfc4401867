#!/usr/bin/env bash
# Start to link in the clipboard, and start to settings window on the screen, of the installed
# program against a bare Qt Widgets program (bench/nackt.cpp: one label, the clipboard set), under
# Xvfb without a window manager, all in one interleaved run. Uploads a 200 kB JPEG over FTP (loopback,
# pyftpdlib throwing the bytes away) and to bildhost, each with the status window on and off; with it
# off, bench/fensterwaechter.cpp closes the "Datei übertragen" box the moment it is mapped, as it
# closes the settings window. The link is there the moment the clipboard changes hands: the watcher
# holds the clipboard when a run that copies starts, and the X server takes it away when the run sets
# it. Prints the median of each, to the link and to the end of the process, and its ratio to the bare
# program's; the settings window against the bare program's window mapped.
#   bench/zwischenablage.sh [RUNDEN] [VORHER_BIN]
# VORHER_BIN: a folder with another build's fotoschicker, fotoschicker_testgrenzen and
# fotoschicker-zwischenablage, measured in the same rounds ("vorher"); the median of the two builds'
# round-by-round difference follows each of its lines.
set -euo pipefail
cd "$(dirname "$0")/.."
export FOTOSCHICKER=${FOTOSCHICKER:-$PWD/build/installed/bin/fotoschicker}
E2E_DIR=$PWD/tests/e2e
. tests/e2e/lib.sh
runden=${1:-21}
vorher=${2:-}
nachher=$(dirname "$FOTOSCHICKER")

g++ -O2 -fPIC -std=c++20 bench/nackt.cpp -o "$E2E_TMP/nackt" $(pkg-config --cflags --libs Qt6Widgets)
g++ -O2 -std=c++20 bench/fensterwaechter.cpp -o "$E2E_TMP/fensterwaechter" $(pkg-config --cflags --libs xcb)

# The program keeps its lock in the runtime folder, which a desktop session has on tmpfs
# (/run/user/UID): there, not on the disk of the tests' temporary folder.
laufzeit=$(mktemp -d -p /dev/shm)
trap 'rm -rf "$laufzeit"; e2e_cleanup' EXIT
export XDG_RUNTIME_DIR=$laufzeit

start_xvfb
ftpausgabe=$E2E_TMP/ftp.out
/usr/bin/python3 -u tests/support/ftp_testserver.py --benutzer bench --passwort bench \
    --wurzel "$E2E_TMP" --verwerfen >"$ftpausgabe" 2>&1 &
E2E_PIDS+=($!)
wait_for grep -q '^PORT ' "$ftpausgabe" || fail "FTP server did not start"
bildhost_port=$(free_port)
mkdir -p "$E2E_TMP/bilder"
start_bildhost "$bildhost_port" "$E2E_TMP/bilder"

convert -size 520x390 plasma:fractal -quality 95 "$E2E_TMP/bild.jpg"
# One settings store per kind of run.
for art in ftp_an ftp_aus bild_an bild_aus; do
    export XDG_CONFIG_HOME=$E2E_TMP/config_$art
    STORE=$XDG_CONFIG_HOME/MorvaFotoschicker/MorvaFotoschicker.conf
    status=Wahr; [ "${art#*_}" = an ] || status=Falsch
    useis=Falsch; [ "${art%_*}" = ftp ] || useis=Wahr
    store FTPServer="127.0.0.1:$(sed -n 's/^PORT //p' "$ftpausgabe")" FTPLogin=bench FTPPassword=bench FTPPath= \
        FTPPassiv=Wahr FTPUseProxy=Falsch URL=http://bilder.example/ LinkOption=2 StatusfensterZeigen=$status \
        useIS=$useis
done

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
FOTOSCHICKER_TEST_BILDHOST=127.0.0.1:$bildhost_port /usr/bin/python3 - "$E2E_TMP" "$runden" "$nachher" "$vorher" <<'PY'
import os, statistics, subprocess, sys, time

tmp, runden, nachher, vorher = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
bild = os.path.join(tmp, "bild.jpg")
kartenpfad = os.path.join(tmp, "karten")
einstellungen = "Morva Fotoschicker 1.1 - Einstellungen"
waechter = subprocess.Popen([os.path.join(tmp, "fensterwaechter"), "Datei übertragen", einstellungen],
                            stdin=subprocess.PIPE, stdout=open(kartenpfad, "w"))
karten = open(kartenpfad)

angefangen = []

def zeile():
    """The watcher's next whole line. A read may end inside a line the watcher is still writing,
    where the file grows past a page: that part waits for the rest, or its command would wait for
    an answer that was read in two halves."""
    # A bound on a failure, not a measurement: every answer comes within milliseconds.
    frist = time.monotonic() + 60
    while True:
        z = karten.readline()
        if z.endswith("\n"):
            z = "".join(angefangen) + z
            angefangen.clear()
            return z.rstrip("\n")
        if z:
            angefangen.append(z)
            continue
        if waechter.poll() is not None:
            sys.exit("the window watcher ended")
        if time.monotonic() > frist:
            sys.exit("the window watcher gave no answer within 60 s")
        time.sleep(0.001)

def sagen(wort, antwort):
    """Sends the watcher a command; returns what it printed before its answer, in order."""
    waechter.stdin.write(wort.encode() + b"\n")
    waechter.stdin.flush()
    gesehen = []
    while (z := zeile()) not in (antwort, "nicht genommen"):
        gesehen.append(z)
    if z != antwort:
        sys.exit("the window watcher could not take the clipboard")
    return gesehen

def lauf(befehl, art=None, karte=None):
    """Milliseconds from the start to the end of the process, to the link in the clipboard (the
    moment the watcher lost it to the run), and to the window called karte mapped. A window that
    was gone before the watcher could read its title counts too: the bare program ends right after
    its window is mapped, and it shows no other."""
    # The watcher holds the clipboard when a run that copies starts; the settings window starts,
    # as a user would start it, with the clipboard where the last upload left it.
    if karte != einstellungen:
        sagen("nimm", "genommen")
    umgebung = dict(os.environ)
    if art:
        umgebung["XDG_CONFIG_HOME"] = os.path.join(tmp, "config_" + art)
    beginn = time.monotonic_ns()
    ergebnis = subprocess.run(befehl, env=umgebung, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ende = time.monotonic_ns()
    if ergebnis.returncode != 0:
        sys.exit(f"{befehl} ended with status {ergebnis.returncode}")
    gesehen = sagen("marke", "marke")
    def erstes(passt):
        for z in gesehen:
            ns, _, was = z.partition("\t")
            if ns.isdigit() and int(ns) >= beginn and passt(was):
                return (int(ns) - beginn) / 1e6
        return None
    link = erstes(lambda t: t == "@Zwischenablage")
    fenster = erstes(lambda t: t == karte or (karte == "nackt" and t == "")) if karte else None
    if karte and fenster is None:
        sys.exit(f"{befehl}: no window {karte} seen")
    if link is None and karte != einstellungen:
        sys.exit(f"{befehl} left no link in the clipboard")
    return (ende - beginn) / 1e6, link, fenster

builds = [("nachher", nachher)] + ([("vorher", vorher)] if vorher else [])
zeiten = {}
def messen(name, wert):
    zeiten.setdefault(name, []).append(wert)

try:
    if zeile() != "bereit":
        sys.exit("the window watcher did not start")
    # Interleaved: every round runs each program once, so a change in the machine's load hits all alike.
    for runde in range(runden):
        bisEnde, bisLink, bisFenster = lauf([os.path.join(tmp, "nackt")], karte="nackt")
        messen("nackt: bis Link", bisLink)
        messen("nackt: bis Ende", bisEnde)
        messen("nackt: Fenster gezeigt", bisFenster)
        for build, ordner in builds:
            programm = os.path.join(ordner, "fotoschicker")
            testgrenzen = os.path.join(ordner, "fotoschicker_testgrenzen")
            for art, name, befehl in (("ftp_an", "FTP, Statusfenster an", programm),
                                      ("ftp_aus", "FTP, Statusfenster aus", programm),
                                      ("bild_an", "Bildhost, Statusfenster an", testgrenzen),
                                      ("bild_aus", "Bildhost, Statusfenster aus", testgrenzen)):
                bisEnde, bisLink, _ = lauf([befehl, bild], art)
                messen(f"{build}: {name}: bis Link", bisLink)
                messen(f"{build}: {name}: bis Ende", bisEnde)
            messen(f"{build}: Einstellungsfenster gezeigt",
                   lauf([programm], "ftp_an", einstellungen)[2])
finally:
    waechter.kill()

bezug = {art: statistics.median(zeiten["nackt: " + art]) for art in ("bis Link", "bis Ende", "Fenster gezeigt")}
print(f"{runden} rounds, median in ms; ratio to the bare program (to its link in the clipboard, to its end,")
print("or to its window mapped)")
for name, werte in zeiten.items():
    art = next((a for a in ("bis Link", "bis Ende") if name.endswith(a)), "Fenster gezeigt")
    print(f"{name:52s} {statistics.median(werte):7.1f} ms  {statistics.median(werte) / bezug[art]:5.2f}x")
    # Two builds measured in the same rounds: the median of their round-by-round difference shows a
    # change of a millisecond that the spread of the two medians hides.
    if name.startswith("vorher: "):
        nachherWerte = zeiten["nachher: " + name.removeprefix("vorher: ")]
        unterschied = statistics.median(n - v for n, v in zip(nachherWerte, werte))
        print(f"{'  nachher minus vorher, median of each round':52s} {unterschied:+7.1f} ms")
PY
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
