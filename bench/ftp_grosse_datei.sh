#!/usr/bin/env bash
# Uploads a 1 GiB file with the installed program to a local FTP server that
# throws the bytes away, and reports the transfer rate and the program's
# largest resident size. The file is streamed from disk, so the size should
# stay near that of an idle program whatever the file's size.
#   FOTOSCHICKER=build/installed/bin/fotoschicker bench/ftp_grosse_datei.sh [SIZE_MIB]
set -euo pipefail
cd "$(dirname "$0")/.."
export FOTOSCHICKER=${FOTOSCHICKER:-$PWD/build/installed/bin/fotoschicker}
E2E_DIR=$PWD/tests/e2e
. tests/e2e/lib.sh
mib=${1:-1024}
start_xvfb

ausgabe=$E2E_TMP/ftp.out
/usr/bin/python3 -u tests/support/ftp_testserver.py --benutzer bench --passwort bench \
    --wurzel "$E2E_TMP" --verwerfen >"$ausgabe" 2>&1 &
E2E_PIDS+=($!)
wait_for grep -q '^PORT ' "$ausgabe" || fail "FTP server did not start"
store FTPServer="127.0.0.1:$(sed -n 's/^PORT //p' "$ausgabe")" FTPLogin=bench FTPPassword=bench FTPPath= \
    FTPPassiv=Wahr FTPUseProxy=Falsch StatusfensterZeigen=Wahr useIS=Falsch LinkOption=0 URL=http://127.0.0.1/

datei=$E2E_TMP/gross.jpg
truncate -s "${mib}M" "$datei"
timeout 600 /usr/bin/time -f '%M' -o "$E2E_TMP/rss" "$FOTOSCHICKER" "$datei" >/dev/null &
lauf=$!
# The title ends in "?", which the window search reads as a pattern.
wait_for window_named "Datei sicher übertragen." || fail "no size question"
beginn=$(date +%s.%N)
press_key "Datei sicher übertragen." Return
status=0
wait $lauf || status=$?
ende=$(date +%s.%N)
[ "$status" -eq 0 ] || fail "upload ended with status $status"
rss=$(cat "$E2E_TMP/rss")
awk -v mib="$mib" -v t0="$beginn" -v t1="$ende" -v rss="$rss" 'BEGIN {
    t = t1 - t0
    printf "ftp upload: %d MiB in %.2f s = %.0f MiB/s, max RSS %.1f MiB\n", mib, t, mib / t, rss / 1024 }'
