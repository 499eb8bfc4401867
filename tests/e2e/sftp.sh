#!/usr/bin/env bash
# SFTP with the installed program against Debian's sshd on loopback: a server
# not known yet gets the question, "Ja" (the default button) stores its key
# in the program's own known_hosts, and the upload logs in with the user's
# ed25519 key, arrives intact and leaves its link in the clipboard.
. "$(dirname "$0")/lib.sh"
start_xvfb

export HOME=$E2E_TMP/heim
mkdir -p "$HOME/.ssh"
ssh-keygen -q -t ed25519 -N '' -C test -f "$HOME/.ssh/id_ed25519"
unset SSH_AUTH_SOCK
ssh_dir=$E2E_TMP/sshd
start_sshd "$ssh_dir"
cp "$HOME/.ssh/id_ed25519.pub" "$ssh_dir/authorized_keys"
mkdir -p "$ssh_dir/home/bilder"
port=$SSHD_PORT

URL=https://bilder.example/anna/
store FTPServer="sftp://127.0.0.1:$port" FTPLogin=fotograf FTPPassword= FTPPath=bilder/ \
    FTPUseProxy=Falsch StatusfensterZeigen=Wahr useIS=Falsch LinkOption=1 URL=$URL
bild="$E2E_TMP/mond.jpg"
head -c 200000 /dev/urandom >"$bild"

out=$E2E_TMP/out
"$FOTOSCHICKER" "$bild" >"$out" 2>/dev/null &
lauf=$!
wait_for window_named "Unbekannter Server" || fail "no question for the unknown server"
[ ! -e "$ssh_dir/home/bilder/mond.jpg" ] || fail "the file went out before the answer"
wait_for press_key "Unbekannter Server" Return || fail "the question did not take the key"
wait_gone $lauf || fail "the program did not end after the upload"
status=0
wait $lauf || status=$?
[ "$status" -eq 0 ] || fail "sftp:// upload ended with status $status"
cmp -s "$bild" "$ssh_dir/home/bilder/mond.jpg" || fail "the server does not hold the same bytes"
[ "$(cat "$out")" = "${URL}mond.jpg" ] || fail "standard output: [$(cat "$out")]"
[ "$(xclip -o -selection clipboard 2>/dev/null)" = "${URL}mond.jpg" ] ||
    fail "clipboard: [$(xclip -o -selection clipboard 2>/dev/null)]"
known=$XDG_CONFIG_HOME/MorvaFotoschicker/known_hosts
[ "$(cat "$known")" = "[127.0.0.1]:$port $(cut -d' ' -f1,2 "$ssh_dir/hostkey.pub")" ] ||
    fail "known_hosts: [$(cat "$known")]"
[ "$(stat -c %a "$known")" = 600 ] || fail "known_hosts has mode $(stat -c %a "$known")"
pass "sftp:// upload after 'Ja' to the unknown server: same bytes, link in the clipboard, key stored 0600"
