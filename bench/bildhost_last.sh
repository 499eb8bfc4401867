#!/usr/bin/env bash
# Load on bildhost: 50 clients at once, each posting 200 kB pictures one after
# another on new connections (as the program does), each client from an address
# of its own in 127.0.0.0/8, for a fixed time; reports
# uploads per second and the median and 99th-percentile latency. Loopback only.
#   bench/bildhost_last.sh [COMMIT]
# measures $BUILD_DIR/bildhost/bildhost (default build/); with COMMIT it first
# builds that commit's bildhost in a temporary worktree and measures it too,
# for a before/after comparison.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
clients=${CLIENTS:-50}
sekunden=${SEKUNDEN:-15}
tmp=$(mktemp -d)
pids=()
aufraeumen() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    if [ -d "$tmp/vorher" ]; then git worktree remove --force "$tmp/vorher" >/dev/null 2>&1 || true; fi
    rm -rf "$tmp"
}
trap aufraeumen EXIT

convert -size 300x250 xc: +noise Random -quality 95 "$tmp/bild.jpg"
truncate -s 200000 "$tmp/bild.jpg"

# messen NAME PROGRAM : one run against a fresh bildhost.
messen() {
    local log=$tmp/$1.log port
    "$2" --address 127.0.0.1 --port 0 --storage "$tmp/ablage-$1" >"$log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do grep -q '^bildhost: http' "$log" && break; sleep 0.1; done
    port=$(sed -n 's#^bildhost: http://127\.0\.0\.1:\([0-9]*\)/.*#\1#p' "$log")
    [ -n "$port" ] || { echo "bildhost ($1) did not start: $(cat "$log")" >&2; exit 1; }
    /usr/bin/python3 - "$1" "$port" "$tmp/bild.jpg" "$clients" "$sekunden" <<'PY'
import asyncio, sys, time
name, port, bild, clients, sekunden = sys.argv[1], int(sys.argv[2]), sys.argv[3], int(sys.argv[4]), float(sys.argv[5])
inhalt = open(bild, "rb").read()
koerper = (b"--AaB03x\r\nContent-Disposition: form-data; name=\"fileupload\"; filename=\"b.jpg\"\r\n"
           b"Content-Type: image/jpeg\r\n\r\n" + inhalt + b"\r\n--AaB03x--")
anfrage = (b"POST / HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Type: multipart/form-data, boundary=AaB03x\r\n"
           b"Content-Length: " + str(len(koerper)).encode() + b"\r\n\r\n" + koerper)
zeiten, fehler = [], 0

async def kunde(nummer, ende):
    global fehler
    while time.monotonic() < ende:
        beginn = time.monotonic()
        try:
            # Each client from an address of its own, as on the internet.
            leser, schreiber = await asyncio.open_connection(
                "127.0.0.1", port, local_addr=(f"127.0.{1 + nummer // 250}.{1 + nummer % 250}", 0))
            schreiber.write(anfrage)
            await schreiber.drain()
            antwort = await asyncio.wait_for(leser.read(), 30)
            schreiber.close()
            ok = antwort.startswith(b"HTTP/1.") and b" 200 " in antwort[:16] and b"[img]" in antwort
        except (OSError, asyncio.TimeoutError):
            ok = False
        if ok:
            zeiten.append(time.monotonic() - beginn)
        else:
            fehler += 1

async def alle():
    ende = time.monotonic() + sekunden
    beginn = time.monotonic()
    await asyncio.gather(*(kunde(i, ende) for i in range(clients)))
    return time.monotonic() - beginn

dauer = asyncio.run(alle())
zeiten.sort()
p = lambda q: zeiten[min(len(zeiten) - 1, int(q * len(zeiten)))] * 1000 if zeiten else float("nan")
print(f"{name}: {len(zeiten)} uploads in {dauer:.1f} s = {len(zeiten) / dauer:.0f} uploads/s, "
      f"p50 {p(0.50):.0f} ms, p99 {p(0.99):.0f} ms, {fehler} failed ({clients} clients, 200 kB each)")
PY
    echo "$1: peak RSS of bildhost $(sed -n 's/^VmHWM: *//p' "/proc/${pids[-1]}/status")"
    kill "${pids[-1]}"
    wait "${pids[-1]}" 2>/dev/null || true
}

if [ $# -ge 1 ]; then
    git worktree add --detach "$tmp/vorher" "$1" >/dev/null 2>&1
    cmake -S "$tmp/vorher" -B "$tmp/vorher/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$tmp/vorher/build" --target bildhost -j "$(nproc)" >/dev/null
    messen "vorher-$(git rev-parse --short "$1")" "$tmp/vorher/build/bildhost/bildhost"
fi
messen "jetzt-$(git rev-parse --short HEAD)" "$build_dir/bildhost/bildhost"
