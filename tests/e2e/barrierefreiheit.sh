#!/usr/bin/env bash
# What a screen reader and a small screen get, read over AT-SPI (QT_ACCESSIBILITY=1, a bus
# of the test's own): at 150 % on 1366x768 the settings window's buttons are all on the
# screen; its boxes carry their names, the FTP server box the ftpes:// hint as its
# description, the two links take the focus and can be pressed; the image-host box disables
# the hint with the FTP boxes. The status window has a name and a description, and stays out
# of the taskbar.
. "$(dirname "$0")/lib.sh"

[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed"
start_xvfb 1366x768

# A session bus that starts the accessibility bus and nothing else: a keyring it started would
# hold the upload up with a question of its own. Both are gone with the test.
mkdir -p "$E2E_TMP/dienste"
cp /usr/share/dbus-1/services/org.a11y.Bus.service "$E2E_TMP/dienste/"
cat >"$E2E_TMP/bus.conf" <<KONF
<busconfig>
  <type>session</type>
  <listen>unix:dir=$E2E_TMP</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$E2E_TMP/dienste</servicedir>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
KONF
dbus-daemon --config-file="$E2E_TMP/bus.conf" --nofork --print-address=3 3>"$E2E_TMP/bus" >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_for test -s "$E2E_TMP/bus" || fail "no session bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")
export DBUS_SESSION_BUS_ADDRESS
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
pruefen() { /usr/bin/python3 "$E2E_DIR/atspi_pruefen.py" "$@"; }

QT_SCALE_FACTOR=1.5 "$FOTOSCHICKER" >/dev/null 2>&1 &
E2E_PIDS+=($!)
pruefen einstellungen 1366 768
pass "settings window at 150 %: every button on the 1366x768 screen, names, the hint as description, two focusable links"
kill "${E2E_PIDS[-1]}"

mkdir -p "$E2E_TMP/ftp"
/usr/bin/python3 -u "$E2E_DIR/../support/ftp_testserver.py" --benutzer fotograf --passwort geheim \
    --wurzel "$E2E_TMP/ftp" --haengen stor >"$E2E_TMP/ftp.out" 2>&1 &
E2E_PIDS+=($!)
wait_for grep -q '^PORT ' "$E2E_TMP/ftp.out" || fail "FTP server did not start"
store useIS=Falsch FTPServer="127.0.0.1:$(sed -n 's/^PORT //p' "$E2E_TMP/ftp.out")" FTPLogin=fotograf \
    FTPPassword=geheim FTPPath= FTPPassiv=Wahr FTPUseProxy=Falsch URL=http://127.0.0.1/ LinkOption=1 \
    StatusfensterZeigen=Wahr
convert -size 20x20 xc:teal "$E2E_TMP/bild.jpg"
"$FOTOSCHICKER" "$E2E_TMP/bild.jpg" >/dev/null 2>&1 &
E2E_PIDS+=($!)
pruefen statusfenster
fenster=$(xdotool search --onlyvisible --name '^Morva Fotoschicker Statusfenster$' | head -n 1)
xprop -id "$fenster" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "the status window is not kept out of the taskbar"
pass "the status window is 'Morva Fotoschicker Statusfenster' with a description, and out of the taskbar"
