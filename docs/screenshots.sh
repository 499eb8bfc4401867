#!/usr/bin/env bash
# Takes the README's screenshots from the installed program under Xvfb:
#   docs/einstellungen.png          settings window, first start (empty store)
#   docs/einstellungen-bildhost.png settings window with the image-host box checked
#   docs/statusfenster.png          status window during an FTP upload to a slowed-down server on 127.0.0.1
#   docs/statusfenster-mehrere.png  the same while the second of three pictures goes up
#   docs/einstellungen-dunkel.png   settings window in a dark palette (GTK's Adwaita dark, through Qt's
#                                   gtk3 theme: packages qt6-gtk-platformtheme and gnome-themes-extra)
#   docs/einstellungen-150.png      settings window at 150 % on a 1366x768 screen
#   docs/statusfenster-tooltip.png  status window with its tooltip (share, speed, time left)
# Usage: docs/screenshots.sh   (builds and installs into build-screenshots/ unless FOTOSCHICKER names a program)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
docs=$repo/docs

if [ -z "${FOTOSCHICKER:-}" ]; then
    build=${BUILD_DIR:-$repo/build-screenshots}
    cmake -S "$repo" -B "$build" -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j "$(nproc)" >/dev/null
    cmake --install "$build" --prefix "$build/installed" >/dev/null
    export FOTOSCHICKER=$build/installed/bin/fotoschicker
fi
# shellcheck source=../tests/e2e/lib.sh
source "$repo/tests/e2e/lib.sh"
start_xvfb

# crop_window ID FILE : the window's area of the screen, as the user sees it.
crop_window() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root "$E2E_TMP/root.png"
    convert "$E2E_TMP/root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$2"
    echo "wrote $2 (${WIDTH}x${HEIGHT})"
}

settings_title="Morva Fotoschicker 1.1 - Einstellungen"

settings_window() {
    local id
    id=$(window_named "$settings_title")
    [ -n "$id" ] && echo "$id"
}

# settings_shot FILE [VAR=VALUE...] : starts without a file, in the given environment,
# photographs the settings window, ends the program.
settings_shot() {
    local datei=$1
    shift
    env "$@" "$FOTOSCHICKER" >/dev/null 2>&1 &
    local pid=$! id=
    E2E_PIDS+=("$pid")
    wait_for settings_window || fail "settings window did not appear"
    id=$(settings_window)
    sleep 0.5
    crop_window "$id" "$datei"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

settings_shot "$docs/einstellungen.png"
store useIS=Wahr
settings_shot "$docs/einstellungen-bildhost.png"
store useIS=Falsch
if [ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqgtk3.so ]; then
    settings_shot "$docs/einstellungen-dunkel.png" QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
else
    echo "skipped docs/einstellungen-dunkel.png: qt6-gtk-platformtheme is not installed"
fi

# The status window lives only as long as a transfer: a server that takes
# 20 kB/s keeps a picture of 240000 bytes (below the size question) on its way for 12 s.
mkdir -p "$E2E_TMP/ftp"
/usr/bin/python3 "$repo/tests/support/ftp_testserver.py" --benutzer bild --passwort schicker \
    --wurzel "$E2E_TMP/ftp" --drossel 20000 >"$E2E_TMP/ftp.log" 2>&1 &
E2E_PIDS+=($!)
wait_for grep -q '^PORT ' "$E2E_TMP/ftp.log" || fail "FTP server did not start"
FTP_PORT=$(sed -n 's/^PORT //p' "$E2E_TMP/ftp.log")

store useIS=Falsch FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=bild FTPPassword=schicker FTPPath= \
    StatusfensterZeigen=Wahr LinkOption=0
bild=$E2E_TMP/urlaub.jpg
head -c 240000 /dev/urandom >"$bild"
"$FOTOSCHICKER" "$bild" >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
status_window() {
    local id
    for id in $(xdotool search --onlyvisible --classname fotoschicker 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" != "$settings_title" ] && { echo "$id"; return 0; }
    done
    return 1
}
wait_for status_window || fail "status window did not appear"
sleep 3
crop_window "$(status_window)" "$docs/statusfenster.png"
# The pointer over the window brings its tooltip; the shot takes both.
eval "$(xdotool getwindowgeometry --shell "$(status_window)")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 2
import -window root "$E2E_TMP/root.png"
# Qt places the tooltip below the pointer, as far left as the screen's edge needs.
convert "$E2E_TMP/root.png" -crop "$((WIDTH + 420))x$((HEIGHT + 70))+$((X - 420))+$((Y - 10))" +repage -strip \
    "$docs/statusfenster-tooltip.png"
echo "wrote $docs/statusfenster-tooltip.png"
xdotool mousemove 0 0
wait "$pid" || fail "upload failed with status $?"
cmp -s "$bild" "$E2E_TMP/ftp/urlaub.jpg" || fail "uploaded file differs"
echo "upload complete"

# Three pictures in one start; the shot is taken once the second has begun (its STOR reached the server).
for name in strand.jpg "Grüße aus Köln.jpg" hafen.jpg; do head -c 200000 /dev/urandom >"$E2E_TMP/$name"; done
"$FOTOSCHICKER" "$E2E_TMP/strand.jpg" "$E2E_TMP/Grüße aus Köln.jpg" "$E2E_TMP/hafen.jpg" >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
wait_for grep -q '^BEFEHL STOR .*Köln.jpg' "$E2E_TMP/ftp.log" || fail "the second picture did not start"
wait_for status_window || fail "status window did not appear"
sleep 1
crop_window "$(status_window)" "$docs/statusfenster-mehrere.png"
wait "$pid" || fail "upload of three failed with status $?"
echo "upload of three complete"

# 150 % on the smallest common laptop screen, on an X server of that size.
kill "${E2E_PIDS[@]}" 2>/dev/null || true
E2E_PIDS=()
start_xvfb 1366x768
settings_shot "$docs/einstellungen-150.png" QT_SCALE_FACTOR=1.5
