#!/usr/bin/env bash
# FTP over TLS with the installed program: an ftpes:// upload arrives intact
# with its link in the clipboard, the login only after the handshake; a server
# whose certificate names another host gets the certificate box, no login and
# no file, also when the server comes from the command line.
. "$(dirname "$0")/lib.sh"
start_xvfb

# The test's own authority, and nothing of this machine's, is what the program trusts.
tls=$E2E_TMP/tls
/usr/bin/python3 "$E2E_DIR/../support/tls_zertifikate.py" "$tls" || fail "no certificates"
export SSL_CERT_FILE=$tls/ca.pem
unset SSL_CERT_DIR CURL_CA_BUNDLE

# start_ftps NAME CERTIFICATE DIR : our recording FTP server with explicit TLS;
# sets PORT_<NAME>, its transcript is $E2E_TMP/NAME.out.
start_ftps() {
    local ausgabe=$E2E_TMP/$1.out
    mkdir -p "$3"
    /usr/bin/python3 -u "$E2E_DIR/../support/ftp_testserver.py" --benutzer fotograf --passwort geheim \
        --wurzel "$3" --tls explizit --zertifikat "$tls/$2" >"$ausgabe" 2>&1 &
    E2E_PIDS+=($!)
    wait_for grep -q '^PORT ' "$ausgabe" || fail "FTP server $1 did not start: $(cat "$ausgabe")"
    printf -v "PORT_$1" '%s' "$(sed -n 's/^PORT //p' "$ausgabe")"
}

start_ftps echt server.pem "$E2E_TMP/echt"
start_ftps fremd fremder-name.pem "$E2E_TMP/fremd"
mkdir -p "$E2E_TMP/echt/bilder"
URL=https://bilder.example/anna/
store FTPServer="ftpes://127.0.0.1:$PORT_echt" FTPLogin=fotograf FTPPassword=geheim FTPPath=bilder/ \
    FTPPassiv=Wahr FTPUseProxy=Falsch StatusfensterZeigen=Wahr useIS=Falsch LinkOption=1 URL=$URL
bild="$E2E_TMP/sonne.jpg"
head -c 200000 /dev/urandom >"$bild"

status=0
out=$(timeout 30 "$FOTOSCHICKER" "$bild") || status=$?
[ "$status" -eq 0 ] || fail "ftpes:// upload ended with status $status"
cmp -s "$bild" "$E2E_TMP/echt/bilder/sonne.jpg" || fail "the server does not hold the same bytes"
[ "$out" = "${URL}sonne.jpg" ] || fail "standard output: [$out]"
[ "$(xclip -o -selection clipboard 2>/dev/null)" = "${URL}sonne.jpg" ] ||
    fail "clipboard: [$(xclip -o -selection clipboard 2>/dev/null)]"
protokoll=$E2E_TMP/echt.out
[ "$(grep -m1 '^BEFEHL' "$protokoll")" = "BEFEHL AUTH TLS" ] || fail "first command was not AUTH TLS: $(cat "$protokoll")"
handschlag=$(grep -n -m1 '^TLS STEUERUNG$' "$protokoll" | cut -d: -f1)
login=$(grep -n -m1 '^BEFEHL USER ' "$protokoll" | cut -d: -f1)
[ -n "$handschlag" ] && [ -n "$login" ] && [ "$handschlag" -lt "$login" ] ||
    fail "the login did not come after the handshake: $(cat "$protokoll")"
grep -qx 'BEFEHL PROT P' "$protokoll" && grep -qx 'TLS DATEN' "$protokoll" || fail "data not encrypted: $(cat "$protokoll")"
pass "ftpes:// upload: same bytes, link in the clipboard, login after AUTH TLS and the handshake"

"$FOTOSCHICKER" "/ftpserver:ftpes://127.0.0.1:$PORT_fremd /ftppassword:geheim /file:$bild" 2>/dev/null &
lauf=$!
wait_for window_named "Zertifikat nicht vertrauenswürdig" || fail "no certificate box for another host's certificate"
[ -z "$(window_named "Fehler bei Dateiübertragung")" ] || fail "the 'Fehler bei Dateiübertragung' box shown besides the certificate box"
press_key "Zertifikat nicht vertrauenswürdig" Return
wait_gone $lauf 10 || fail "the program did not end after the certificate box"
status=0
wait $lauf || status=$?
[ "$status" -eq 1 ] || fail "certificate refused: status $status"
[ -z "$(ls -A "$E2E_TMP/fremd")" ] || fail "a file arrived at the server with the wrong certificate"
! grep -qE '^BEFEHL (USER|PASS)' "$E2E_TMP/fremd.out" || fail "login sent to the untrusted server: $(cat "$E2E_TMP/fremd.out")"
pass "another host's certificate from the command line: certificate box, status 1, no login, no file"
