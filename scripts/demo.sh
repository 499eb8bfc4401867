#!/usr/bin/env bash
# The program's main job once, on this machine, without touching your own settings: sets up and
# builds, writes a sample picture, and lets the real program upload it in image-host mode to our
# image host bildhost (started by scripts/run.sh on 127.0.0.1:8080). Prints the link the program
# wrote and what the clipboard holds. Without a screen it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null

demo=$(mktemp -d)
xvfb_pid=
aufraeumen() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$demo"
}
trap aufraeumen EXIT

# A settings store of its own: image-host mode, HTML snippet into the clipboard.
export XDG_CONFIG_HOME=$demo/config XDG_DATA_HOME=$demo/data XDG_RUNTIME_DIR=$demo/runtime
mkdir -p "$XDG_CONFIG_HOME/MorvaFotoschicker" && mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[Optionen]\nuseIS=Wahr\nLinkOption=2\nStatusfensterZeigen=Wahr\n' \
    >"$XDG_CONFIG_HOME/MorvaFotoschicker/MorvaFotoschicker.conf"

if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$demo/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$demo/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$demo/display")"
    echo "No screen: running under Xvfb on $DISPLAY."
fi

bild="$demo/Sonnenuntergang am See.jpg"
convert -size 480x320 gradient:orange-navy -quality 90 "$bild"
echo "Picture: $bild ($(stat -c %s "$bild") bytes)"

link=$(scripts/run.sh "$bild")
echo "Link (standard output): $link"
echo "Clipboard: $(xclip -o -selection clipboard 2>/dev/null)"
[ -n "$link" ] || { echo "The upload failed." >&2; exit 1; }
gespeichert="$XDG_DATA_HOME/MorvaFotoschicker/bildhost/${link##*/}"
cmp -s "$bild" "$gespeichert" || { echo "bildhost does not hold the picture's bytes." >&2; exit 1; }
echo "bildhost stored the same bytes as $gespeichert"
