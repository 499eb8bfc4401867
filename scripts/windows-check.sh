#!/usr/bin/env bash
# Compiles the Windows sources without Windows: every src/platform/*_win.cpp and every file of src/
# that is not for Unix only, with Debian's MinGW compiler in -fsyntax-only mode against Debian's Qt
# headers and MinGW's Windows headers. Nothing is linked (Debian has no Qt for Windows), but a
# Windows file that no longer compiles fails here instead of on the first Windows build.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
multiarch=/usr/include/x86_64-linux-gnu
command -v "$compiler" >/dev/null || { echo "$compiler is missing: run scripts/install-deps.sh" >&2; exit 1; }

# Only the libraries' own folders: the whole multiarch folder, or /usr/include, would put glibc's
# headers before MinGW's.
headers=$(mktemp -d)
trap 'rm -rf "$headers"' EXIT
ln -s "$multiarch/curl" "$headers/curl"
ln -s /usr/include/qt6keychain "$headers/qt6keychain"
includes=(-Isrc -isystem "$headers")
for module in QtCore QtGui QtWidgets QtSql QtDBus; do
    ln -s "$multiarch/qt6/$module" "$headers/$module"
    includes+=(-isystem "$headers/$module")
done

flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Wshadow -Werror
    -DQT_NO_CAST_FROM_ASCII -DQT_USE_QSTRINGBUILDER -DQT_NO_KEYWORDS -DUNICODE -D_UNICODE
    -DFOTOSCHICKER_VERSION_MAJOR=1 -DFOTOSCHICKER_VERSION_MINOR=1 '-DFOTOSCHICKER_VERSION="1.1.1"'
    '-DFOTOSCHICKER_IMAGE_HOST="127.0.0.1:8080"' "${includes[@]}")

mapfile -t files < <(git ls-files 'src/*.cpp' | grep -v '_unix\.cpp$')
# One compiler per core; xargs exits non-zero when any of them failed.
if printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 1 "$compiler" "${flags[@]}"; then
    echo "windows-check: ${#files[@]} files compile for Windows"
else
    echo "windows-check: a file above does not compile for Windows" >&2
    exit 1
fi
