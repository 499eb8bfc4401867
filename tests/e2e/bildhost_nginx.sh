#!/usr/bin/env bash
# bildhost behind Debian's nginx with docs/bildhost-nginx.conf, which terminates
# TLS: only its ports and paths are changed (and its IPv6 listen lines dropped,
# as a test machine may have no IPv6). An upload over HTTPS gets an address
# under --public-url, and that address serves the same bytes back through nginx;
# the plain-HTTP upload the program sends is taken as well. Deletions pass over
# HTTPS, and bildhost, trusting nginx's X-Real-IP, locks out only the client
# that guessed keys: clients come from different 127.0.0.x source addresses.
. "$(dirname "$0")/lib.sh"

command -v nginx >/dev/null || fail "nginx is not installed"
conf=$(dirname "$0")/../../docs/bildhost-nginx.conf
[ -f "$conf" ] || fail "$conf is missing"

bh_port=$(free_port)
http_port=$(free_port)
tls_port=$(free_port)
[ "$http_port" != "$tls_port" ] || tls_port=$(free_port)
oeffentlich="https://127.0.0.1:$tls_port/"

"$(dirname "$FOTOSCHICKER")/bildhost" --address 127.0.0.1 --port "$bh_port" --storage "$E2E_TMP/ablage" \
    --public-url "$oeffentlich" --max-connections-per-ip 512 --trusted-proxy 127.0.0.1 >"$E2E_TMP/bildhost.log" 2>&1 &
E2E_PIDS+=($!)
wait_for grep -q '^bildhost: http' "$E2E_TMP/bildhost.log" || fail "bildhost did not start: $(cat "$E2E_TMP/bildhost.log")"

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
    -keyout "$E2E_TMP/key.pem" -out "$E2E_TMP/cert.pem" 2>/dev/null || fail "no test certificate"

n=$E2E_TMP/nginx
mkdir -p "$n"
sed -e "s#listen 80;#listen 127.0.0.1:$http_port;#" \
    -e "s#listen 443 ssl http2;#listen 127.0.0.1:$tls_port ssl http2;#" \
    -e '/listen \[::\]/d' \
    -e "s#server 127.0.0.1:8080;#server 127.0.0.1:$bh_port;#" \
    -e "s#/etc/letsencrypt/live/bilder.example.org/fullchain.pem#$E2E_TMP/cert.pem#" \
    -e "s#/etc/letsencrypt/live/bilder.example.org/privkey.pem#$E2E_TMP/key.pem#" \
    "$conf" >"$n/bildhost.conf"
cmp -s <(grep -v '^ *listen\|^ *server 127\|^ *ssl_certificate' "$conf") \
    <(grep -v '^ *listen\|^ *server 127\|^ *ssl_certificate' "$n/bildhost.conf") || fail "the test changed more than ports and paths"
# What Debian's /etc/nginx/nginx.conf provides around a site, with paths of the test's own.
cat >"$n/nginx.conf" <<KONF
daemon off;
worker_processes 1;
pid $n/nginx.pid;
error_log $n/error.log;
$([ "$(id -u)" -eq 0 ] && echo "user root;")
events { worker_connections 64; }
http {
    access_log $n/access.log;
    client_body_temp_path $n/body;
    proxy_temp_path $n/proxy;
    fastcgi_temp_path $n/fastcgi;
    uwsgi_temp_path $n/uwsgi;
    scgi_temp_path $n/scgi;
    include $n/bildhost.conf;
}
KONF
nginx -t -p "$n" -c "$n/nginx.conf" >"$n/test.log" 2>&1 || fail "nginx refuses the configuration: $(cat "$n/test.log")"
nginx -p "$n" -c "$n/nginx.conf" 2>>"$n/error.log" &
E2E_PIDS+=($!)
wait_for bash -c "exec 3<>/dev/tcp/127.0.0.1/$tls_port" || fail "nginx did not start: $(cat "$n/error.log")"

bild=$E2E_TMP/bild.jpg
convert -size 300x200 xc: +noise Random -quality 90 "$bild"
unset SSL_CERT_FILE SSL_CERT_DIR CURL_CA_BUNDLE
tls=(curl -sS --max-time 20 --cacert "$E2E_TMP/cert.pem")

seite=$("${tls[@]}" -F "fileupload=@$bild" "https://127.0.0.1:$tls_port/") || fail "upload over HTTPS failed"
[[ "$seite" =~ \[img\](https://127\.0\.0\.1:$tls_port/[0-9a-f]{32}\.jpg)\[/img\] ]] || fail "reply page: $seite"
adresse=${BASH_REMATCH[1]}
pass "upload through nginx over HTTPS: [img]$adresse[/img]"

"${tls[@]}" -D "$E2E_TMP/kopf" -o "$E2E_TMP/zurueck.jpg" "$adresse" || fail "GET $adresse failed"
cmp -s "$bild" "$E2E_TMP/zurueck.jpg" || fail "GET $adresse returned other bytes"
grep -qi '^content-type: image/jpeg' "$E2E_TMP/kopf" || fail "served as: $(cat "$E2E_TMP/kopf")"
grep -qi '^x-content-type-options: nosniff' "$E2E_TMP/kopf" || fail "nosniff lost on the way: $(cat "$E2E_TMP/kopf")"
pass "the address serves the same bytes back through nginx, as image/jpeg with nosniff"

# A new picture over HTTPS: "ADDRESS KEY".
hochladen() {
    local antwort
    antwort=$("${tls[@]}" -F "fileupload=@$bild" "https://127.0.0.1:$tls_port/") || return 1
    [[ "$antwort" =~ \[img\](https://[^[]+)\[/img\].*\[delete\]([0-9a-f]{32})\[/delete\] ]] || return 1
    echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
}
# FROM ADDRESS KEY [CURL OPTIONS]: the status of a DELETE sent from that source address.
loeschen() {
    "${tls[@]}" --interface "$1" -o /dev/null -w '%{http_code}' -X DELETE -H "X-Delete-Key: $3" "${@:4}" "$2"
}

read -r bild_url schluessel < <(hochladen) && [ -n "$schluessel" ] || fail "no picture with a deletion key over HTTPS"
status=$(loeschen 127.0.0.1 "$bild_url" "$schluessel")
[ "$status" = 204 ] || fail "DELETE with the right key through nginx: $status"
status=$("${tls[@]}" -o /dev/null -w '%{http_code}' "$bild_url")
[ "$status" = 404 ] || fail "the deleted picture still answers: $status"
pass "DELETE with the right key through nginx over HTTPS: 204, and the picture is gone"

read -r bild_url schluessel < <(hochladen) && [ -n "$schluessel" ] || fail "no second picture over HTTPS"
name=${bild_url##*/}
# The guesser names another client in X-Real-IP itself; nginx must put its real address there.
for versuch in $(seq 10); do
    status=$(loeschen 127.0.0.3 "$bild_url" 00000000000000000000000000000000 -H 'X-Real-IP: 192.0.2.7')
    [ "$status" = 403 ] || fail "wrong key $versuch from 127.0.0.3: $status"
done
status=$(loeschen 127.0.0.3 "$bild_url" "$schluessel" -H 'X-Real-IP: 192.0.2.8')
[ "$status" = 429 ] || fail "127.0.0.3 was not locked out after ten wrong keys: $status"
status=$(loeschen 127.0.0.2 "$bild_url" "$schluessel")
[ "$status" = 204 ] || fail "127.0.0.2 was locked out with the guesser at 127.0.0.3: $status"
grep -q "^DELETE /$name 429 127\.0\.0\.3\$" "$E2E_TMP/bildhost.log" && grep -q "^DELETE /$name 204 127\.0\.0\.2\$" "$E2E_TMP/bildhost.log" \
    || fail "bildhost's log does not name the clients: $(grep "^DELETE /$name" "$E2E_TMP/bildhost.log")"
pass "ten wrong keys lock out 127.0.0.3 alone: 127.0.0.2 deletes with the right key, and the log names both"

# The program's own request: HTTP/1.0, the comma form of the content type, no TLS.
seite=$(curl -sS --max-time 20 -0 -H 'Content-Type: multipart/form-data, boundary=AaB03x' --data-binary @- \
    "http://127.0.0.1:$http_port/" < <(printf -- '--AaB03x\r\nContent-Disposition: form-data; name="fileupload"; filename="b.jpg"\r\n\r\n'
        cat "$bild"
        printf -- '\r\n--AaB03x--')) || fail "plain-HTTP upload failed"
[[ "$seite" =~ \[img\]https://127\.0\.0\.1:$tls_port/[0-9a-f]{32}\.jpg\[/img\] ]] || fail "plain-HTTP reply page: $seite"
pass "the program's plain HTTP/1.0 upload is taken on the HTTP port, with an https address back"

[ "$(curl -s -o /dev/null -w '%{http_code}' "http://127.0.0.1:$http_port/${adresse##*/}")" = 301 ] \
    || fail "a GET over plain HTTP is not moved to https"
pass "a GET over plain HTTP moves to https"

# The program itself, pointed at this bildhost by the store's imageHost: plain HTTP on the HTTP
# port, and https:// on the TLS port with the certificate checked against SSL_CERT_FILE.
start_xvfb
store useIS=Wahr StatusfensterZeigen=Wahr LinkOption=1 imageHost="127.0.0.1:$http_port"
link=$("$FOTOSCHICKER" "$bild") || fail "the program's upload to imageHost=127.0.0.1:$http_port failed"
[[ "$link" =~ ^https://127\.0\.0\.1:$tls_port/[0-9a-f]{32}\.jpg$ ]] || fail "the program printed [$link]"
pass "imageHost=127.0.0.1:$http_port from the store: the program posts there and prints $link"

store imageHost="https://127.0.0.1:$tls_port"
link=$(SSL_CERT_FILE=$E2E_TMP/cert.pem "$FOTOSCHICKER" "$bild") || fail "the program's upload over HTTPS failed"
[[ "$link" =~ ^https://127\.0\.0\.1:$tls_port/[0-9a-f]{32}\.jpg$ ]] || fail "the program printed [$link]"
"${tls[@]}" -o "$E2E_TMP/zurueck2.jpg" "$link" && cmp -s "$bild" "$E2E_TMP/zurueck2.jpg" || fail "$link serves other bytes"
pass "imageHost=https://127.0.0.1:$tls_port: the upload goes over HTTPS and $link serves the picture"

vorher=$(grep -c '^POST' "$E2E_TMP/bildhost.log" || true)
"$FOTOSCHICKER" "$bild" >"$E2E_TMP/out" &
lauf=$!
wait_for window_named "Fehler bei Dateiübertragung" || fail "a certificate the system does not trust did not end the upload"
press_key "Fehler bei Dateiübertragung" Return
wait_for window_named "Morva Fotoschicker 1.1 - Einstellungen" || fail "no settings window after the failed upload"
kill $lauf
wait $lauf || true
[ ! -s "$E2E_TMP/out" ] || fail "the refused upload printed [$(cat "$E2E_TMP/out")]"
[ "$(grep -c '^POST' "$E2E_TMP/bildhost.log" || true)" = "$vorher" ] || fail "the picture reached bildhost past an untrusted certificate"
pass "without the test authority the certificate is refused and nothing reaches bildhost"
