# Shared by the tests on a headless Wayland desktop. Source it after lib.sh.
# Compositors refuse to run as root, and a program run as root proves nothing
# about permissions: the desktop and everything on it run as nobody, with a copy
# of the installed program that nobody can read wherever the build folder is.
NOBODY=(setpriv --reuid=65534 --regid=65534 --clear-groups)
chmod 711 "$E2E_TMP"
DESKTOP=$E2E_TMP/desktop
mkdir -p "$DESKTOP/home" "$E2E_TMP/prefix/bin" "$E2E_TMP/bilder"
cp "$FOTOSCHICKER" "$(dirname "$FOTOSCHICKER")/fotoschicker-zwischenablage" "$E2E_TMP/prefix/bin/"
chmod -R a+rX "$E2E_TMP/prefix" "$E2E_TMP/bilder"
PROGRAMM=$E2E_TMP/prefix/bin/fotoschicker
chown -R 65534:65534 "$DESKTOP" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
# Set by the test once its compositor runs.
WAYLAND_ANZEIGE= X_ANZEIGE= X_AUTH= SITZUNGSBUS=

# needs PROGRAM... : fails naming the package source for a missing program.
needs() {
    local programm
    for programm in "$@"; do
        command -v "$programm" >/dev/null || fail "$programm is missing (scripts/install-deps.sh installs it)"
    done
}

# Every process of this desktop, found by its user and runtime folder (the
# program's helpers outlive it, so they are no children of this script).
desktop_pids() {
    local datei pid
    for datei in $(grep -lsxzF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" /proc/[0-9]*/environ); do
        pid=${datei#/proc/}
        pid=${pid%/environ}
        [ "$(stat -c %u "/proc/$pid" 2>/dev/null)" = 65534 ] || continue
        grep -qs ') Z ' "/proc/$pid/stat" || echo "$pid"
    done
}
desktop_empty() { [ -z "$(desktop_pids)" ]; }
desktop_gone() {
    local pid
    wait_for desktop_empty && return 0
    for pid in $(desktop_pids); do
        echo "left over: $(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline")" >&2
        kill -9 "$pid" 2>/dev/null || true
    done
    return 1
}

# as_nobody CMD... : runs a command as nobody with the desktop's home and folders only.
# The sanitizer build's settings pass, so that its runs report as the rest of the suite's do.
as_nobody() {
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$DESKTOP/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
        XDG_CONFIG_HOME="$XDG_CONFIG_HOME" ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} \
        ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} "${NOBODY[@]}" "$@"
}

# on_desktop CMD... : runs a command as nobody in the desktop's session, as a desktop starts programs.
on_desktop() {
    as_nobody env XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY="$WAYLAND_ANZEIGE" DISPLAY="$X_ANZEIGE" \
        ${X_AUTH:+XAUTHORITY="$X_AUTH"} ${SITZUNGSBUS:+DBUS_SESSION_BUS_ADDRESS="$SITZUNGSBUS"} "$@"
}

wayland_clipboard() { on_desktop wl-paste -n 2>/dev/null; }
x11_clipboard() { on_desktop xclip -o -selection clipboard 2>/dev/null; }

# nobody_store KEY=VALUE... : the settings store, writable by nobody as the program's own would be.
nobody_store() {
    store "$@"
    chown -R 65534:65534 "$XDG_CONFIG_HOME"
}

# run FILE [PATH] : runs the program as a script would, reading its whole output; sets RC and OUT.
# Bounded: a helper holding the output would keep the reader waiting. The bound is that of a
# failure, wide enough for a busy machine; what the program said is kept for the message.
run() {
    local started=$SECONDS
    on_desktop timeout 60 bash -c 'set -o pipefail; PATH=$2 "$0" "$1" | cat' "$PROGRAMM" "$1" \
        "${2:-/usr/local/bin:/usr/bin:/bin}" >"$E2E_TMP/out" 2>"$E2E_TMP/err" && RC=0 || RC=$?
    [ "$RC" -ne 124 ] || fail "reading the output of $1 did not end within 60 s: $(cat "$E2E_TMP/err")"
    echo "run of $(basename "$1"): $((SECONDS - started)) s"
    # Qt offers a clipboard it still owns at exit to the compositor's manager, which never answers.
    grep -q 'clipboard manager' "$E2E_TMP/err" && fail "the program still owned the X11 clipboard at its end"
    OUT=$(cat "$E2E_TMP/out"; echo .)
    OUT=${OUT%.}
}

# The helper and wl-copy, which keep the clipboards, hold nothing of the program's caller.
check_keepers() {
    local pid name fd
    for pid in $(desktop_pids); do
        name=$(cat "/proc/$pid/comm" 2>/dev/null) || continue
        case $name in fotoschicker-zw* | wl-copy) ;; *) continue ;; esac
        [ "$(readlink "/proc/$pid/cwd")" = / ] || fail "$name works in $(readlink "/proc/$pid/cwd")"
        for fd in 0 1 2; do
            [ "$(readlink "/proc/$pid/fd/$fd")" = /dev/null ] || fail "$name's fd $fd is $(readlink "/proc/$pid/fd/$fd")"
        done
    done
}

# upload_setup URL : an FTP server, pictures, and a store that uploads there and shows the status window.
upload_setup() {
    start_ftp anna geheim "$E2E_TMP/ftp"
    mkdir -p "$E2E_TMP/ftp/www"
    convert -size 320x240 xc:orange "$E2E_TMP/bilder/Urlaub am See.jpg"
    convert -size 7x5 xc:blue "$E2E_TMP/bilder/klein.png"
    convert -size 9x9 xc:red "$E2E_TMP/bilder/ohne.png"
    chmod a+r "$E2E_TMP/bilder"/*
    nobody_store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=anna FTPPassword=geheim FTPPath=www/ FTPPassiv=Wahr \
        FTPUseProxy=Falsch URL="$1" LinkOption=2 StatusfensterZeigen=Wahr useIS=Falsch
}
