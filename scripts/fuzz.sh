#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang into build-fuzz/ (or $BUILD_DIR) and runs each
# for FUZZ_SECONDS (60) from its seeds in tests/fuzz/<target>/, as many at once as there are cores.
# Fails on a crash, a sanitizer report or a hang; the input that caused it is kept in
# <build>/fuzz-funde/<target>/. The grown corpus is thrown away: only the seeds are kept in the repository.
# FUZZ_SEED (1) fixes the order of inputs, so a CI run can be repeated; FUZZ_SEED=0 explores anew each time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=$(realpath -m "${BUILD_DIR:-build-fuzz}")
seconds=${FUZZ_SECONDS:-60}
parallel=${FUZZ_JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOTOSCHICKER_FUZZ=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" --target fuzz -j "$(nproc)"

# In memory where there is a tmpfs: the settings target writes its store twice per input.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
mapfile -t targets < <(find tests/fuzz -maxdepth 1 -name 'fuzz_*.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)

run_target() {
    local name=$1 dir=$work/$1 dict=()
    mkdir -p "$dir/korpus" "$dir/tmp"
    cp tests/fuzz/"$name"/* "$dir/korpus/"
    [ ! -f "tests/fuzz/$name.dict" ] || dict=(-dict="$PWD/tests/fuzz/$name.dict")
    # -timeout catches a single input that hangs; the outer timeout a fuzzer that does not end at all.
    # A small quarantine keeps freed memory in use: fresh pages would halve the settings target's speed.
    (cd "$dir" && TMPDIR=$dir/tmp ASAN_OPTIONS=abort_on_error=1:quarantine_size_mb=16 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        timeout --kill-after=10 $((seconds + 60)) "$build_dir/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 \
        -seed="${FUZZ_SEED:-1}" -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/" "${dict[@]}" korpus >"$dir/log" 2>&1)
}

report() {
    local name=$1 status=$2 dir=$work/$1
    local runs speed
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/log")
    if [ "$status" -eq 0 ] && ! grep -qE 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|runtime error:' "$dir/log"; then
        echo "$name: ${runs:-?} Eingaben, ${speed:-?}/s, kein Fund"
        return 0
    fi
    echo "$name: FEHLER (Status $status)" >&2
    tail -n 60 "$dir/log" >&2
    mkdir -p "$build_dir/fuzz-funde/$name"
    find "$dir" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) \
        -exec cp {} "$build_dir/fuzz-funde/$name/" \;
    cp "$dir/log" "$build_dir/fuzz-funde/$name/log"
    echo "Eingabe und Protokoll: $build_dir/fuzz-funde/$name/" >&2
    return 1
}

declare -A pids=()
failed=0
finish_one() {
    local pid status=0 name
    wait -n -p pid "${!pids[@]}" || status=$?
    name=${pids[$pid]}
    unset "pids[$pid]"
    report "$name" "$status" || failed=1
}
for name in "${targets[@]}"; do
    [ "${#pids[@]}" -lt "$parallel" ] || finish_one
    run_target "$name" &
    pids[$!]=$name
done
while [ "${#pids[@]}" -gt 0 ]; do finish_one; done
exit "$failed"
