#!/usr/bin/env bash
# Image-host mode with the program built for a bildhost on 127.0.0.1:18080
# (fotoschicker_testhost, tests/CMakeLists.txt): a 200 KB JPEG goes up, the run
# ends without a box and the clipboard holds the snippet with the address the
# bildhost handed out; a .bmp and a picture one byte over the limit get the 'zu groß' box
# and send nothing.
. "$(dirname "$0")/lib.sh"

use_testhost

start_xvfb
start_bildhost $PORT "$E2E_TMP/ablage"
store useIS=Wahr StatusfensterZeigen=Wahr LinkOption=2 FTPServer= FTPLogin= FTPPassword=

mkdir -p "$E2E_TMP/meine bilder"
bild="$E2E_TMP/meine bilder/Strand am Abend.jpg"
convert -size 400x300 xc: +noise Random -quality 92 "$bild"
groesse=$(stat -c %s "$bild")
[ "$groesse" -gt 150000 ] && [ "$groesse" -le 250000 ] || fail "test picture has $groesse bytes"

status=0
timeout 30 "$PROGRAMM" "$bild" >"$E2E_TMP/out" || status=$?
[ "$status" -eq 0 ] || fail "upload ended with status $status (a message box would have kept it open)"
link=$(cat "$E2E_TMP/out")
[[ "$link" =~ ^http://127\.0\.0\.1:$PORT/([0-9a-f]{32}\.jpg)$ ]] || fail "standard output: [$link]"
name=${BASH_REMATCH[1]}
cmp -s "$bild" "$E2E_TMP/ablage/$name" || fail "bildhost does not hold the same bytes under $name"
/usr/bin/python3 -c 'import sys, urllib.request; sys.stdout.buffer.write(urllib.request.urlopen(sys.argv[1]).read())' \
    "$link" >"$E2E_TMP/zurueck.jpg" || fail "GET $link failed"
cmp -s "$bild" "$E2E_TMP/zurueck.jpg" || fail "GET $link returned other bytes"
pass "$groesse bytes uploaded, stored as $name and served back, exit 0, no box"

snippet="<img border=\"0\" src=\"$link\" alt=\"\" width=\"400\" height=\"300\">"
clip=$(xclip -o -selection clipboard 2>/dev/null)
[ "$clip" = "$snippet" ] || fail "clipboard: [$clip]"
pass "the clipboard holds the snippet with the address from bildhost's reply"

# zu_gross_box FILE : the run shows the 'zu groß' box (application title, no icon) and ends; bildhost sees no request.
zu_gross_box() {
    local vorher status=0
    vorher=$(grep -c '^POST ' "$BILDHOST_LOG" || true)
    "$PROGRAMM" "$1" >/dev/null &
    local lauf=$!
    wait_for window_named "Morva Fotoschicker" || fail "no 'zu groß' box for $(basename "$1")"
    press_key "Morva Fotoschicker" Return
    wait_gone $lauf || fail "the run did not end after the 'zu groß' box for $(basename "$1")"
    wait $lauf || status=$?
    [ "$status" -ne 0 ] || fail "the 'zu groß' box run for $(basename "$1") ended with status 0"
    [ "$(grep -c '^POST ' "$BILDHOST_LOG" || true)" = "$vorher" ] || fail "$(basename "$1") was sent anyway"
}

convert -size 40x30 xc:red "$E2E_TMP/meine bilder/rot.bmp"
zu_gross_box "$E2E_TMP/meine bilder/rot.bmp"
pass "a .bmp gives the 'zu groß' box and no request"

zugross="$E2E_TMP/meine bilder/zu gross.jpg"
cp "$bild" "$zugross"
truncate -s 250001 "$zugross"
zu_gross_box "$zugross"
pass "a picture of 250001 bytes gives the 'zu groß' box and no request"
