#!/usr/bin/env bash
# Settings are never lost silently. The program runs as nobody here, since root
# ignores permissions: a settings folder it may not write gives a box naming the
# file and the reason, at the start and at "OK" or "Übernehmen", and the
# window keeps what was typed; a store it may not read, or a folder in its
# place, is reported at the start and never written over; so is a FIFO.
. "$(dirname "$0")/lib.sh"
start_xvfb

EINSTELLUNGEN="Morva Fotoschicker 1.1 - Einstellungen"
NICHT_GESPEICHERT="Einstellungen nicht gespeichert"
NICHT_LESBAR="Einstellungen nicht lesbar"

# A home of nobody's own inside this test's private folder.
chmod 711 "$E2E_TMP"
NUTZER=$E2E_TMP/nobody
ORDNER=$NUTZER/config/MorvaFotoschicker
SPEICHER=$ORDNER/MorvaFotoschicker.conf
mkdir -p "$ORDNER" "$NUTZER/runtime"
chmod 700 "$NUTZER/runtime"
convert -size 8x6 xc:red "$NUTZER/bild.jpg"
chown -R 65534:65534 "$NUTZER"

# Started with &, it becomes the program itself, so $! is the program's own id.
als_nobody() {
    exec setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$NUTZER" XDG_CONFIG_HOME="$NUTZER/config" \
        XDG_RUNTIME_DIR="$NUTZER/runtime" DISPLAY="$DISPLAY" "$@"
}

# speicher_schreiben LINE... : the store as nobody's file, mode 0600.
speicher_schreiben() {
    rm -rf "$SPEICHER"
    printf '%s\n' '[Optionen]' "$@" >"$SPEICHER"
    chown 65534:65534 "$SPEICHER"
    chmod 600 "$SPEICHER"
}

# The normal form of every key, with no server: the settings are incomplete.
normal=(FTPServer= FTPLogin= FTPPassword=geheim FTPPath= FTPPassiv=Wahr FTPProxy= FTPProxyPort= URL=
    FTPUseProxy=Falsch LinkOption=2 StatusfensterZeigen=Wahr useIS=Falsch)

keys() { xdotool key --delay 30 "$@"; sleep 0.3; }
fenster_fokus() {
    xdotool windowfocus --sync "$(window_named "$EINSTELLUNGEN")"
    sleep 0.3
}
# beenden PID : the program lives on in its window; it is ended from outside.
beenden() {
    kill "$1"
    wait_gone "$1" || fail "the program did not end"
    wait "$1" || true
}

# The folder takes no new file, but the store holds the normal form already:
# nothing to write at the start, so no box; "OK" must write, and cannot.
speicher_schreiben "${normal[@]}"
chmod 500 "$ORDNER"
als_nobody "$FOTOSCHICKER" "$NUTZER/bild.jpg" >/dev/null 2>&1 &
lauf=$!
E2E_PIDS+=("$lauf")
wait_for window_named "$EINSTELLUNGEN" || fail "no settings window for incomplete settings"
[ -z "$(window_named "$NICHT_GESPEICHERT")" ] || fail "a box at the start although nothing had to be written"
fenster_fokus
xdotool type --delay 20 "ftp.example.org"
keys Tab
xdotool type --delay 20 "anna"
# From Text2 past Text3, Text4, the three check boxes, Text7, the option and the two links to "OK".
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
wait_for window_named "$NICHT_GESPEICHERT" || fail "OK with a folder that takes no file showed no box"
press_key "$NICHT_GESPEICHERT" Return
wait_for window_named "$EINSTELLUNGEN" || fail "the settings window did not stay open after the box"
kill -0 $lauf 2>/dev/null || fail "the program ended after the box"
pass "OK into a read-only folder: box \"$NICHT_GESPEICHERT\", the window stays open"

# Once the folder takes files again, "Übernehmen" stores what was typed before the box.
chmod 700 "$ORDNER"
fenster_fokus
keys Tab Tab space
wait_for grep -q '^FTPServer=ftp.example.org$' "$SPEICHER" || fail "the typed server was lost: $(cat "$SPEICHER")"
grep -q '^FTPLogin=anna$' "$SPEICHER" || fail "the typed login was lost: $(cat "$SPEICHER")"
beenden $lauf
pass "what was typed stayed in the window and is stored once the folder can be written"

# A store without one of the keys must be rewritten at the start: the box comes then.
speicher_schreiben "${normal[@]:0:11}"
chmod 500 "$ORDNER"
als_nobody "$FOTOSCHICKER" >/dev/null 2>&1 &
lauf=$!
E2E_PIDS+=("$lauf")
wait_for window_named "$NICHT_GESPEICHERT" || fail "the start's rewrite into a read-only folder showed no box"
press_key "$NICHT_GESPEICHERT" Return
wait_for window_named "$EINSTELLUNGEN" || fail "no settings window after the box at the start"
beenden $lauf
chmod 700 "$ORDNER"
pass "the start's own rewrite into a read-only folder: box \"$NICHT_GESPEICHERT\""

# A store nobody may not read (root's, as after a run with sudo): reported, and
# neither the start nor "Übernehmen" writes over it.
speicher_schreiben "${normal[@]}" FTPServer=ftp.geheim.example FTPLogin=anna
chown 0:0 "$SPEICHER"
vorher=$(sha256sum <"$SPEICHER")
als_nobody "$FOTOSCHICKER" >/dev/null 2>&1 &
lauf=$!
E2E_PIDS+=("$lauf")
wait_for window_named "$NICHT_LESBAR" || fail "an unreadable store showed no box"
press_key "$NICHT_LESBAR" Return
wait_for window_named "$EINSTELLUNGEN" || fail "no settings window after the box for an unreadable store"
fenster_fokus
# From Text1 past the two links to "Übernehmen" ("OK" is disabled without a picture).
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
wait_for window_named "$NICHT_GESPEICHERT" || fail "Übernehmen over an unreadable store showed no box"
press_key "$NICHT_GESPEICHERT" Return
beenden $lauf
[ "$(sha256sum <"$SPEICHER")" = "$vorher" ] || fail "the unreadable store was changed"
[ "$(stat -c %U "$SPEICHER")" = root ] || fail "the unreadable store was replaced"
pass "an unreadable store: box \"$NICHT_LESBAR\" at the start, \"$NICHT_GESPEICHERT\" at Übernehmen, the file untouched"

# A folder where the store should be.
rm -f "$SPEICHER"
mkdir "$SPEICHER"
chown 65534:65534 "$SPEICHER"
als_nobody "$FOTOSCHICKER" >/dev/null 2>&1 &
lauf=$!
E2E_PIDS+=("$lauf")
wait_for window_named "$NICHT_LESBAR" || fail "a folder in the store's place showed no box"
press_key "$NICHT_LESBAR" Return
wait_for window_named "$EINSTELLUNGEN" || fail "no settings window after the box for a folder"
beenden $lauf
[ -d "$SPEICHER" ] || fail "the folder in the store's place was replaced"
pass "a folder in the store's place: box \"$NICHT_LESBAR\", the folder left alone"

# The store as a link to a FIFO: opening it would wait for a writer, with no
# window ever and every later start taken for a second one.
rm -rf "$SPEICHER"
mkfifo "$NUTZER/fifo"
ln -s "$NUTZER/fifo" "$SPEICHER"
chown -h 65534:65534 "$NUTZER/fifo" "$SPEICHER"
als_nobody "$FOTOSCHICKER" >/dev/null 2>&1 &
lauf=$!
E2E_PIDS+=("$lauf")
wait_for window_named "$NICHT_LESBAR" || fail "a store linked to a FIFO showed no box"
press_key "$NICHT_LESBAR" Return
wait_for window_named "$EINSTELLUNGEN" || fail "no settings window after the box for a FIFO"
beenden $lauf
[ -p "$NUTZER/fifo" ] && [ -L "$SPEICHER" ] || fail "the FIFO or the link to it was replaced"
pass "a store linked to a FIFO: box \"$NICHT_LESBAR\", the FIFO and the link left alone"
