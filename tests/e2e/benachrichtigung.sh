#!/usr/bin/env bash
# The desktop notification after an upload, on a session bus of the test's own with a
# notification server of its own (tests/support/benachrichtigungsserver.py): exactly one
# notification with the link when the status window is on, none when it is off (the
# box says it then), and without a server the upload ends as before. A server that offers
# actions gets "Öffnen" and "Verlauf", and a click on either is answered after the program
# has ended; several pictures give one notification.
. "$(dirname "$0")/lib.sh"

start_xvfb
PORT=$(free_port)
start_bildhost "$PORT" "$E2E_TMP/ablage"
PROGRAMM=$(dirname "$FOTOSCHICKER")/fotoschicker_testgrenzen
export FOTOSCHICKER_TEST_BILDHOST=127.0.0.1:$PORT
convert -size 30x20 xc:red "$E2E_TMP/rot.jpg"

dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/bus" >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_for test -s "$E2E_TMP/bus" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")

# Without a notification server on the bus nothing waits for one.
store useIS=Wahr StatusfensterZeigen=Wahr LinkOption=1
link=$(timeout 30 "$PROGRAMM" "$E2E_TMP/rot.jpg") || fail "upload without a notification server failed"
pass "without a notification server the upload ends as before"

NOTIZEN=$E2E_TMP/notizen
KLICK=$E2E_TMP/klick
: >"$KLICK"
/usr/bin/python3 "$E2E_DIR/../support/benachrichtigungsserver.py" "$NOTIZEN" "$KLICK" >"$E2E_TMP/server.log" 2>&1 &
E2E_PIDS+=($!)
wait_for grep -q bereit "$E2E_TMP/server.log" || fail "notification server did not start: $(cat "$E2E_TMP/server.log")"

# zeilen_ab FILE N : whether the file has N lines or more.
zeilen_ab() { [ "$(wc -l <"$1" 2>/dev/null)" -ge "$2" ]; }
# notiz N : waits for the Nth notification and prints it.
notiz() {
    wait_for zeilen_ab "$NOTIZEN" "$1" || fail "no notification $1: [$(cat "$NOTIZEN")]"
    sed -n "$1p" "$NOTIZEN"
}

link=$(timeout 30 "$PROGRAMM" "$E2E_TMP/rot.jpg") || fail "upload failed"
[ "$(notiz 1)" = "URL in der Zwischenablage|$link|" ] || fail "notifications: [$(cat "$NOTIZEN")]"
pass "one notification with the link, without actions where the server offers none"

# The server clicks "Verlauf" at once; the program has ended long before anyone could.
echo verlauf >"$KLICK"
link=$(timeout 30 "$PROGRAMM" "$E2E_TMP/rot.jpg") || fail "upload failed"
[ "$(notiz 2)" = "URL in der Zwischenablage|$link|oeffnen,Öffnen,verlauf,Verlauf" ] ||
    fail "notifications: [$(cat "$NOTIZEN")]"
wait_for window_named "Morva Fotoschicker - Verlauf" || fail "\"Verlauf\" did not open the history window"
kill "$(xdotool getwindowpid "$(window_named "Morva Fotoschicker - Verlauf")")"
pass "the notification carries \"Öffnen\" and \"Verlauf\"; \"Verlauf\" opens the history"

# "Öffnen" hands every link of a run of two pictures to the browser, through xdg-open.
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$E2E_TMP/geoeffnet" >"$E2E_TMP/bin/xdg-open"
chmod 755 "$E2E_TMP/bin/xdg-open"
convert -size 20x30 xc:blue "$E2E_TMP/blau.png"
echo oeffnen >"$KLICK"
links=$(PATH="$E2E_TMP/bin:$PATH" timeout 30 "$PROGRAMM" "$E2E_TMP/rot.jpg" "$E2E_TMP/blau.png") ||
    fail "upload of two pictures failed"
[ "$(wc -l <<<"$links")" -eq 2 ] || fail "links: [$links]"
[ "$(notiz 3)" = "URLs in der Zwischenablage|$(paste -sd, <<<"$links")|oeffnen,Öffnen,verlauf,Verlauf" ] ||
    fail "notifications: [$(cat "$NOTIZEN")]"
wait_for zeilen_ab "$E2E_TMP/geoeffnet" 2 || fail "opened: [$(cat "$E2E_TMP/geoeffnet")]"
# Each link has a browser of its own, so they may come in either order.
[ "$(sort "$E2E_TMP/geoeffnet")" = "$(sort <<<"$links")" ] || fail "opened: [$(cat "$E2E_TMP/geoeffnet")]"
[ "$(wc -l <"$NOTIZEN")" -eq 3 ] || fail "two pictures, notifications: [$(cat "$NOTIZEN")]"
pass "two pictures give one notification with both links; \"Öffnen\" opens them"
: >"$KLICK"

store StatusfensterZeigen=Falsch
"$PROGRAMM" "$E2E_TMP/rot.jpg" >"$E2E_TMP/ohne_status" &
lauf=$!
wait_for window_named "Datei übertragen" || fail "no success box with the status window off"
# Pasted while the box is open, the link must be this picture's and not the last upload's. Waited
# for: on a very busy machine the helper may take the clipboard after the program stopped waiting for
# it. The box stays open meanwhile.
link_eingefuegt() { [ -s "$E2E_TMP/ohne_status" ] && [ "$(clipboard)" = "$(cat "$E2E_TMP/ohne_status")" ]; }
wait_for link_eingefuegt || fail "while the success box is open the clipboard holds [$(clipboard)]"
press_key "Datei übertragen" Return
wait_gone $lauf || fail "the run did not end after the box"
wait $lauf || fail "the upload with the status window off ended with status $?"
[ "$(wc -l <"$NOTIZEN")" -eq 3 ] || fail "with the status window off: [$(cat "$NOTIZEN")]"
pass "with the status window off the box says it, with the link already in the clipboard, and no notification comes"
