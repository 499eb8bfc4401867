#!/usr/bin/env bash
# Every transfer ends. An image host that trickles its reply (a byte every half
# second, never done) is cut off by the limit of the whole exchange (lowered to
# 3 s in fotoschicker_testgrenzen, tests/CMakeLists.txt) with the 'Fehler bei Dateiübertragung' box. A click on
# the status window and "Ja" to its question stop a hanging transfer, FTP or image host: the run ends
# like "Nein" to the size question, with status 2, no box, nothing on standard
# output and the clipboard as it was.
. "$(dirname "$0")/lib.sh"

TESTPROGRAMM=$(dirname "$FOTOSCHICKER")/fotoschicker_testgrenzen
[ -x "$TESTPROGRAMM" ] || fail "$TESTPROGRAMM is not installed"

jetzt_ms() { date +%s%3N; }

# start_troepfel : a web server on a free port that trickles its reply for 60 s at most -> TROPF_PORT
start_troepfel() {
    TROPF_LOG=$E2E_TMP/troepfel.log
    /usr/bin/python3 -u "$E2E_DIR/../support/troepfel_server.py" --dauer 60 >"$TROPF_LOG" 2>&1 &
    E2E_PIDS+=($!)
    wait_for grep -q '^PORT ' "$TROPF_LOG" || fail "trickling server did not start"
    TROPF_PORT=$(sed -n 's/^PORT //p' "$TROPF_LOG")
}

# start_ftp_haengend DIR : an FTP server that never answers STOR -> HAENG_PORT
start_ftp_haengend() {
    local ausgabe=$E2E_TMP/ftp-haengend.out
    /usr/bin/python3 -u "$E2E_DIR/../support/ftp_testserver.py" --benutzer fotograf --passwort geheim \
        --wurzel "$1" --haengen stor >"$ausgabe" 2>&1 &
    E2E_PIDS+=($!)
    wait_for grep -q '^PORT ' "$ausgabe" || fail "hanging FTP server did not start"
    HAENG_PORT=$(sed -n 's/^PORT //p' "$ausgabe")
}

# klick_abbruch PROGRAM PICTURE : clicks the status window of the run as soon as it shows and answers
# "Ja" to the question; the run must end with status 2, print nothing and leave the clipboard alone.
klick_abbruch() {
    printf 'vorher im Zwischenspeicher' | xclip -selection clipboard >/dev/null 2>&1
    [ "$(clipboard)" = "vorher im Zwischenspeicher" ] || fail "the clipboard could not be set up"
    "$1" "$2" >"$E2E_TMP/out" &
    local lauf=$! fenster versuch status=0
    wait_for xdotool search --onlyvisible --pid $lauf || fail "no status window appeared"
    fenster=$(xdotool search --onlyvisible --pid $lauf | head -n 1)
    # A click that lands while the window is still being mapped is lost; the next one counts.
    for versuch in $(seq 10); do
        xdotool mousemove --window "$fenster" 40 20 click 1 2>/dev/null || true
        wait_for window_named "Morva Fotoschicker" && break
    done
    press_key "Morva Fotoschicker" j || fail "no question 'Übertragung abbrechen?' after 10 clicks"
    wait_gone $lauf || fail "the run went on after 'Ja'"
    wait $lauf || status=$?
    [ "$status" -eq 2 ] || fail "the stopped run ended with status $status"
    [ ! -s "$E2E_TMP/out" ] || fail "the stopped run printed [$(cat "$E2E_TMP/out")]"
    [ "$(clipboard)" = "vorher im Zwischenspeicher" ] || fail "the clipboard changed: [$(clipboard)]"
}

start_xvfb
mkdir -p "$E2E_TMP/bilder" "$E2E_TMP/ftp"
bild="$E2E_TMP/bilder/Hafen.jpg"
convert -size 200x100 xc:teal "$bild"

start_troepfel
export FOTOSCHICKER_TEST_BILDHOST=127.0.0.1:$TROPF_PORT
store useIS=Wahr StatusfensterZeigen=Wahr LinkOption=1 FTPServer= FTPLogin= FTPPassword=
beginn=$(jetzt_ms)
FOTOSCHICKER_TEST_GESAMTZEIT=3 "$TESTPROGRAMM" "$bild" >"$E2E_TMP/out" &
lauf=$!
wait_for window_named "Fehler bei Dateiübertragung" || fail "the trickled reply did not end with the 'Fehler bei Dateiübertragung' box"
dauer=$(($(jetzt_ms) - beginn))
[ "$dauer" -ge 3000 ] || fail "the 'Fehler bei Dateiübertragung' box after $dauer ms, before the limit of 3 s"
grep -q '^ANFRAGE' "$TROPF_LOG" || fail "the trickling server saw no request"
press_key "Fehler bei Dateiübertragung" Return
wait_for window_named "Morva Fotoschicker 1.1 - Einstellungen" || fail "no settings window after the 'Fehler bei Dateiübertragung' box"
kill $lauf
wait_gone $lauf || fail "the program did not end"
wait $lauf || true
[ ! -s "$E2E_TMP/out" ] || fail "the failed run printed [$(cat "$E2E_TMP/out")]"
pass "a reply trickled at 2 bytes a second ends with the 'Fehler bei Dateiübertragung' box after $dauer ms (limit 3 s)"

klick_abbruch "$TESTPROGRAMM" "$bild"
pass "a click on the status window stops the trickled image-host exchange: status 2, no output, clipboard kept"

start_ftp_haengend "$E2E_TMP/ftp"
store useIS=Falsch FTPServer="127.0.0.1:$HAENG_PORT" FTPLogin=fotograf FTPPassword=geheim FTPPath= \
    FTPPassiv=Wahr FTPUseProxy=Falsch URL=http://127.0.0.1/bilder/ LinkOption=1
klick_abbruch "$FOTOSCHICKER" "$bild"
[ ! -e "$E2E_TMP/ftp/Hafen.jpg" ] || [ ! -s "$E2E_TMP/ftp/Hafen.jpg" ] || fail "the stopped upload left a file"
pass "a click on the status window stops a hanging FTP upload: status 2, no output, clipboard kept"
