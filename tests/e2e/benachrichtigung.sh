#!/usr/bin/env bash
# The desktop notification after an upload, on a session bus of the test's own with a
# notification server of its own (tests/support/benachrichtigungsserver.py): exactly one
# notification with the link when the status window is on, none when it is off (the
# box says it then), and without a server the upload ends as before.
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
/usr/bin/python3 "$E2E_DIR/../support/benachrichtigungsserver.py" "$NOTIZEN" >"$E2E_TMP/server.log" 2>&1 &
E2E_PIDS+=($!)
wait_for grep -q bereit "$E2E_TMP/server.log" || fail "notification server did not start: $(cat "$E2E_TMP/server.log")"

link=$(timeout 30 "$PROGRAMM" "$E2E_TMP/rot.jpg") || fail "upload failed"
[ "$(cat "$NOTIZEN")" = "Link in der Zwischenablage|$link" ] || fail "notifications: [$(cat "$NOTIZEN")]"
pass "one notification with the link"

store StatusfensterZeigen=Falsch
"$PROGRAMM" "$E2E_TMP/rot.jpg" >/dev/null &
lauf=$!
wait_for window_named "Datei übertragen" || fail "no success box with the status window off"
press_key "Datei übertragen" Return
wait_gone $lauf || fail "the run did not end after the box"
wait $lauf || fail "the upload with the status window off ended with status $?"
[ "$(wc -l <"$NOTIZEN")" -eq 1 ] || fail "with the status window off: [$(cat "$NOTIZEN")]"
pass "with the status window off the box says it, and no notification comes"
