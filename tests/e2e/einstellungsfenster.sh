# The settings window of the installed program, driven by the keyboard only:
# Tab order, "Übernehmen" storing with the closing "/", Enter and Escape doing
# nothing, "Abbrechen" ending the program without storing.
source "$E2E_DIR/lib.sh"
start_xvfb

title="Morva Fotoschicker 1.1 - Einstellungen"
"$FOTOSCHICKER" >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
settings_window() { window_named "$title" | grep .; }
wait_for settings_window || fail "settings window did not appear"
win=$(settings_window)
xdotool windowfocus --sync "$win"
sleep 0.3

keys() { xdotool key --delay 30 "$@"; sleep 0.3; }
# Text1 has the focus; three steps on is the target directory.
keys Tab Tab Tab
xdotool type --delay 20 "www/bilder"
# Check3, Check2, Check1, Text7, the selected option, then "Abbrechen" and "Übernehmen"
# (the proxy boxes and "OK" are disabled and skipped).
keys Tab Tab Tab Tab Tab Tab Tab
keys space
wait_for grep -q '^FTPPath=www/bilder/$' "$STORE" || fail "Übernehmen did not store FTPPath: $(cat "$STORE")"
pass "Übernehmen stores the target directory with its closing /"

before=$(cat "$STORE")
keys Return Escape
kill -0 "$pid" 2>/dev/null || fail "Enter or Escape ended the program"
[ "$(cat "$STORE")" = "$before" ] || fail "Enter or Escape stored something"
pass "Enter and Escape do nothing"

# Round to Text1, change it, then back past the image-host box (last in the
# order) and "Übernehmen" to "Abbrechen".
keys Tab Tab
xdotool type --delay 20 "ftp.geaendert.example"
keys shift+Tab shift+Tab shift+Tab space
gone() { [ ! -e "/proc/$pid" ] || grep -q '^State:[[:space:]]*Z' "/proc/$pid/status"; }
wait_for gone || fail "Abbrechen did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "Abbrechen ended with status $status"
[ "$(cat "$STORE")" = "$before" ] || fail "Abbrechen stored something: $(cat "$STORE")"
pass "Abbrechen ends the program without storing"
