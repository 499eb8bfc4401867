#!/usr/bin/env bash
# Sets up the machine, builds and starts the program with the given arguments
# (no arguments: the settings window).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
exec build/src/fotoschicker "$@"
