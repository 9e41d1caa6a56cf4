#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Pentora need. Only what is
# missing is installed, so a second run returns at once. Run as root (or with sudo available).
set -euo pipefail

packages=(
    cmake g++ make            # the build
    qt6-base-dev              # Qt 6 Widgets, with the JPEG, ICO and offscreen plugins
    fonts-dejavu-core         # a font for the window's texts on a bare system
    libgtest-dev              # unit tests
    libbenchmark-dev          # the rules benchmark
    xvfb xauth                # a real X display for the screenshot and benchmark scripts
    desktop-file-utils        # checks the desktop entry
    appstream                 # checks the AppStream metadata
    binutils-mingw-w64-x86-64 # compiles the Windows resources in a test
    dpkg-dev file             # the Debian package: dpkg-shlibdeps, and CPack's file type check
)

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != "installed" ]; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
