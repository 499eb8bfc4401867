#!/usr/bin/env bash
# Three pictures opened at once through the installed menu entry, as a file manager's "Öffnen mit"
# does with several selected: one program start holding all three, each picture on the FTP server
# and on bildhost byte for byte, their links a line each in the clipboard and on standard output in
# the order given, status 0. Run as a user who cannot read one of three: the other two go up, one
# box names that one, status 1.
. "$(dirname "$0")/lib.sh"
start_xvfb

prefix=$(dirname "$(dirname "$FOTOSCHICKER")")
desktop=$prefix/share/applications/fotoschicker.desktop
grep -qx 'Exec=fotoschicker %F' "$desktop" || fail "menu entry: $(grep '^Exec=' "$desktop")"

# The menu entry starts "fotoschicker" from the PATH. A stand-in there counts the starts and their
# arguments, runs the program given in ZIEL with them and keeps its output and status.
aufruf=$E2E_TMP/aufruf
mkdir -p "$aufruf/bin"
cat >"$aufruf/bin/fotoschicker" <<EOF
#!/bin/sh
echo "\$#" >>"$aufruf/starts"
"\$ZIEL" "\$@" >"$aufruf/out"
echo \$? >"$aufruf/rc"
EOF
chmod 755 "$aufruf/bin/fotoschicker"

# oeffnen PROGRAMM BILD... : opens the pictures through the menu entry and waits for the program's end.
oeffnen() {
    local ziel=$1
    shift
    rm -f "$aufruf/starts" "$aufruf/out" "$aufruf/rc"
    PATH="$aufruf/bin:$PATH" ZIEL=$ziel XDG_DATA_DIRS="$prefix/share" gio launch "$desktop" "$@" \
        >"$E2E_TMP/gio.log" 2>&1 || fail "gio launch failed: $(cat "$E2E_TMP/gio.log")"
    # gio does not wait for the program.
    wait_for test -s "$aufruf/rc" || fail "the program started through the menu entry did not end"
    [ "$(cat "$aufruf/starts")" = 3 ] || fail "starts and their argument counts: $(tr '\n' ' ' <"$aufruf/starts")"
    [ "$(cat "$aufruf/rc")" = 0 ] || fail "status $(cat "$aufruf/rc")"
    [ -z "$(window_named "Morva Fotoschicker schon gestartet")" ] || fail "a 'schon gestartet' box"
}

bilder=$E2E_TMP/bilder
mkdir -p "$bilder"
namen=("Grüße aus Köln.jpg" klein.png bunt.gif)
convert -size 320x240 xc:orange "$bilder/${namen[0]}"
convert -size 7x5 xc:blue "$bilder/${namen[1]}"
convert -size 9x9 plasma:fractal "$bilder/${namen[2]}"
pfade=("$bilder/${namen[0]}" "$bilder/${namen[1]}" "$bilder/${namen[2]}")

start_ftp anna geheim "$E2E_TMP/ftp"
mkdir -p "$E2E_TMP/ftp/www"
URL=http://bilder.example/anna/
store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=anna FTPPassword=geheim FTPPath=www/ FTPPassiv=Wahr \
    FTPUseProxy=Falsch URL=$URL LinkOption=1 StatusfensterZeigen=Wahr useIS=Falsch
oeffnen "$FOTOSCHICKER" "${pfade[@]}"
kodiert() { /usr/bin/python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$1"; }
erwartet=
for name in "${namen[@]}"; do
    cmp -s "$bilder/$name" "$E2E_TMP/ftp/www/$name" || fail "$name did not arrive on the FTP server"
    erwartet+=$URL$(kodiert "$name")$'\n'
done
[ "$(cat "$aufruf/out")"$'\n' = "$erwartet" ] || fail "standard output: [$(cat "$aufruf/out")]"
[ "$(clipboard)"$'\n' = "$erwartet" ] || fail "clipboard: [$(clipboard)]"
pass "FTP: one start with three pictures, all on the server; their links in order on standard output and clipboard"

use_testhost
start_bildhost "$PORT" "$E2E_TMP/bildhost"
store useIS=Wahr
oeffnen "$PROGRAMM" "${pfade[@]}"
mapfile -t links <"$aufruf/out"
[ ${#links[@]} = 3 ] || fail "standard output: [$(cat "$aufruf/out")]"
for i in 0 1 2; do
    curl -sf -o "$E2E_TMP/geladen" "${links[$i]}" || fail "${links[$i]} cannot be fetched"
    cmp -s "${pfade[$i]}" "$E2E_TMP/geladen" || fail "${links[$i]} does not hold ${namen[$i]}"
done
[ "$(clipboard)" = "$(cat "$aufruf/out")" ] || fail "clipboard: [$(clipboard)]"
pass "bildhost: three pictures in one start, each link serving its picture in order, the same in the clipboard"

# Root reads every file: the program runs as nobody, who may read two of the pictures, not the middle one.
. "$(dirname "$0")/lib_desktop.sh"
chmod 600 "${pfade[1]}"
mkdir -p "$E2E_TMP/ftp/nobody"
nobody_store useIS=Falsch FTPPath=nobody/
zwei=$(sed -n '1p;3p' <<<"$erwartet")
# In a UTF-8 locale, as on a desktop: in the C locale Qt gives X11 a title that xdotool cannot match with "ü".
as_nobody env LANG=C.UTF-8 DISPLAY="$DISPLAY" "$E2E_TMP/prefix/bin/fotoschicker" "${pfade[@]}" \
    >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
lauf=$!
box="Nicht alle Dateien übertragen"
wait_for window_named "$box" || fail "no '$box' box: $(cat "$E2E_TMP/err")"
cmp -s "${pfade[0]}" "$E2E_TMP/ftp/nobody/${namen[0]}" && cmp -s "${pfade[2]}" "$E2E_TMP/ftp/nobody/${namen[2]}" ||
    fail "the readable pictures did not arrive"
[ ! -e "$E2E_TMP/ftp/nobody/${namen[1]}" ] || fail "the unreadable picture arrived"
[ "$(clipboard)" = "$zwei" ] || fail "clipboard: [$(clipboard)]"
# The box's text is selectable: a click into it, then Ctrl+A and Ctrl+C copy it. Again while the
# box is still too new to take the focus.
box_kopieren() {
    xdotool mousemove --window "$(window_named "$box")" 80 25 click 1 && press_key "$box" ctrl+a &&
        press_key "$box" ctrl+c && clipboard | grep -q '^1 von 3 Dateien wurde nicht übertragen:'
}
wait_for box_kopieren || fail "the box's text did not reach the clipboard: [$(clipboard)]"
text=$(clipboard)
[[ "$text" == *"„${pfade[1]}“: Die Datei kann nicht gelesen werden."* && "$text" != *"${namen[0]}"* &&
    "$text" != *"${namen[2]}"* ]] || fail "the box says: $text"
press_key "$box" Return
wait_gone $lauf || fail "the program did not end after the box"
status=0
wait $lauf || status=$?
[ "$status" = 1 ] || fail "status $status"
[ "$(cat "$E2E_TMP/out")" = "$zwei" ] || fail "standard output: [$(cat "$E2E_TMP/out")]"
pass "one of three unreadable: the other two uploaded and linked, one box naming it, status 1"
