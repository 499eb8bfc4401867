# Shared by the end-to-end tests: a private home, an X server, servers on 127.0.0.1.
# Source it; it sets -euo pipefail and cleans up everything it started on exit.
set -euo pipefail

: "${FOTOSCHICKER:?FOTOSCHICKER must name the installed program}"
E2E_TMP=$(mktemp -d)
E2E_PIDS=()
export XDG_CONFIG_HOME=$E2E_TMP/config XDG_DATA_HOME=$E2E_TMP/data XDG_RUNTIME_DIR=$E2E_TMP/runtime
# No keyring: the program must never reach the user's own, and these tests
# read the password from the settings file. The keyring has tests of its own.
export DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
STORE=$XDG_CONFIG_HOME/MorvaFotoschicker/MorvaFotoschicker.conf
VERLAUF=$XDG_DATA_HOME/MorvaFotoschicker/verlauf.sqlite
unset QT_QPA_PLATFORM http_proxy https_proxy ftp_proxy all_proxy HTTP_PROXY HTTPS_PROXY ALL_PROXY

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

free_port() {
    /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

# wait_for CMD... : retries a command until it succeeds. The 30 s are only the bound of a
# failure: a loaded machine may take long to start a program, and the test must not fail for it.
wait_for() {
    local i
    for i in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# start_xvfb [WIDTHxHEIGHT] : 1024x768 unless named.
start_xvfb() {
    # Xvfb picks a free display itself, so parallel tests never share one. Without
    # -noreset it resets when its last client leaves, and a program starting then cannot connect.
    local nummer=$E2E_TMP/display
    Xvfb -displayfd 3 -noreset -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$nummer" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    wait_for test -s "$nummer" || fail "no X server could be started"
    export DISPLAY=":$(head -n 1 "$nummer")"
    wait_for xdpyinfo || fail "X server $DISPLAY does not answer"
}

# start_ftp USER PASS DIR -> sets FTP_PORT
start_ftp() {
    FTP_PORT=$(free_port)
    mkdir -p "$3"
    /usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$FTP_PORT" -w -u "$1" -P "$2" -d "$3" >"$E2E_TMP/ftp.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for bash -c "exec 3<>/dev/tcp/127.0.0.1/$FTP_PORT" || fail "FTP server did not start"
}

# start_sshd DIR [OPTION...] : Debian's sshd on 127.0.0.1 with internal-sftp, a host key of its own
# (DIR/hostkey.pub) and one account "fotograf" whose home is DIR/home and who logs in with the keys
# in DIR/authorized_keys. sshd reads accounts only from the system's files: in a mount namespace of
# its own it sees copies holding that account, and the system stays untouched. Sets SSHD_PORT; each
# OPTION ("Key value") goes into its configuration; its log is DIR/sshd.log.
start_sshd() {
    local dir=$1 option
    shift
    mkdir -p "$dir/home" "$dir/run/sshd"
    chmod 700 "$dir/run/sshd"
    cp /etc/passwd "$dir/passwd" && cp /etc/shadow "$dir/shadow"
    echo "fotograf:x:0:0:Fotograf:$dir/home:/bin/sh" >>"$dir/passwd"
    echo 'fotograf:*:20000:0:99999:7:::' >>"$dir/shadow"
    touch "$dir/authorized_keys"
    ssh-keygen -q -t ed25519 -N '' -f "$dir/hostkey"
    SSHD_PORT=$(free_port)
    printf '%s\n' "ListenAddress 127.0.0.1" "Port $SSHD_PORT" "HostKey $dir/hostkey" "PidFile none" \
        "UsePAM no" "PermitRootLogin yes" "StrictModes no" "PasswordAuthentication no" \
        "KbdInteractiveAuthentication no" "AuthorizedKeysFile $dir/authorized_keys" \
        "Subsystem sftp internal-sftp" >"$dir/sshd_config"
    for option in "$@"; do echo "$option" >>"$dir/sshd_config"; done
    unshare --mount --propagation private sh -c "mount --bind '$dir/passwd' /etc/passwd &&
        mount --bind '$dir/shadow' /etc/shadow && mount --bind '$dir/run' /run &&
        exec /usr/sbin/sshd -D -e -f '$dir/sshd_config'" >"$dir/sshd.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for grep -q 'Server listening on' "$dir/sshd.log" || fail "sshd did not start: $(cat "$dir/sshd.log")"
}

# store KEY=VALUE... : writes the settings store as the program would find it.
store() {
    mkdir -p "$(dirname "$STORE")"
    [ -f "$STORE" ] || printf '[Optionen]\n' >"$STORE"
    local kv
    for kv in "$@"; do
        /usr/bin/python3 - "$STORE" "${kv%%=*}" "${kv#*=}" <<'PY'
import sys
path, key, value = sys.argv[1:]
lines = open(path, encoding="utf-8").read().splitlines()
lines = [l for l in lines if not l.startswith(key + "=")]
lines.append(f"{key}={value}")
open(path, "w", encoding="utf-8").write("\n".join(lines) + "\n")
PY
    done
}

# store_get KEY : prints the stored value.
store_get() {
    sed -n "s/^$1=//p" "$STORE"
}

# clipboard : the text of the X11 clipboard, "" when nobody holds one.
clipboard() {
    xclip -o -selection clipboard 2>/dev/null
}

# window_named TITLE : the id of a visible window with exactly that title.
window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# press_key TITLE KEY : gives the window with that title the keyboard focus and presses KEY
# (no window manager runs under Xvfb, so the focus is set directly).
press_key() {
    local id
    id=$(window_named "$1")
    [ -n "$id" ] || return 1
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    xdotool key "$2"
}

# wait_gone PID [SECONDS] : waits until the process has ended (at most 30 s by default).
wait_gone() {
    timeout "${2:-30}" tail --pid="$1" -f /dev/null
}

# use_testhost : sets PROGRAMM to the program built for an image host on 127.0.0.1:18080
# (fotoschicker_testhost) and PORT to that port, which it holds until the test ends.
use_testhost() {
    PROGRAMM=$(dirname "$FOTOSCHICKER")/fotoschicker_testhost
    PORT=18080
    [ -x "$PROGRAMM" ] || fail "$PROGRAMM is not installed"
    # The port is built into the test program; test runs in other build folders wait their turn.
    exec 9>"${TMPDIR:-/tmp}/morva-bildhost-e2e-$PORT.lock"
    flock -w 300 9 || fail "port $PORT stayed locked for 5 minutes"
}

# start_bildhost PORT DIR : our image host on 127.0.0.1:PORT, keeping pictures in DIR;
# it logs one line per request to $BILDHOST_LOG.
start_bildhost() {
    BILDHOST_LOG=$E2E_TMP/bildhost.log
    "$(dirname "$FOTOSCHICKER")/bildhost" --address 127.0.0.1 --port "$1" --storage "$2" >"$BILDHOST_LOG" 2>&1 &
    E2E_PIDS+=($!)
    wait_for grep -q '^bildhost: http' "$BILDHOST_LOG" || fail "bildhost did not start: $(cat "$BILDHOST_LOG")"
}

# dark_pixels_at_bottom ID ROWS : how many near-black pixels the lowest ROWS rows of the window show
# (text drawn in the normal colour; a disabled button's caption is grey and does not count).
dark_pixels_at_bottom() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root "$E2E_TMP/bildschirm.png"
    convert "$E2E_TMP/bildschirm.png" -crop "${WIDTH}x$2+${X}+$((Y + HEIGHT - $2))" +repage \
        -colorspace Gray -threshold 25% -negate -format '%[fx:round(mean*w*h)]' info:
}

# painted_dark_pixels_at_bottom ID ROWS : the same, once the window has been painted: the count
# is taken again until it is above zero and the same twice in a row, however long painting takes.
painted_dark_pixels_at_bottom() {
    local i vorher=-1 jetzt
    for i in $(seq 100); do
        jetzt=$(dark_pixels_at_bottom "$@")
        [ "$jetzt" -gt 0 ] && [ "$jetzt" = "$vorher" ] && { echo "$jetzt"; return 0; }
        vorher=$jetzt
        sleep 0.2
    done
    fail "window $1 was not painted within 20 s"
}
