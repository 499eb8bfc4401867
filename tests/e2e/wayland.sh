# On a Wayland desktop (a headless Sway with XWayland) the link reaches both
# clipboards and stays there after the program has ended: Wayland programs read
# it with wl-paste, X11 programs on XWayland with xclip. The program runs on
# XWayland even though Qt could run on Wayland.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_desktop.sh"

URL=http://bilder.example/anna/
needs sway Xwayland wl-copy wl-paste xclip xdotool
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 \
    || fail "Qt's Wayland plugin is missing (qt6-wayland, scripts/install-deps.sh installs it)"

# Sway ends Xwayland; the helper and wl-copy end when their display goes away.
SWAY_PID=
stop_desktop() {
    local pid
    [ -n "$SWAY_PID" ] || return 0
    for pid in $(desktop_pids); do
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = sway ] && kill "$pid" 2>/dev/null
    done
    wait_gone "$SWAY_PID" 10 || true
    SWAY_PID=
    desktop_gone
}
trap 'stop_desktop || true; e2e_cleanup' EXIT

cat >"$DESKTOP/sway.conf" <<EOF
xwayland enable
exec sh -c 'echo "\$WAYLAND_DISPLAY \$DISPLAY" >$DESKTOP/anzeigen.neu && mv $DESKTOP/anzeigen.neu $DESKTOP/anzeigen'
EOF
as_nobody env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$DESKTOP/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
SWAY_PID=$!
wait_for test -s "$DESKTOP/anzeigen" || fail "Sway did not start: $(tail -n 5 "$E2E_TMP/sway.log")"
read -r WAYLAND_ANZEIGE X_ANZEIGE <"$DESKTOP/anzeigen"
[ -n "$X_ANZEIGE" ] || fail "Sway started without XWayland"

wait_for on_desktop xdpyinfo || fail "XWayland $X_ANZEIGE does not answer"

upload_setup "$URL"

run "$E2E_TMP/bilder/Urlaub am See.jpg"
[ "$RC" -eq 0 ] || fail "upload ended with status $RC: $(cat "$E2E_TMP/err")"
[ "$OUT" = "${URL}Urlaub%20am%20See.jpg"$'\n' ] || fail "standard output: [$OUT]"
snippet="<img border=\"0\" src=\"${URL}Urlaub%20am%20See.jpg\" alt=\"\" width=\"320\" height=\"240\">"
[ "$(wayland_clipboard)" = "$snippet" ] || fail "Wayland clipboard after the end: [$(wayland_clipboard)]"
[ "$(x11_clipboard)" = "$snippet" ] || fail "X11 clipboard after the end: [$(x11_clipboard)]"
types=$(on_desktop wl-paste -l)
echo "$types" | grep -q html && fail "HTML offered besides plain text: $types"
pass "the snippet is in the Wayland and the X11 clipboard after the program ended"

check_keepers
pass "what keeps the clipboards holds no input, output or folder of its caller"

# A second upload right after the first replaces the text in both clipboards.
nobody_store LinkOption=1
run "$E2E_TMP/bilder/klein.png"
[ "$RC" -eq 0 ] || fail "second upload ended with status $RC"
[ "$OUT" = "${URL}klein.png"$'\n' ] || fail "standard output of the second run: [$OUT]"
[ "$(wayland_clipboard)" = "${URL}klein.png" ] || fail "Wayland clipboard after the second run: [$(wayland_clipboard)]"
[ "$(x11_clipboard)" = "${URL}klein.png" ] || fail "X11 clipboard after the second run: [$(x11_clipboard)]"
pass "a second upload replaces the link in both clipboards"

# Without wl-copy the link is still printed and in the X11 clipboard, and nothing waits.
run "$E2E_TMP/bilder/ohne.png" /nonexistent
[ "$RC" -eq 0 ] || fail "upload without wl-copy ended with status $RC"
[ "$OUT" = "${URL}ohne.png"$'\n' ] || fail "standard output without wl-copy: [$OUT]"
[ "$(x11_clipboard)" = "${URL}ohne.png" ] || fail "X11 clipboard without wl-copy: [$(x11_clipboard)]"
pass "without wl-copy the link is printed and reaches the X11 clipboard"

# Qt has its Wayland plugin and the session says Wayland, yet the settings window is an X11 window.
on_desktop bash -c 'echo $$ >"$1"; exec "$0"' "$PROGRAMM" "$DESKTOP/fenster.pid" >/dev/null 2>&1 &
wait_for on_desktop xdotool search --name '^Morva Fotoschicker 1\.1 - Einstellungen$' \
    || fail "the settings window did not open on XWayland"
kill "$(cat "$DESKTOP/fenster.pid")"
wait_gone "$(cat "$DESKTOP/fenster.pid")" || fail "the settings window did not end"
pass "the program runs on XWayland"

stop_desktop || fail "processes of the desktop outlived Sway: $(desktop_pids)"
pass "Sway and everything started on it have ended"
