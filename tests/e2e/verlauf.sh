#!/usr/bin/env bash
# The upload history as a user meets it: two uploads to a bildhost on a free port
# land as two rows with their links and deletion keys, a failed one adds none;
# "fotoschicker --verlauf" at 150 % on a 1366x768 screen fits it, Enter copies the
# newest link, Escape closes it.
. "$(dirname "$0")/lib.sh"

start_xvfb 1366x768
PORT=$(free_port)
start_bildhost "$PORT" "$E2E_TMP/ablage"
PROGRAMM=$(dirname "$FOTOSCHICKER")/fotoschicker_testgrenzen
export FOTOSCHICKER_TEST_BILDHOST=127.0.0.1:$PORT
store useIS=Wahr StatusfensterZeigen=Wahr LinkOption=1

zeilen() {
    /usr/bin/python3 -c 'import sqlite3, sys
for z in sqlite3.connect(sys.argv[1]).execute("SELECT link, modus, loeschschluessel FROM uploads ORDER BY id"):
    print(*z)' "$VERLAUF"
}

links=()
for farbe in red blue; do
    convert -size 300x200 "xc:$farbe" "$E2E_TMP/$farbe.jpg"
    status=0
    link=$(timeout 30 "$PROGRAMM" "$E2E_TMP/$farbe.jpg") || status=$?
    [ "$status" -eq 0 ] || fail "upload of $farbe.jpg ended with status $status"
    links+=("$link")
done
kill "${E2E_PIDS[-1]}"
status=0
timeout 30 "$PROGRAMM" /ftpserver:x "/file:$E2E_TMP/red.jpg" >/dev/null 2>&1 &
lauf=$!
wait_for window_named "Fehler bei Dateiübertragung" || fail "no failure box with bildhost stopped"
press_key "Fehler bei Dateiübertragung" Return
wait $lauf || status=$?
[ "$status" -ne 0 ] || fail "the failed upload ended with status 0"

mapfile -t liste < <(zeilen)
[ "${#liste[@]}" -eq 2 ] || fail "history holds: ${liste[*]}"
for i in 0 1; do
    [[ "${liste[$i]}" =~ ^${links[$i]}\ Bildhost\ [0-9a-f]{32}$ ]] || fail "row $i: ${liste[$i]}"
done
[ "$(stat -c %a "$VERLAUF")" = 600 ] || fail "history file mode $(stat -c %a "$VERLAUF")"
pass "two uploads, two rows with link, mode and deletion key; none for the failed one; the file is private"

QT_SCALE_FACTOR=1.5 "$FOTOSCHICKER" --verlauf >/dev/null 2>&1 &
fenster=$!
titel="Morva Fotoschicker - Verlauf"
wait_for window_named "$titel" || fail "no history window"
eval "$(xdotool getwindowgeometry --shell "$(window_named "$titel")")"
[ $((X + WIDTH)) -le 1366 ] && [ $((Y + HEIGHT)) -le 768 ] && [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] ||
    fail "at 150 % the window lies at ${WIDTH}x${HEIGHT}+${X}+${Y}"
pass "at 150 % the history window (${WIDTH}x${HEIGHT}) fits a 1366x768 screen"

newest() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "${links[1]}" ]; }
press_key "$titel" Return
wait_for newest || fail "Enter did not copy the newest link: [$(xclip -o -selection clipboard 2>/dev/null)]"
pass "Enter copies the newest link"
press_key "$titel" Escape
wait_gone $fenster || fail "Escape did not close the history window"
wait $fenster || fail "the history window ended with status $?"
pass "Escape closes it, status 0"
