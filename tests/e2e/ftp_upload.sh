#!/usr/bin/env bash
# A picture sent to the stored FTP account: the bytes arrive, the run ends
# without a message box, the status window sits in the lower right corner
# without taking the keyboard focus, above a panel that would cover it; a wrong password gives the 'Fehler bei Dateiübertragung' box.
. "$(dirname "$0")/lib.sh"
start_xvfb

# start_ftp_langsam USER PASS DIR BYTES_PER_SECOND : our recording FTP server that
# takes uploads slowly, so the status window stays up long enough to be looked at.
start_ftp_langsam() {
    local ausgabe=$E2E_TMP/ftp-langsam.out
    /usr/bin/python3 -u "$E2E_DIR/../support/ftp_testserver.py" --benutzer "$1" --passwort "$2" \
        --wurzel "$3" --drossel "$4" >"$ausgabe" 2>&1 &
    E2E_PIDS+=($!)
    wait_for grep -q '^PORT ' "$ausgabe" || fail "slow FTP server did not start"
    LANGSAM_PORT=$(sed -n 's/^PORT //p' "$ausgabe")
}

wurzel=$E2E_TMP/ftp
mkdir -p "$wurzel/bilder" "$E2E_TMP/meine bilder"
start_ftp fotograf geheim "$wurzel"
store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=fotograf FTPPassword=geheim FTPPath=bilder/ \
    FTPPassiv=Wahr FTPUseProxy=Falsch StatusfensterZeigen=Wahr useIS=Falsch LinkOption=0 URL=http://127.0.0.1/
bild="$E2E_TMP/meine bilder/Straße am Meer.jpg"
head -c 200000 /dev/urandom >"$bild"

status=0
timeout 30 "$FOTOSCHICKER" "$bild" || status=$?
[ "$status" -eq 0 ] || fail "upload run ended with status $status (a message box would have kept it open)"
cmp -s "$bild" "$wurzel/bilder/Straße am Meer.jpg" || fail "the server does not hold the same bytes"
pass "uploaded under FTPPath plus the long name, same bytes, exit 0, no message box"

# The user keeps typing in another window while the upload runs.
xmessage -name fokushalter "Hier wird getippt" 2>/dev/null &
E2E_PIDS+=($!)
wait_for xdotool search --onlyvisible --classname fokushalter || fail "no focus holder window"
halter=$(xdotool search --onlyvisible --classname fokushalter | head -n 1)
xdotool windowfocus --sync "$halter"
start_ftp_langsam fotograf geheim "$wurzel" 60000
store FTPServer="127.0.0.1:$LANGSAM_PORT"
"$FOTOSCHICKER" "$bild" &
lauf=$!
wait_for xdotool search --onlyvisible --pid $lauf || fail "no status window appeared"
fenster=$(xdotool search --onlyvisible --pid $lauf | head -n 1)
lage=$(xdotool getwindowgeometry "$fenster" | tr -d ' \n')
[[ "$lage" == *"Position:677,691"*"Geometry:314x44" ]] || fail "status window at $lage"
for i in 1 2 3 4 5; do
    [ "$(xdotool getwindowfocus)" = "$halter" ] || fail "the status window took the keyboard focus"
    sleep 0.2
done
wait_gone $lauf 30 || fail "slow upload did not end"
status=0
wait $lauf || status=$?
[ "$status" -eq 0 ] || fail "slow upload ended with status $status"
[ "$(xdotool getwindowfocus)" = "$halter" ] || fail "focus moved after the run"
pass "status window at 677,691 314x44 on 1024x768; the focus stayed with the user's window"

# A bottom panel of 44 px, as KDE's, reaches past the margin into the window: the work area a
# window manager would announce moves it up just clear of the panel.
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, 1024, 724"
"$FOTOSCHICKER" "$bild" &
lauf=$!
wait_for xdotool search --onlyvisible --pid $lauf || fail "no status window appeared"
fenster=$(xdotool search --onlyvisible --pid $lauf | head -n 1)
lage=$(xdotool getwindowgeometry "$fenster" | tr -d ' \n')
[[ "$lage" == *"Position:677,680"*"Geometry:314x44" ]] || fail "status window above a 44 px panel at $lage"
wait_gone $lauf 30 || fail "slow upload did not end"
wait $lauf || fail "slow upload above the panel failed"
xprop -root -remove _NET_WORKAREA
pass "above a 44 px bottom panel the status window moves up to 677,680, just inside the work area"

store FTPServer="127.0.0.1:$FTP_PORT" FTPPassword=falsch
rm -f "$wurzel/bilder/Straße am Meer.jpg"
"$FOTOSCHICKER" "$bild" &
lauf=$!
wait_for window_named "Fehler bei Dateiübertragung" || fail "wrong password showed no 'Fehler bei Dateiübertragung' box"
press_key "Fehler bei Dateiübertragung" Return
einstellungen="Morva Fotoschicker 1.1 - Einstellungen"
wait_for window_named "$einstellungen" || fail "no settings window after the 'Fehler bei Dateiübertragung' box"
# The program lives on in the settings window, as after any failed run without parameters.
kill $lauf
wait_gone $lauf || fail "the program did not end"
wait $lauf || true
[ ! -e "$wurzel/bilder/Straße am Meer.jpg" ] || fail "a file arrived despite the wrong password"
pass "wrong password: the 'Fehler bei Dateiübertragung' box, then the settings window"

# The X server goes away in the middle of a slow upload: the program ends at once,
# with a failure status, instead of waiting for the transfer on its worker thread.
store FTPServer="127.0.0.1:$LANGSAM_PORT" FTPPassword=geheim
head -c 2000000 /dev/urandom >"$E2E_TMP/gross.jpg"
"$FOTOSCHICKER" "$E2E_TMP/gross.jpg" 2>/dev/null &
lauf=$!
wait_for window_named "Datei sicher übertragen." || fail "no size question for the large picture"
press_key "Datei sicher übertragen." Return
wait_for xdotool search --onlyvisible --pid $lauf || fail "no status window for the large picture"
kill "${E2E_PIDS[0]}"
wait_gone $lauf 20 || fail "the program was still running 20 s after its X server went away"
status=0
wait $lauf || status=$?
[ "$status" -ne 0 ] || fail "the upload cut off with the X server ended with status 0"
pass "the X server gone mid-upload: the program ends at once with status $status"
