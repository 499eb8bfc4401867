#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-translations-l10n qtkeychain-qt6-dev libqt6sql6-sqlite
    libcurl4-openssl-dev libmicrohttpd-dev libssl-dev
    python3-pyftpdlib python3-openssl tinyproxy time nginx curl openssl systemd openssh-server
    libxcb1-dev libfontconfig-dev
    g++-mingw-w64-x86-64-posix
    xvfb xauth xdotool xclip x11-utils imagemagick
    clang libclang-rt-14-dev clang-format clang-tidy
    librsvg2-bin groff-base dpkg-dev lintian desktop-file-utils appstream libglib2.0-bin xdg-utils
    wl-clipboard sway xwayland qt6-wayland mutter dbus-daemon python3-dbus python3-gi gnome-keyring
    at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
