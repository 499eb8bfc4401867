# fotoschicker-zwischenablage on its own, as X11 programs see it: every target
# the ICCCM asks for, a large text in INCR pieces, no STRING for a text Latin-1
# cannot hold, and its end when another program takes the clipboard or the X
# server goes away.
source "$(dirname "$0")/lib.sh"

HELFER=$(dirname "$FOTOSCHICKER")/fotoschicker-zwischenablage
LESER=$BUILD_DIR/tests/auswahlleser

ended() {
    [ ! -e "/proc/$1" ] || grep -q ') Z ' "/proc/$1/stat" 2>/dev/null
}

# serve FILE : starts the helper with the text of FILE; sets HELFER_PID once it owns the clipboard.
# An earlier helper answers TIMESTAMP too until the new one takes the clipboard from it, so the
# new one owns it only once the earlier one has ended.
serve() {
    local vorher=${HELFER_PID:-}
    "$HELFER" 3<"$1" </dev/null >/dev/null 2>&1 &
    HELFER_PID=$!
    E2E_PIDS+=("$HELFER_PID")
    if [ -n "$vorher" ]; then
        wait_for ended "$vorher" || fail "the earlier helper outlived losing the clipboard"
    fi
    wait_for "$LESER" TIMESTAMP || fail "the helper did not take the clipboard"
}

start_xvfb
text='Grüße an Zoë: <img src="http://bilder.example/a.jpg">'
printf '%s' "$text" >"$E2E_TMP/latin1"
serve "$E2E_TMP/latin1"
latin1=$(printf '%s' "$text" | iconv -f UTF-8 -t LATIN1)
[ "$("$LESER" TARGETS)" = "ATOM TARGETS TIMESTAMP MULTIPLE SAVE_TARGETS UTF8_STRING text/plain;charset=utf-8 TEXT STRING" ] \
    || fail "targets: $("$LESER" TARGETS)"
[[ "$("$LESER" TIMESTAMP)" =~ ^INTEGER\ [1-9][0-9]*$ ]] || fail "timestamp: $("$LESER" TIMESTAMP)"
[ "$("$LESER" UTF8_STRING)" = "UTF8_STRING $text" ] || fail "UTF8_STRING: $("$LESER" UTF8_STRING)"
[ "$("$LESER" 'text/plain;charset=utf-8')" = "text/plain;charset=utf-8 $text" ] || fail "text/plain"
[ "$("$LESER" STRING)" = "STRING $latin1" ] || fail "STRING is not the Latin-1 form"
[ "$("$LESER" TEXT)" = "STRING $latin1" ] || fail "TEXT is not the Latin-1 form"
[ "$("$LESER" SAVE_TARGETS)" = "NULL " ] || fail "SAVE_TARGETS: $("$LESER" SAVE_TARGETS)"
[ "$("$LESER" text/html)" = None ] || fail "text/html was answered"
multiple=$("$LESER" MULTIPLE UTF8_STRING text/html STRING)
[ "$multiple" = "UTF8_STRING: UTF8_STRING $text"$'\n'"text/html: None"$'\n'"STRING: STRING $latin1" ] \
    || fail "MULTIPLE: $multiple"
pass "every target answers with the text in its encoding, MULTIPLE marks the one refused"

printf 'Grüße aus 東京' >"$E2E_TMP/utf8"
first=$HELFER_PID
serve "$E2E_TMP/utf8"
wait_for ended "$first" || fail "the first helper outlived losing the clipboard"
"$LESER" TARGETS | grep -qw STRING && fail "STRING offered for a text without Latin-1 form"
[ "$("$LESER" STRING)" = None ] || fail "STRING answered for a text without Latin-1 form"
[ "$("$LESER" TEXT)" = "UTF8_STRING Grüße aus 東京" ] || fail "TEXT: $("$LESER" TEXT)"
pass "a text beyond Latin-1 is not offered as STRING; TEXT carries it as UTF-8; the old helper ended"

# More than the server's largest request (256 kB on Xvfb): only INCR carries it.
head -c 300000 /dev/urandom | base64 -w 76 >"$E2E_TMP/gross"
serve "$E2E_TMP/gross"
xclip -o -selection clipboard -t UTF8_STRING >"$E2E_TMP/gelesen"
cmp -s "$E2E_TMP/gross" "$E2E_TMP/gelesen" || fail "the large text arrived as $(wc -c <"$E2E_TMP/gelesen") bytes"
pass "a 400 kB text arrives whole"

echo fremd | xclip -selection clipboard >/dev/null
wait_for ended "$HELFER_PID" || fail "the helper was still there 30 s after another program took the clipboard"
pass "the helper ends when another program takes the clipboard"

serve "$E2E_TMP/latin1"
kill "${E2E_PIDS[0]}"
wait_for ended "$HELFER_PID" || fail "the helper was still there 30 s after the X server went away"
pass "the helper ends when the X server goes away"
