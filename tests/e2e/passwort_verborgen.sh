#!/usr/bin/env bash
# A password given on the command line: while the program waits at the size
# question, the process list shows the parameter without its value; the
# upload still logs in with it.
. "$(dirname "$0")/lib.sh"

start_xvfb
start_ftp anna MeinGeheimnis "$E2E_TMP/ftp"
mkdir -p "$E2E_TMP/ftp/www"
store FTPServer=ftp.gespeichert.example FTPLogin=berta FTPPassword=gespeichert FTPPath=www/ FTPPassiv=Wahr \
    FTPUseProxy=Falsch URL= LinkOption=0 StatusfensterZeigen=Wahr useIS=Falsch
# Over 250000 bytes: the run stops at the size question, a state it leaves only when answered.
gross=$E2E_TMP/gross.jpg
head -c 300000 /dev/urandom >"$gross"

"$FOTOSCHICKER" "/ftpserver:127.0.0.1:$FTP_PORT" /ftpuser:anna /ftppassword:MeinGeheimnis "/file:$gross" &
lauf=$!
E2E_PIDS+=($lauf)
wait_for window_named "Datei sicher übertragen." || fail "no size question"
zeile=$(tr '\0' ' ' <"/proc/$lauf/cmdline")
liste=$(ps -o args= -p "$lauf")
for gesehen in "$zeile" "$liste"; do
    [[ "$gesehen" != *MeinGeheimnis* ]] || fail "the password is readable: [$gesehen]"
    [[ "$gesehen" == *"/ftpuser:anna /ftppassword:************* /file:$gross"* ]] || fail "command line: [$gesehen]"
done
pass "/proc/PID/cmdline and ps show /ftppassword: without the password"

press_key "Datei sicher übertragen." Return
wait_gone $lauf 30 || fail "the upload did not end"
status=0
wait $lauf || status=$?
[ "$status" -eq 0 ] || fail "the upload ended with status $status"
cmp -s "$gross" "$E2E_TMP/ftp/www/gross.jpg" || fail "the server does not hold the picture"
pass "the upload logged in with the hidden password"
