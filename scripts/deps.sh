#!/usr/bin/env bash
# Installs the Debian packages that Pentora needs. Only what is missing is installed, so a second
# run returns at once. Run as root (or with sudo available).
#
#     scripts/deps.sh          what building and playing the game needs
#     scripts/deps.sh --test   that, and what the tests, the benchmarks and the package need
#     scripts/deps.sh --windows  what the Windows build needs (scripts/windows.sh): the MinGW-w64
#                              cross compiler, Wine, NSIS; --windows-core only what the tests of
#                              the rules and the flow need, built for Windows and run under Wine
#     scripts/deps.sh --web    what building the web page needs (scripts/web.sh, Debian 13)
#     scripts/deps.sh --emulation  what running another architecture's Debian under QEMU needs
set -euo pipefail

game_packages=(
    cmake g++ make            # the build
    qt6-base-dev              # Qt 6 Widgets and Qt Test, with the JPEG, ICO and platform plugins
    fonts-dejavu-core         # a font for the window's texts on a bare system
    qt6-translations-l10n     # Qt's own words (a text box's menu) in Italian
)
test_packages=(
    libgtest-dev              # unit tests
    libbenchmark-dev          # the rules benchmark
    xvfb xauth                # a real X display for the window tests on X, screenshots, benchmarks
    openbox x11-utils         # a window manager on that display, and xprop to ask it
    metacity                  # a second one, which honours every hint a window gives its frame
    dbus at-spi2-core python3-pyatspi # a screen reader's view of the window (AT-SPI)
    orca speech-dispatcher xdotool # a screen reader itself, its speech, and keys typed on X
    desktop-file-utils        # checks the desktop entry
    appstream                 # checks the AppStream metadata
    binutils-mingw-w64-x86-64 # compiles the Windows resources in a test
    dpkg-dev debhelper        # builds the Debian package (dpkg-buildpackage, dh)
    build-essential           # what dpkg-buildpackage requires of every package build
    lintian                   # Debian's own checker, run on the package
    devscripts                # hardening-check, run on the packaged program
    file                      # tells a stripped program in a test
    clang-tidy                # the static analyser (run-clang-tidy)
    clang-format              # checks the layout of the code
    qemu-user                 # the unit and window tiers on other x86-64 processors
)
windows_core_packages=(
    cmake ninja-build         # the cross builds
    g++-mingw-w64-x86-64-posix # the cross compiler, POSIX threads (which Qt 6 needs)
    binutils-mingw-w64-x86-64 # its linker, objdump and windres
    googletest                # GoogleTest's sources, built for Windows
    wine wine64               # runs the Windows programs: build tools, tests, the game
)
windows_packages=(
    "${windows_core_packages[@]}"
    perl                      # Qt's header tool is a Perl script
    qt6-base-dev qt6-base-dev-tools # the host's Qt: moc, rcc, uic and their CMake packages
    qt6-translations-l10n     # Qt's Italian translation, shipped with the game
    dpkg-dev                  # apt-get source unpacks Qt's source with dpkg-source
    xvfb xauth                # a display for the tests on Wine's windows platform
    fonts-dejavu-core         # a measurable sans-serif font inside Wine
    nsis                      # makensis builds the installer
    zip unzip                 # the zip, and the check that it starts
    x11-utils imagemagick     # xwininfo and import: its window, seen on the screen
    openbox xdotool python3   # a blind player's game through UI Automation: a window manager
                              # to give the game the focus, keys typed on X, and its driver
)

web_packages=(
    emscripten                # C++ to WebAssembly (Debian 13's: it suspends the game's waits)
    cmake make                # the build
    python3                   # serves the page
)
# The page's tests: Debian's two browsers, driven from Node.js (npm brings the driver, pinned).
web_test_packages=(
    chromium firefox-esr      # the browsers
    nodejs                    # the tests' runner
)

emulation_packages=(
    qemu-user-static binfmt-support # the host runs another architecture's Debian (binfmt_misc)
    debootstrap               # bootstraps it
)

packages=()
case "${1:-}" in
    "") packages=("${game_packages[@]}") ;;
    --test) packages=("${game_packages[@]}" "${test_packages[@]}" "${web_test_packages[@]}") ;;
    --web) packages=("${web_packages[@]}") ;;
    --windows) packages=("${windows_packages[@]}") ;;
    --windows-core) packages=("${windows_core_packages[@]}") ;;
    --emulation) packages=("${emulation_packages[@]}") ;;
    *) echo "usage: $0 [--test | --web | --windows | --windows-core | --emulation]" >&2; exit 2 ;;
esac
# npm comes with Node.js where Node.js does not come from Debian.
if [ "${1:-}" = --test ] && ! command -v npm >/dev/null; then
    packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != "installed" ]; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

# sudo resets the environment, so the variable goes on the command line it runs.
as_root=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo "${as_root[@]}")
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
