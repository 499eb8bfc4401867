#!/usr/bin/env bash
# Picture names that are awkward in a link or look like parameters, sent by
# FTP: the server gets the file under its own name, and the link in the
# clipboard and on standard output is one unbroken address that points at it.
. "$(dirname "$0")/lib.sh"

URL=http://bilder.example/anna/
start_xvfb
start_ftp anna geheim "$E2E_TMP/ftp"
mkdir -p "$E2E_TMP/ftp/www" "$E2E_TMP/bilder/url:x"
store FTPServer="127.0.0.1:$FTP_PORT" FTPLogin=anna FTPPassword=geheim FTPPath=www/ FTPPassiv=Wahr \
    FTPUseProxy=Falsch URL=$URL LinkOption=2 StatusfensterZeigen=Wahr useIS=Falsch

# send FILE : uploads FILE as the only argument; the run must end by itself with status 0.
send() {
    local status=0
    timeout 20 "$FOTOSCHICKER" "$1" >"$E2E_TMP/out" || status=$?
    [ "$status" -eq 0 ] || fail "the run for [$1] ended with status $status (a box would have kept it open)"
}

# arrived NAME FILE : the FTP server holds FILE's bytes under NAME.
arrived() {
    cmp -s "$2" "$E2E_TMP/ftp/www/$1" || fail "the server does not hold [$1]: $(ls "$E2E_TMP/ftp/www")"
}

# (1) Blanks and "#": the link is one address, not cut at the blank or the "#".
bild="$E2E_TMP/bilder/Urlaub am See #1.jpg"
convert -size 320x240 xc:orange "$bild"
send "$bild"
arrived "Urlaub am See #1.jpg" "$bild"
link="${URL}Urlaub%20am%20See%20%231.jpg"
[ "$(cat "$E2E_TMP/out")" = "$link" ] || fail "standard output: [$(cat "$E2E_TMP/out")]"
[ "$(clipboard)" = "<img border=\"0\" src=\"$link\" alt=\"\" width=\"320\" height=\"240\">" ] ||
    fail "clipboard: [$(clipboard)]"
pass "blanks and # are percent-encoded in the link; the server has the file under its own name"

# (2) + (6) Quotes in the name: the very file is sent, its name cannot add markup to the snippet.
bild="$E2E_TMP/bilder/a\" onerror=\"alert(1).jpg"
convert -size 20x10 xc:red "$bild"
convert -size 20x10 xc:blue "$E2E_TMP/bilder/a onerror=alert(1).jpg"
send "$bild"
arrived "a\" onerror=\"alert(1).jpg" "$bild"
[ ! -e "$E2E_TMP/ftp/www/a onerror=alert(1).jpg" ] || fail "the file without the quotes was sent"
link="${URL}a%22%20onerror%3D%22alert%281%29.jpg"
[ "$(clipboard)" = "<img border=\"0\" src=\"$link\" alt=\"\" width=\"20\" height=\"10\">" ] ||
    fail "clipboard: [$(clipboard)]"
pass "a name with quotes: that file is sent, and the snippet holds no markup of the name"

# (2) A URL with "&" is escaped where it stands in HTML, and kept as it is in the plain link.
store "URL=http://bilder.example/anna&berta/"
bild="$E2E_TMP/bilder/klein.png"
convert -size 7x5 xc:blue "$bild"
send "$bild"
[ "$(clipboard)" = '<img border="0" src="http://bilder.example/anna&amp;berta/klein.png" alt="" width="7" height="5">' ] ||
    fail "clipboard: [$(clipboard)]"
[ "$(cat "$E2E_TMP/out")" = "http://bilder.example/anna&berta/klein.png" ] ||
    fail "standard output: [$(cat "$E2E_TMP/out")]"
pass "& in the URL is written &amp; in the snippet"
store URL=$URL LinkOption=1

# (7) A path with a keyword after a "/", a name like a parameter, a name with a leading "-".
bild="$E2E_TMP/bilder/url:x/b.jpg"
convert -size 8x8 xc:green "$bild"
send "$bild"
arrived b.jpg "$bild"
bild="$E2E_TMP/bilder/File:Eiffelturm.jpg"
convert -size 8x8 xc:white "$bild"
send "$bild"
arrived "File:Eiffelturm.jpg" "$bild"
[ "$(clipboard)" = "${URL}File%3AEiffelturm.jpg" ] || fail "clipboard: [$(clipboard)]"
convert -size 8x8 xc:black "$E2E_TMP/bilder/-nacht.jpg"
(cd "$E2E_TMP/bilder" && send -nacht.jpg)
arrived -nacht.jpg "$E2E_TMP/bilder/-nacht.jpg"
pass "/…/url:x/b.jpg, …/File:Eiffelturm.jpg and -nacht.jpg are pictures, not parameters"
