# On GNOME's compositor (mutter, headless, with XWayland) the link is in both
# clipboards after the program has ended. Mutter has no data-control protocol:
# wl-copy and wl-paste need a keyboard focus, and a headless mutter has no
# keyboard until a remote-desktop session gives it a virtual one.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_desktop.sh"

URL=http://bilder.example/gnome/
needs mutter dbus-run-session gnome-keyring-daemon Xwayland wl-copy wl-paste xclip
/usr/bin/python3 -c 'import dbus' 2>/dev/null || fail "python3-dbus is missing (scripts/install-deps.sh installs it)"

# Mutter ends with the command it runs; that command waits until this file goes away.
MUTTER_PID=
stop_desktop() {
    [ -n "$MUTTER_PID" ] || return 0
    rm -f "$DESKTOP/laeuft"
    wait_gone "$MUTTER_PID" 10 || kill -9 "$MUTTER_PID" 2>/dev/null || true
    MUTTER_PID=
    desktop_gone
}
trap 'stop_desktop || true; e2e_cleanup' EXIT

cat >"$DESKTOP/sitzung.sh" <<'EOF2'
# As at a GNOME login: the keyring, unlocked with the login password; it ends with the session's bus.
printf %s anmeldung | gnome-keyring-daemon --unlock --components=secrets >/dev/null
echo "$WAYLAND_DISPLAY $DISPLAY $XAUTHORITY $DBUS_SESSION_BUS_ADDRESS" >"$1/anzeigen.neu" && mv "$1/anzeigen.neu" "$1/anzeigen"
while [ -e "$1/laeuft" ]; do sleep 0.1; done
EOF2
# The virtual keyboard lives as long as the bus connection of its session.
cat >"$DESKTOP/tastatur.py" <<'EOF2'
import dbus, sys, time
bus = dbus.SessionBus()
name = "org.gnome.Mutter.RemoteDesktop"
pfad = dbus.Interface(bus.get_object(name, "/org/gnome/Mutter/RemoteDesktop"), name).CreateSession()
sitzung = dbus.Interface(bus.get_object(name, pfad), name + ".Session")
sitzung.Start()
sitzung.NotifyKeyboardKeycode(dbus.UInt32(42), True)
sitzung.NotifyKeyboardKeycode(dbus.UInt32(42), False)
# Ends with the session's bus.
while True:
    time.sleep(0.2)
    bus.get_name_owner("org.freedesktop.DBus")
EOF2
touch "$DESKTOP/laeuft"
chown -R 65534:65534 "$DESKTOP"
as_nobody timeout 300 dbus-run-session -- mutter --wayland --headless --virtual-monitor 1024x768 \
    -- sh "$DESKTOP/sitzung.sh" "$DESKTOP" >"$E2E_TMP/mutter.log" 2>&1 &
MUTTER_PID=$!
wait_for test -s "$DESKTOP/anzeigen" || fail "mutter did not start: $(tail -n 5 "$E2E_TMP/mutter.log")"
read -r WAYLAND_ANZEIGE X_ANZEIGE X_AUTH SITZUNGSBUS <"$DESKTOP/anzeigen"
[ -n "$X_ANZEIGE" ] || fail "mutter started without XWayland"
wait_for on_desktop xdpyinfo || fail "XWayland $X_ANZEIGE does not answer"

on_desktop /usr/bin/python3 "$DESKTOP/tastatur.py" >"$E2E_TMP/tastatur.log" 2>&1 &
tastatur_da() { ! on_desktop wl-paste -l 2>&1 | grep -q 'has no keyboard'; }
wait_for tastatur_da || fail "no virtual keyboard: $(cat "$E2E_TMP/tastatur.log")"
pass "mutter runs headless with XWayland and a virtual keyboard"

upload_setup "$URL"
run "$E2E_TMP/bilder/Urlaub am See.jpg"
[ "$RC" -eq 0 ] || fail "upload ended with status $RC"
[ "$OUT" = "${URL}Urlaub%20am%20See.jpg"$'\n' ] || fail "standard output: [$OUT]"
snippet="<img border=\"0\" src=\"${URL}Urlaub%20am%20See.jpg\" alt=\"\" width=\"320\" height=\"240\">"
[ "$(wayland_clipboard)" = "$snippet" ] || fail "Wayland clipboard after the end: [$(wayland_clipboard)]"
[ "$(x11_clipboard)" = "$snippet" ] || fail "X11 clipboard after the end: [$(x11_clipboard)]"
pass "the snippet is in the Wayland and the X11 clipboard after the program ended"
check_keepers
grep -qx 'FTPPassword=' "$STORE" || fail "the store still holds a password: $(grep FTPPassword "$STORE")"
pass "the password moved into GNOME's keyring; the store holds none"

nobody_store LinkOption=1
run "$E2E_TMP/bilder/klein.png"
[ "$RC" -eq 0 ] || fail "second upload ended with status $RC"
[ "$(wayland_clipboard)" = "${URL}klein.png" ] || fail "Wayland clipboard after the second run: [$(wayland_clipboard)]"
[ "$(x11_clipboard)" = "${URL}klein.png" ] || fail "X11 clipboard after the second run: [$(x11_clipboard)]"
pass "a second upload, with the password from the keyring, replaces the link in both clipboards"

stop_desktop || fail "processes of the desktop outlived mutter: $(desktop_pids)"
pass "mutter and everything started on it have ended"
