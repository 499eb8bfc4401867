#!/usr/bin/env bash
# Sets up the machine, builds, starts our image host bildhost on 127.0.0.1:8080
# (the image host this build posts to) and starts the program with the given
# arguments (no arguments: the settings window). bildhost stops when the
# program has ended; the pictures stay in its folder for the next start.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
build_dir=${BUILD_DIR:-build}

daten=${XDG_DATA_HOME:-$HOME/.local/share}/MorvaFotoschicker
ablage=$daten/bildhost
protokoll=$daten/bildhost.log
mkdir -p "$ablage"
bildhost_pid=
if (exec 3<>/dev/tcp/127.0.0.1/8080) 2>/dev/null; then
    echo "run.sh: 127.0.0.1:8080 is already served; using that image host." >&2
else
    "$build_dir/bildhost/bildhost" --address 127.0.0.1 --port 8080 --storage "$ablage" >"$protokoll" 2>&1 &
    bildhost_pid=$!
    trap 'kill "$bildhost_pid" 2>/dev/null; wait "$bildhost_pid" 2>/dev/null || true' EXIT
    for _ in $(seq 50); do
        grep -q '^bildhost: http' "$protokoll" && break
        kill -0 "$bildhost_pid" 2>/dev/null || { cat "$protokoll" >&2; break; }
        sleep 0.1
    done
fi

status=0
"$build_dir/src/fotoschicker" "$@" || status=$?
exit "$status"
