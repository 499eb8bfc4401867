# After an upload the link stays in the clipboard when the program has ended,
# even with no clipboard manager (bare Xvfb); the program's output carries the
# link and does not wait for the helper that keeps the clipboard.
source "$(dirname "$0")/lib.sh"

URL=http://bilder.example/anna/
HELFER=fotoschicker-zwischenablage

ended() {
    [ ! -e "/proc/$1" ] || grep -q ') Z ' "/proc/$1/stat" 2>/dev/null
}

# The helper of this test's X server and home, found by its environment.
helper_pid() {
    local pid
    for pid in $(pgrep -x "${HELFER:0:15}" || true); do
        ended "$pid" && continue
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && echo "$pid"
    done
    # Helpers of other tests running at the same time are no failure of the search.
    return 0
}

# run FILE : runs the program as a script would, reading its whole output; sets RC and OUT.
run() {
    local started=$SECONDS
    timeout 60 bash -c 'set -o pipefail; "$0" "$1" | cat' "$FOTOSCHICKER" "$1" >"$E2E_TMP/out" && RC=0 || RC=$?
    [ "$RC" -ne 124 ] || fail "reading the output of $1 did not end within 60 s"
    echo "run of $(basename "$1"): $((SECONDS - started)) s"
    OUT=$(cat "$E2E_TMP/out"; echo .)
    OUT=${OUT%.}
    [ -z "$(window_named "Morva Fotoschicker schon gestartet")" ] || fail "the 'schon gestartet' box after $1"
}

clipboard() {
    xclip -o -selection clipboard 2>/dev/null
}

start_xvfb
start_ftp anna geheim "$E2E_TMP/ftp"
mkdir -p "$E2E_TMP/ftp/www" "$E2E_TMP/bilder"
convert -size 320x240 xc:orange "$E2E_TMP/bilder/Urlaub am See.jpg"
convert -size 7x5 xc:blue "$E2E_TMP/bilder/klein.png"
store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=anna FTPPassword=geheim FTPPath=www/ FTPPassiv=Wahr \
    FTPUseProxy=Falsch URL=$URL LinkOption=2 StatusfensterZeigen=Wahr useIS=Falsch

# Who takes the clipboard first: the program taking it before its helper may, under XWayland,
# have the X server refuse it while Qt believes it owns it, and then wait for a clipboard manager.
"$BUILD_DIR/tests/auswahlleser" ERSTER-BESITZER >"$E2E_TMP/erster" &
E2E_PIDS+=($!)
wait_for grep -q genommen "$E2E_TMP/erster" || fail "the clipboard could not be taken before the run"
run "$E2E_TMP/bilder/Urlaub am See.jpg"
[ "$RC" -eq 0 ] || fail "upload ended with status $RC"
cmp -s "$E2E_TMP/bilder/Urlaub am See.jpg" "$E2E_TMP/ftp/www/Urlaub am See.jpg" || fail "the upload did not arrive"
[ "$OUT" = "${URL}Urlaub%20am%20See.jpg"$'\n' ] || fail "standard output: [$OUT]"
pass "the link, and nothing else, on standard output; status 0"

snippet="<img border=\"0\" src=\"${URL}Urlaub%20am%20See.jpg\" alt=\"\" width=\"320\" height=\"240\">"
[ "$(clipboard)" = "$snippet" ] || fail "clipboard after the end: [$(clipboard)]"
targets=$(xclip -o -selection clipboard -t TARGETS)
echo "$targets" | grep -qx text/html && fail "HTML offered besides plain text: $targets"
pass "the snippet with the picture's size is in the clipboard after the program ended"

wait_for test "$(wc -l <"$E2E_TMP/erster")" -eq 2 || fail "nobody took the clipboard from its first owner"
[ "$(tail -n 1 "$E2E_TMP/erster")" = "$("$BUILD_DIR/tests/auswahlleser" BESITZER)" ] \
    || fail "the program took the clipboard itself before the helper that keeps it"
pass "only the helper that keeps the link takes the clipboard"

first=$(helper_pid)
[ "$(echo "$first" | wc -w)" -eq 1 ] || fail "expected one helper, found [$first]"
for fd in 0 1 2; do
    [ "$(readlink "/proc/$first/fd/$fd")" = /dev/null ] || fail "helper's fd $fd is $(readlink "/proc/$first/fd/$fd")"
done
ls -l "/proc/$first/fd" | grep -q 'pipe:' && fail "helper holds a pipe: $(ls -l "/proc/$first/fd")"
[ "$(readlink "/proc/$first/cwd")" = / ] || fail "helper works in $(readlink "/proc/$first/cwd")"
pass "the helper keeps no input, output or folder of its caller"

# A second upload right after the first: no 'schon gestartet' box, the clipboard passes to the new run.
store LinkOption=1
run "$E2E_TMP/bilder/klein.png"
[ "$RC" -eq 0 ] || fail "second upload ended with status $RC"
[ "$OUT" = "${URL}klein.png"$'\n' ] || fail "standard output of the second run: [$OUT]"
[ "$(clipboard)" = "${URL}klein.png" ] || fail "clipboard after the second run: [$(clipboard)]"
wait_for ended "$first" || fail "the first helper outlived the second run's clipboard"
second=$(helper_pid)
[ "$(echo "$second" | wc -w)" -eq 1 ] || fail "expected one helper after the second run, found [$second]"
pass "a second run right after the first is not refused and takes the clipboard over"

# Another program takes the clipboard: the helper goes.
echo fremd | xclip -selection clipboard >/dev/null
wait_for ended "$second" || fail "the helper was still there 30 s after losing the clipboard"
pass "the helper ends when another program takes the clipboard"

# LinkOption 0: the link still goes to standard output, the clipboard is left alone.
store LinkOption=0
run "$E2E_TMP/bilder/klein.png"
[ "$RC" -eq 0 ] || fail "upload with LinkOption 0 ended with status $RC"
[ "$OUT" = "${URL}klein.png"$'\n' ] || fail "standard output with LinkOption 0: [$OUT]"
[ "$(clipboard)" = fremd ] || fail "LinkOption 0 changed the clipboard to [$(clipboard)]"
[ -z "$(helper_pid)" ] || fail "a helper was started with LinkOption 0"
pass "LinkOption 0 leaves the clipboard alone"
