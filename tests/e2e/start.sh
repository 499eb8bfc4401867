#!/usr/bin/env bash
# First start with an empty store: the store is written (private, twelve keys) and the settings
# window opens; a second start meanwhile is refused; a killed instance does not block the next one.
. "$(dirname "$0")/lib.sh"
start_xvfb

titel="Morva Fotoschicker 1.1 - Einstellungen"
"$FOTOSCHICKER" &
erster=$!
wait_for window_named "$titel" || fail "settings window did not open"
pass "settings window titled '$titel'"

[ "$(stat -c %a "$STORE")" = 600 ] || fail "store mode is $(stat -c %a "$STORE")"
[ "$(grep -c '=' "$STORE")" = 12 ] || fail "store holds $(grep -c '=' "$STORE") keys"
for kv in FTPServer= FTPLogin= FTPPassword= FTPPath= FTPProxy= FTPProxyPort= URL= FTPPassiv=Wahr \
    StatusfensterZeigen=Wahr FTPUseProxy=Falsch useIS=Falsch LinkOption=2; do
    grep -qx "$kv" "$STORE" || fail "store lacks $kv"
done
pass "store written with mode 600 and the twelve normalised keys"

"$FOTOSCHICKER" "$E2E_TMP/egal.jpg" &
zweiter=$!
wait_for window_named "Morva Fotoschicker schon gestartet" || fail "second start showed no 'schon gestartet' box"
press_key "Morva Fotoschicker schon gestartet" Return
status=0
wait_gone $zweiter || fail "second start did not end"
wait $zweiter || status=$?
[ "$status" -ne 0 ] || fail "second start ended with status 0"
kill -0 $erster || fail "first instance was affected"
pass "second start shows the 'schon gestartet' box and ends with status $status"

kill -9 $erster
wait $erster 2>/dev/null || true
"$FOTOSCHICKER" &
dritter=$!
wait_for window_named "$titel" || fail "a killed instance's lock blocked the next start"
[ -z "$(window_named "Morva Fotoschicker schon gestartet")" ] || fail "the 'schon gestartet' box after a killed instance"
pass "a lock left by a killed instance does not block"

# Without a picture "OK" is disabled: its caption is grey. With a picture but incomplete settings
# the same window has "OK" enabled, and the only change in its button row is the black caption.
ohne_datei=$(painted_dark_pixels_at_bottom "$(window_named "$titel")" 40)
kill $dritter
wait_gone $dritter || fail "the window did not end"
"$FOTOSCHICKER" "$E2E_TMP/egal.jpg" &
vierter=$!
wait_for window_named "$titel" || fail "no settings window for a picture with incomplete settings"
mit_datei=$(painted_dark_pixels_at_bottom "$(window_named "$titel")" 40)
kill $vierter
[ "$ohne_datei" -lt "$mit_datei" ] || fail "OK looks alike without ($ohne_datei) and with a picture ($mit_datei)"
pass "OK is disabled without a picture ($ohne_datei dark pixels in the button row, $mit_datei with OK enabled)"
