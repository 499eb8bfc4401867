#!/usr/bin/env bash
# Checks formatting (clang-format) and a narrow set of clang-tidy checks over src/ and bildhost/.
# Needs a configured build/ (scripts/build.sh) for the compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files 'src/*.cpp' 'src/*.h' 'bildhost/*.cpp' 'bildhost/*.h')
clang-format --dry-run --Werror $files
clang-tidy -p build --quiet $(echo "$files" | grep '\.cpp$' | grep -v '_win\.cpp$')
