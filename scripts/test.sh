#!/usr/bin/env bash
# Sets up the machine, builds with warnings as errors and runs every test.
# The tests start the servers they need (FTP, proxy, image host) on 127.0.0.1 themselves.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh -DFOTOSCHICKER_WERROR=ON -DBUILD_TESTING=ON
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --timeout 600 -j 2 "$@"
