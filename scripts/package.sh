#!/usr/bin/env bash
# Builds the Debian package fotoschicker_VERSION_amd64.deb in build-paket/ (or $BUILD_DIR) with
# Debian's hardening flags, checks it with lintian (which must report no errors) and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${BUILD_DIR:-build-paket}

# Debian's flags with everything hardening offers (bindnow and PIE as well). Given as cache values,
# not through CXXFLAGS, which CMake reads only when it first configures a folder. "None" adds no
# flags of CMake's own.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DFOTOSCHICKER_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" >&2
rm -f "$build_dir"/fotoschicker_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls "$build_dir"/fotoschicker_*_amd64.deb)

# Warnings are printed for the reader; an error fails the build.
lintian --fail-on error "$deb" >&2
echo "$deb"
