#!/usr/bin/env bash
# Checks formatting (clang-format) over src/, bildhost/ and tests/, and a narrow set of clang-tidy
# checks over the product's code. Needs a configured build/ (scripts/build.sh) for the compile commands.
# Exits non-zero when a file is not in the project's format.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'bildhost/*.cpp' 'bildhost/*.h' 'tests/*.cpp' 'tests/*.h')
clang-format --dry-run --Werror "${files[@]}"
mapfile -t product < <(printf '%s\n' "${files[@]}" | grep -E '^(src|bildhost)/.*\.cpp$' | grep -v '_win\.cpp$')
clang-tidy -p "$build_dir" --quiet "${product[@]}"
