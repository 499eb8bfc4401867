#!/usr/bin/env bash
# A click on the status window only asks "Übertragung abbrechen?"; the upload
# goes on while the question is open. "Nein" lets it finish; "Ja" stops it
# (status 2) and removes what reached the server with DELE; where the server
# refuses that, the box "Datei nicht entfernt" says so. The FTP server holds
# STOR until the question is there and takes in 256 kB a second, so part of
# the 16 MB picture is on it when "Ja" comes.
. "$(dirname "$0")/lib.sh"

# start_ftp_langsam RECHTE : the throttled server, recording its reads in $EREIGNISSE -> FTP_PORT, FTP_WURZEL
start_ftp_langsam() {
    FTP_WURZEL=$E2E_TMP/ftp-$1
    EREIGNISSE=$E2E_TMP/ereignisse-$1
    TOR=$E2E_TMP/tor-$1
    mkdir -p "$FTP_WURZEL"
    /usr/bin/python3 -u "$E2E_DIR/../support/ftp_testserver.py" --benutzer fotograf --passwort geheim \
        --wurzel "$FTP_WURZEL" --rechte "$1" --drossel 262144 --ereignisse "$EREIGNISSE" --stor-tor "$TOR" \
        >"$E2E_TMP/ftp-$1.out" 2>&1 &
    E2E_PIDS+=($!)
    wait_for grep -q '^PORT ' "$E2E_TMP/ftp-$1.out" || fail "FTP server did not start"
    FTP_PORT=$(sed -n 's/^PORT //p' "$E2E_TMP/ftp-$1.out")
    store useIS=Falsch FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=fotograf FTPPassword=geheim FTPPath= \
        FTPPassiv=Wahr FTPUseProxy=Falsch URL=http://127.0.0.1/bilder/ LinkOption=1 StatusfensterZeigen=Wahr
}

# fragen PICTURE : starts the upload and clicks the status window once the server has the STOR,
# until the question is there -> LAUF
fragen() {
    "$FOTOSCHICKER" "$1" >"$E2E_TMP/out" &
    LAUF=$!
    if [ "$(stat -c %s "$1")" -gt 250000 ]; then
        wait_for window_named "Datei sicher übertragen\\?" || fail "no size question"
        press_key "Datei sicher übertragen\\?" Return
    fi
    wait_for grep -qx STOR "$EREIGNISSE" || fail "the server got no STOR"
    local fenster versuch
    fenster=$(xdotool search --onlyvisible --name '^Morva Fotoschicker Statusfenster$' | head -n 1)
    [ -n "$fenster" ] || fail "no status window during the upload"
    # A click that lands while the window is still being mapped is lost; the next one counts.
    for versuch in $(seq 10); do
        xdotool mousemove --window "$fenster" 40 20 click 1 2>/dev/null || true
        wait_for window_named "Morva Fotoschicker" && return 0
    done
    fail "no question after 10 clicks"
}

start_xvfb
mkdir -p "$E2E_TMP/bilder"
klein="$E2E_TMP/bilder/Klein.jpg"
gross="$E2E_TMP/bilder/Gross.jpg"
head -c 200000 /dev/urandom >"$klein"
head -c 16000000 /dev/urandom >"$gross"

start_ftp_langsam elradfmwMT
fragen "$klein"
press_key "Morva Fotoschicker" n
touch "$TOR"
wait_gone $LAUF || fail "the upload did not end after 'Nein'"
status=0 && wait $LAUF || status=$?
[ "$status" -eq 0 ] || fail "the upload ended with status $status after 'Nein'"
cmp -s "$klein" "$FTP_WURZEL/Klein.jpg" || fail "the picture did not arrive whole after 'Nein'"
[ "$(cat "$E2E_TMP/out")" = "http://127.0.0.1/bilder/Klein.jpg" ] || fail "printed [$(cat "$E2E_TMP/out")]"
pass "'Nein' to the question lets the upload finish"

fragen "$gross"
touch "$TOR"
# The server goes on reading while the question is open.
wait_for grep -q '^GELESEN ' "$EREIGNISSE" || fail "the upload stood still while the question was open"
press_key "Morva Fotoschicker" j
wait_gone $LAUF || fail "the upload did not end after 'Ja'"
status=0 && wait $LAUF || status=$?
[ "$status" -eq 2 ] || fail "the stopped upload ended with status $status"
[ ! -s "$E2E_TMP/out" ] || fail "the stopped upload printed [$(cat "$E2E_TMP/out")]"
grep -q '^BEFEHL DELE Gross.jpg' "$E2E_TMP/ftp-elradfmwMT.out" || fail "no DELE after the cancel"
[ ! -e "$FTP_WURZEL/Gross.jpg" ] || fail "the stopped upload left $(stat -c %s "$FTP_WURZEL/Gross.jpg") bytes on the server"
pass "'Ja' stops the upload with status 2 and removes the $(sed -n 's/^GELESEN //p' "$EREIGNISSE" | tail -n 1) bytes that had arrived"

start_ftp_langsam elrafmwMT
fragen "$gross"
touch "$TOR"
wait_for grep -q '^GELESEN ' "$EREIGNISSE" || fail "the upload stood still while the question was open"
press_key "Morva Fotoschicker" j
wait_for window_named "Datei nicht entfernt" || fail "no 'Datei nicht entfernt' box when the server refuses DELE"
press_key "Datei nicht entfernt" Return
wait_gone $LAUF || fail "the program did not end after the 'Datei nicht entfernt' box"
status=0 && wait $LAUF || status=$?
[ "$status" -eq 2 ] || fail "the stopped upload ended with status $status"
[ -e "$FTP_WURZEL/Gross.jpg" ] || fail "the file is gone although the server refuses DELE"
pass "where the server refuses DELE, the 'Datei nicht entfernt' box says so and the run ends with status 2"
