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
# Check3, Check2, Check1, Text7, the selected option, the two links, then "Abbrechen" and
# "Übernehmen" (the proxy boxes and "OK" are disabled and skipped).
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab
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

# "OK" from the window after a failed upload runs again inside the open program:
# a second failure brings the window back, a corrected setting uploads, the link
# goes to standard output and the program ends with status 0.
rm -f "$STORE"
start_ftp u p "$E2E_TMP/ftp"
mkdir -p "$E2E_TMP/ftp/bilder"
convert -size 8x6 xc:red "$E2E_TMP/bild.jpg"
store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=u FTPPassword=p FTPPath=fehlt/ URL=http://bilder.example/ \
    LinkOption=0
"$FOTOSCHICKER" "$E2E_TMP/bild.jpg" >"$E2E_TMP/out" 2>/dev/null &
pid=$!
E2E_PIDS+=("$pid")
fehlerbox() { window_named "Fehler bei Dateiübertragung" | grep .; }
wait_for fehlerbox || fail "a missing target directory showed no 'Fehler bei Dateiübertragung' box"
press_key "Fehler bei Dateiübertragung" Return
wait_for settings_window || fail "no settings window after the 'Fehler bei Dateiübertragung' box"
xdotool windowfocus --sync "$(settings_window)"
sleep 0.3
# From Text1 past Text2..Text4, the two check boxes, "Proxy verwenden", Text7, the option and the
# two links to "OK".
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
keys space
wait_for fehlerbox || fail "OK with the same settings showed no 'Fehler bei Dateiübertragung' box"
press_key "Fehler bei Dateiübertragung" Return
wait_for settings_window || fail "the window did not come back after the 'Fehler bei Dateiübertragung' box of a run started by OK"
kill -0 "$pid" 2>/dev/null || fail "the program ended after the 'Fehler bei Dateiübertragung' box of a run started by OK"
pass "OK repeats the run; after its failure the window is open again"

xdotool windowfocus --sync "$(settings_window)"
sleep 0.3
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
keys ctrl+a
xdotool type --delay 20 "bilder"
keys Tab Tab Tab Tab Tab Tab Tab Tab
keys space
wait_for gone || fail "the corrected upload did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the upload started by OK ended with status $status"
cmp -s "$E2E_TMP/bild.jpg" "$E2E_TMP/ftp/bilder/bild.jpg" || fail "the picture did not arrive in bilder/"
[ "$(cat "$E2E_TMP/out")" = "http://bilder.example/bild.jpg" ] || fail "standard output: $(cat "$E2E_TMP/out")"
[ "$(store_get FTPPath)" = "bilder/" ] || fail "OK did not store the corrected directory: $(store_get FTPPath)"
pass "OK with the corrected directory uploads, prints the link and ends with status 0"
