# On a Wayland desktop (a headless Sway with XWayland) the link reaches both
# clipboards and stays there after the program has ended: Wayland programs read
# it with wl-paste, X11 programs on XWayland with xclip. The program runs on
# XWayland even though Qt could run on Wayland.
source "$(dirname "$0")/lib.sh"

URL=http://bilder.example/anna/
NOBODY=(setpriv --reuid=65534 --regid=65534 --clear-groups)
for programm in sway Xwayland wl-copy wl-paste xclip xdotool; do
    command -v "$programm" >/dev/null || fail "$programm is missing (scripts/install-deps.sh installs it)"
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 \
    || fail "Qt's Wayland plugin is missing (qt6-wayland, scripts/install-deps.sh installs it)"

# Sway refuses to run as root, and a program run as root proves nothing about
# permissions: the desktop and everything on it run as nobody, with a copy of
# the installed program that nobody can read wherever the build folder is.
chmod 711 "$E2E_TMP"
DESKTOP=$E2E_TMP/desktop
mkdir -p "$DESKTOP/home" "$E2E_TMP/prefix/bin" "$E2E_TMP/bilder"
cp "$FOTOSCHICKER" "$(dirname "$FOTOSCHICKER")/fotoschicker-zwischenablage" "$E2E_TMP/prefix/bin/"
chmod -R a+rX "$E2E_TMP/prefix" "$E2E_TMP/bilder"
PROGRAMM=$E2E_TMP/prefix/bin/fotoschicker
chown -R 65534:65534 "$DESKTOP" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"

# Every process of this desktop, found by its runtime folder (the program's
# helpers outlive it, so they are no children of this script).
desktop_pids() {
    local pid
    for pid in $(pgrep -u 65534 || true); do
        grep -q ') Z ' "/proc/$pid/stat" 2>/dev/null && continue
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && echo "$pid"
    done
    return 0
}

# Sway ends Xwayland; the helper and wl-copy end when their display goes away.
SWAY_PID=
stop_desktop() {
    local pid
    [ -n "$SWAY_PID" ] || return 0
    kill "$SWAY_PID" 2>/dev/null || true
    wait_gone "$SWAY_PID" 10 || kill -9 "$SWAY_PID" 2>/dev/null || true
    SWAY_PID=
    wait_for test -z "$(desktop_pids)" && return 0
    for pid in $(desktop_pids); do kill -9 "$pid" 2>/dev/null || true; done
    return 1
}
trap 'stop_desktop || true; e2e_cleanup' EXIT

cat >"$DESKTOP/sway.conf" <<EOF
xwayland enable
exec sh -c 'echo "\$WAYLAND_DISPLAY \$DISPLAY" >$DESKTOP/anzeigen.neu && mv $DESKTOP/anzeigen.neu $DESKTOP/anzeigen'
EOF
env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$DESKTOP/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${NOBODY[@]}" sway -c "$DESKTOP/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
SWAY_PID=$!
wait_for test -s "$DESKTOP/anzeigen" || fail "Sway did not start: $(tail -n 5 "$E2E_TMP/sway.log")"
read -r WAYLAND_ANZEIGE X_ANZEIGE <"$DESKTOP/anzeigen"
[ -n "$X_ANZEIGE" ] || fail "Sway started without XWayland"

# on_desktop CMD... : runs a command as nobody in the desktop's session, as a desktop starts programs.
on_desktop() {
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$DESKTOP/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
        XDG_CONFIG_HOME="$XDG_CONFIG_HOME" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY="$WAYLAND_ANZEIGE" \
        DISPLAY="$X_ANZEIGE" "${NOBODY[@]}" "$@"
}
wait_for on_desktop xdpyinfo || fail "XWayland $X_ANZEIGE does not answer"

wayland_clipboard() { on_desktop wl-paste -n 2>/dev/null; }
x11_clipboard() { on_desktop xclip -o -selection clipboard 2>/dev/null; }

# nobody_store KEY=VALUE... : the settings store, writable by nobody as the program's own would be.
nobody_store() {
    store "$@"
    chown -R 65534:65534 "$XDG_CONFIG_HOME"
}

# run FILE [PATH] : runs the program as a script would, reading its whole output; sets RC and OUT.
# Bounded: a helper holding the output would keep the reader waiting.
run() {
    local started=$SECONDS
    on_desktop timeout 20 bash -c 'set -o pipefail; PATH=$2 "$0" "$1" | cat' "$PROGRAMM" "$1" \
        "${2:-/usr/local/bin:/usr/bin:/bin}" >"$E2E_TMP/out" 2>"$E2E_TMP/err" && RC=0 || RC=$?
    [ "$RC" -ne 124 ] || fail "reading the output of $1 did not end within 20 s"
    [ $((SECONDS - started)) -le 5 ] || fail "the run of $1 took $((SECONDS - started)) s"
    # Qt offers a clipboard it still owns at exit to the compositor's manager, which never answers.
    grep -q 'clipboard manager' "$E2E_TMP/err" && fail "the program still owned the X11 clipboard at its end"
    OUT=$(cat "$E2E_TMP/out"; echo .)
    OUT=${OUT%.}
}

start_ftp anna geheim "$E2E_TMP/ftp"
mkdir -p "$E2E_TMP/ftp/www"
convert -size 320x240 xc:orange "$E2E_TMP/bilder/Urlaub am See.jpg"
convert -size 7x5 xc:blue "$E2E_TMP/bilder/klein.png"
convert -size 9x9 xc:red "$E2E_TMP/bilder/ohne.png"
chmod a+r "$E2E_TMP/bilder"/*
nobody_store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=anna FTPPassword=geheim FTPPath=www/ FTPPassiv=Wahr \
    FTPUseProxy=Falsch URL=$URL LinkOption=2 StatusfensterZeigen=Wahr useIS=Falsch

run "$E2E_TMP/bilder/Urlaub am See.jpg"
[ "$RC" -eq 0 ] || fail "upload ended with status $RC"
[ "$OUT" = "${URL}Urlaub%20am%20See.jpg"$'\n' ] || fail "standard output: [$OUT]"
snippet="<img border=\"0\" src=\"${URL}Urlaub%20am%20See.jpg\" alt=\"\" width=\"320\" height=\"240\">"
[ "$(wayland_clipboard)" = "$snippet" ] || fail "Wayland clipboard after the end: [$(wayland_clipboard)]"
[ "$(x11_clipboard)" = "$snippet" ] || fail "X11 clipboard after the end: [$(x11_clipboard)]"
types=$(on_desktop wl-paste -l)
echo "$types" | grep -q html && fail "HTML offered besides plain text: $types"
pass "the snippet is in the Wayland and the X11 clipboard after the program ended"

for pid in $(desktop_pids); do
    [ "$pid" = "$SWAY_PID" ] && continue
    name=$(cat "/proc/$pid/comm" 2>/dev/null) || continue
    case $name in Xwayland | swaybg | swaybar) continue ;; esac
    [ "$(readlink "/proc/$pid/cwd")" = / ] || fail "$name works in $(readlink "/proc/$pid/cwd")"
    for fd in 0 1 2; do
        [ "$(readlink "/proc/$pid/fd/$fd")" = /dev/null ] || fail "$name's fd $fd is $(readlink "/proc/$pid/fd/$fd")"
    done
done
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
on_desktop "$PROGRAMM" >/dev/null 2>&1 &
fenster=$!
wait_for on_desktop xdotool search --name '^Morva Fotoschicker 1\.1 - Einstellungen$' \
    || fail "the settings window did not open on XWayland"
kill "$fenster"
wait_gone "$fenster" || fail "the settings window did not end"
pass "the program runs on XWayland"

stop_desktop || fail "processes of the desktop outlived Sway: $(desktop_pids)"
pass "Sway and everything started on it have ended"
