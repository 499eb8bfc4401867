#!/usr/bin/env bash
# Uploads the same file of random bytes (100 MiB unless named) over SFTP to a
# local sshd, in turns, with the installed program and with OpenSSH's sftp
# client, both logging in with the same ed25519 key, and reports each run's
# time and the ciphers the server saw.
#   FOTOSCHICKER=build/installed/bin/fotoschicker bench/sftp_vergleich.sh [SIZE_MIB] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
export FOTOSCHICKER=${FOTOSCHICKER:-$PWD/build/installed/bin/fotoschicker}
E2E_DIR=$PWD/tests/e2e
. tests/e2e/lib.sh
mib=${1:-100}
runs=${2:-3}
start_xvfb

export HOME=$E2E_TMP/heim
mkdir -p "$HOME/.ssh"
ssh-keygen -q -t ed25519 -N '' -C bench -f "$HOME/.ssh/id_ed25519"
unset SSH_AUTH_SOCK
ssh_dir=$E2E_TMP/sshd
start_sshd "$ssh_dir" "LogLevel DEBUG1"
cp "$HOME/.ssh/id_ed25519.pub" "$ssh_dir/authorized_keys"
echo "[127.0.0.1]:$SSHD_PORT $(cut -d' ' -f1,2 "$ssh_dir/hostkey.pub")" >"$HOME/.ssh/known_hosts"
store FTPServer="sftp://127.0.0.1:$SSHD_PORT" FTPLogin=fotograf FTPPassword= FTPPath= \
    FTPUseProxy=Falsch StatusfensterZeigen=Wahr useIS=Falsch LinkOption=0 URL=http://127.0.0.1/

datei=$E2E_TMP/gross.jpg
head -c "${mib}M" /dev/urandom >"$datei"

programm() {
    "$FOTOSCHICKER" "$datei" >/dev/null &
    local lauf=$! beginn status=0
    # The title ends in "?", which the window search reads as a pattern.
    wait_for window_named "Datei sicher übertragen." || fail "no size question"
    beginn=$(date +%s.%N)
    press_key "Datei sicher übertragen." Return
    wait $lauf || status=$?
    [ "$status" -eq 0 ] || fail "upload ended with status $status"
    cmp -s "$datei" "$ssh_dir/home/gross.jpg" || fail "the server does not hold the same bytes"
    echo "$beginn $(date +%s.%N)"
}

openssh() {
    local beginn
    beginn=$(date +%s.%N)
    # ssh finds its files by the account, not by HOME: everything is named.
    echo "put $datei gross.jpg" | sftp -q -F /dev/null -b - -P "$SSHD_PORT" -o IdentitiesOnly=yes \
        -i "$HOME/.ssh/id_ed25519" -o UserKnownHostsFile="$HOME/.ssh/known_hosts" fotograf@127.0.0.1 >/dev/null
    cmp -s "$datei" "$ssh_dir/home/gross.jpg" || fail "the server does not hold the same bytes"
    echo "$beginn $(date +%s.%N)"
}

for run in $(seq "$runs"); do
    for wer in programm openssh; do
        rm -f "$ssh_dir/home/gross.jpg"
        read -r t0 t1 < <($wer)
        awk -v wer="$wer" -v mib="$mib" -v t0="$t0" -v t1="$t1" 'BEGIN {
            printf "%-8s %d MiB in %.2f s = %.0f MiB/s\n", wer, mib, t1 - t0, mib / (t1 - t0) }'
    done
done
echo "ciphers the server saw:"
grep -o 'kex: client->server cipher: [^ ]* MAC: [^ ]*' "$ssh_dir/sshd.log" | sort | uniq -c
