#!/usr/bin/env bash
# Image-host mode against hostile answers and hostile names: a reply whose
# address is no web address (javascript:, data:, an invisible bidi character)
# is a failed upload that leaves the clipboard alone; the form names the
# picture without its folders; a name holding a header and a boundary cannot
# change what bildhost stores.
. "$(dirname "$0")/lib.sh"

use_testhost

start_xvfb
store useIS=Wahr StatusfensterZeigen=Wahr LinkOption=2 FTPServer= FTPLogin= FTPPassword=
mkdir -p "$E2E_TMP/meine bilder" "$E2E_TMP/anfragen"
bild="$E2E_TMP/meine bilder/Strand.jpg"
convert -size 64x48 xc:yellow "$bild"

# A server on the image host's port that keeps every request body and answers
# with whatever $E2E_TMP/antwort holds at that moment.
/usr/bin/python3 - "$PORT" "$E2E_TMP" <<'PY' >"$E2E_TMP/feind.log" 2>&1 &
import http.server, sys
port, ordner = int(sys.argv[1]), sys.argv[2]
class Feind(http.server.BaseHTTPRequestHandler):
    zahl = 0
    def do_POST(self):
        koerper = self.rfile.read(int(self.headers["Content-Length"]))
        Feind.zahl += 1
        open(f"{ordner}/anfragen/{Feind.zahl}", "wb").write(koerper)
        antwort = open(f"{ordner}/antwort", "rb").read()
        self.send_response(200)
        self.send_header("Content-Length", str(len(antwort)))
        self.end_headers()
        self.wfile.write(antwort)
http.server.HTTPServer.allow_reuse_address = True
server = http.server.HTTPServer(("127.0.0.1", port), Feind)
print("bereit", flush=True)
server.serve_forever()
PY
feind=$!
E2E_PIDS+=($feind)
wait_for grep -q bereit "$E2E_TMP/feind.log" || fail "the hostile server did not start: $(cat "$E2E_TMP/feind.log")"

# refused NAME : the reply in $E2E_TMP/antwort gives the 'Fehler bei Dateiübertragung' box; nothing reaches the clipboard or standard output.
refused() {
    echo vorher | xclip -selection clipboard >/dev/null
    "$PROGRAMM" "$bild" >"$E2E_TMP/out" &
    local lauf=$!
    wait_for window_named "Fehler bei Dateiübertragung" || fail "$1: no 'Fehler bei Dateiübertragung' box"
    press_key "Fehler bei Dateiübertragung" Return
    wait_for window_named "Morva Fotoschicker 1.1 - Einstellungen" || fail "$1: no settings window after the 'Fehler bei Dateiübertragung' box"
    kill $lauf
    wait_gone $lauf || fail "$1: the program did not end"
    wait $lauf || true
    [ ! -s "$E2E_TMP/out" ] || fail "$1: standard output holds [$(cat "$E2E_TMP/out")]"
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = vorher ] ||
        fail "$1: clipboard holds [$(xclip -o -selection clipboard 2>/dev/null)]"
}

printf '[img]javascript:alert(1)[/img]' >"$E2E_TMP/antwort"
refused javascript
printf '[img]data:text/html;base64,PHNjcmlwdD5hbGVydCgxKTwvc2NyaXB0Pg==[/img]' >"$E2E_TMP/antwort"
refused data
printf '[img]http://127.0.0.1:18080/\xe2\x80\xaegpj.exe[/img]' >"$E2E_TMP/antwort"
refused U+202E
pass "javascript:, data: and a right-to-left override are failed uploads; clipboard and output untouched"

kopf=$(head -c 300 "$E2E_TMP/anfragen/1" | sed -n 2p | tr -d '\r')
[ "$kopf" = 'Content-Disposition: form-data; name="fileupload"; filename="Strand.jpg"' ] ||
    fail "the form's file line: [$kopf]"
grep -qF "$E2E_TMP" "$E2E_TMP/anfragen/1" && fail "the request names the picture's folder"
pass "the form carries the picture's name without its folders"

# A web address in the markers still gets through, in any case of its scheme.
adresse='HTTP://127.0.0.1:18080/zeige?id=7&gross=1'
printf '[img]%s[/img]' "$adresse" >"$E2E_TMP/antwort"
status=0
timeout 20 "$PROGRAMM" "$bild" >"$E2E_TMP/out" || status=$?
[ "$status" -eq 0 ] || fail "a good reply ended with status $status"
[ "$(cat "$E2E_TMP/out")" = "$adresse" ] || fail "output: [$(cat "$E2E_TMP/out")]"
[ "$(xclip -o -selection clipboard 2>/dev/null)" = \
    '<a href="HTTP://127.0.0.1:18080/zeige?id=7&amp;gross=1">HTTP://127.0.0.1:18080/zeige?id=7&amp;gross=1</a>' ] ||
    fail "clipboard: [$(xclip -o -selection clipboard 2>/dev/null)]"
pass "an http address in capitals is taken; its & is escaped in the snippet"

kill $feind
wait_gone $feind || fail "the hostile server did not end"

# A name that, written raw into the form, would close the file part and start a GIF of its own.
start_bildhost $PORT "$E2E_TMP/ablage"
boese="$E2E_TMP/meine bilder/"$'x\r\n\r\nGIF89a-INJECTED\r\n--AaB03x\r\nX: y.jpg'
cp "$bild" "$boese"
status=0
timeout 20 "$PROGRAMM" "$boese" >"$E2E_TMP/out" || status=$?
[ "$status" -eq 0 ] || fail "the upload of the hostile name ended with status $status"
[[ "$(cat "$E2E_TMP/out")" =~ ^http://127\.0\.0\.1:$PORT/([0-9a-f]{32}\.jpg)$ ]] || fail "output: [$(cat "$E2E_TMP/out")]"
cmp -s "$bild" "$E2E_TMP/ablage/${BASH_REMATCH[1]}" || fail "bildhost stored other bytes than the picture's"
[ "$(ls "$E2E_TMP/ablage" | wc -l)" -eq 1 ] || fail "bildhost stored: $(ls "$E2E_TMP/ablage")"
pass "a name with CR LF and the boundary: bildhost stores the picture itself"
