# The command line of the installed program: parameters hold for one run and
# never reach the store; an invalid first parameter shows its box and the usage
# box, then the program ends without its settings window.
source "$(dirname "$0")/lib.sh"

EINSTELLUNGEN="Morva Fotoschicker 1.1 - Einstellungen"

# ended PID : true once the process is gone or a zombie.
ended() {
    [ ! -e "/proc/$1" ] || grep -q ') Z ' "/proc/$1/stat" 2>/dev/null
}

# await_window PID TITLE : prints the id of the window once it shows (30 s at most);
# fails if the program ends first or the settings window shows meanwhile.
await_window() {
    local i id
    for i in $(seq 300); do
        [ -z "$(window_named "$EINSTELLUNGEN")" ] || fail "settings window shown while waiting for \"$2\""
        id=$(window_named "$2")
        [ -n "$id" ] && { echo "$id"; return 0; }
        ended "$1" && fail "program ended before \"$2\" was shown"
        sleep 0.1
    done
    fail "no window \"$2\" within 30 s"
}

# close_box ID : presses Return in the box (its only button) and waits until it is gone.
close_box() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key --clearmodifiers Return
    local i
    for i in $(seq 300); do
        xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    fail "box $1 did not close"
}

# await_end PID : sets RC to the program's exit status (30 s at most); the
# settings window must not show on the way.
await_end() {
    local i
    for i in $(seq 300); do
        [ -z "$(window_named "$EINSTELLUNGEN")" ] || fail "settings window shown"
        if ended "$1"; then
            wait "$1" && RC=0 || RC=$?
            return 0
        fi
        sleep 0.1
    done
    fail "program did not end within 30 s"
}

KEYS=(FTPServer FTPLogin FTPPassword FTPPath FTPPassiv FTPProxy FTPProxyPort URL FTPUseProxy LinkOption
    StatusfensterZeigen useIS)
stored_values() {
    local k
    for k in "${KEYS[@]}"; do echo "$k=$(store_get "$k")"; done
}

start_xvfb
store FTPServer=ftp.gespeichert.example FTPLogin=berta FTPPassword=geheim FTPPath=www/bilder/ FTPPassiv=Wahr \
    FTPProxy=proxy.example FTPProxyPort=3128 URL=http://gespeichert.example/bilder/ FTPUseProxy=Falsch \
    LinkOption=1 StatusfensterZeigen=Wahr useIS=Falsch
before=$(stored_values)
[ "$(echo "$before" | grep -c '=.')" -eq 12 ] || fail "store not populated: $before"

# (a) Overrides for one run; the picture is missing, so the 'Datei existiert nicht' box ends the run before any transfer.
missing=$E2E_TMP/fehlt/x.jpg
"$FOTOSCHICKER" /ftpserver:127.0.0.1 /ftpuser:anna /ftppassword:annas "/file:$missing" &
pid=$!
E2E_PIDS+=("$pid")
box=$(await_window "$pid" "Datei existiert nicht")
close_box "$box"
await_end "$pid"
[ "$RC" -ne 0 ] || fail "a missing file ended with status 0"
after=$(stored_values)
[ "$after" = "$before" ] || fail "store changed by command-line parameters: $(diff <(echo "$before") <(echo "$after") || true)"
pass "parameters leave the stored values alone"

# (b) An invalid first parameter: its box, then the usage box, then the end.
"$FOTOSCHICKER" bogus "/file:$missing" &
pid=$!
E2E_PIDS+=("$pid")
box=$(await_window "$pid" "Fehlerhafter Parameter")
[ -z "$(window_named "Parameter")" ] || fail "usage box shown before the invalid-parameter box was closed"
close_box "$box"
box=$(await_window "$pid" "Parameter")
close_box "$box"
await_end "$pid"
[ "$RC" -ne 0 ] || fail "an invalid parameter ended with status 0"
[ "$(stored_values)" = "$before" ] || fail "store changed by an invalid command line"
pass "invalid parameter: its box, the usage box, no settings window, status $RC"

# (c) Every argument is the user's: Qt's own options are file names here.
(cd "$E2E_TMP" && exec "$FOTOSCHICKER" -platform offscreen) &
pid=$!
E2E_PIDS+=("$pid")
box=$(await_window "$pid" "Datei existiert nicht")
close_box "$box"
await_end "$pid"
[ "$RC" -ne 0 ] || fail "a missing file named like a Qt option ended with status 0"
pass "'-platform offscreen' is taken as a file name, not as an option of Qt"
