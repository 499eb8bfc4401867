#!/usr/bin/env bash
# Sets up the machine, builds with warnings as errors and runs every test; then builds once more
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test again.
# The tests start the servers they need (FTP, proxy, image host) on 127.0.0.1 themselves.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
scripts/build.sh -DFOTOSCHICKER_WERROR=ON -DBUILD_TESTING=ON
ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j 2 "$@"

BUILD_DIR=$build_dir-sanitize scripts/build.sh -DFOTOSCHICKER_WERROR=ON -DBUILD_TESTING=ON \
    -DFOTOSCHICKER_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
# Qt and fontconfig keep caches until exit that LeakSanitizer would report; memory errors still stop the run.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$build_dir-sanitize" --output-on-failure --timeout 600 -j 2 "$@"
