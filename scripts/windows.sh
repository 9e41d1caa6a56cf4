#!/usr/bin/env bash
# Builds Pentora for 64-bit Windows on Debian 12, from Debian's own sources, tests it under Wine
# and packs it as build-win/Pentora-<version>-win64.zip.
#
#     scripts/windows.sh
#
# As root (or with sudo) it installs the MinGW-w64 cross compiler, Wine and what the build needs.
# Debian ships no Qt for Windows, so the first run builds one from Debian's qt6-base source (the
# version of the host's Qt, whose tools the cross build uses): Core, Gui, Widgets and Test, with
# the windows and offscreen platforms, about half an hour on two cores. It goes to a cache
# outside the work tree (~/.cache/pentora, or $XDG_CACHE_HOME/pentora), keyed by the Qt version
# and the options, and later runs reuse it; GoogleTest, from Debian's googletest source, likewise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-win"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/pentora"
jobs=$(nproc)
toolchain="$root/packaging/windows/mingw-w64-x86_64.cmake"
triplet=x86_64-w64-mingw32

step() { printf '\n== %s\n' "$*"; }

# --- What the build needs, from Debian ----------------------------------------------------------
packages=(
    cmake ninja-build perl           # the builds (Qt's header tool is a Perl script)
    g++-mingw-w64-x86-64-posix       # the cross compiler, POSIX threads
    binutils-mingw-w64-x86-64        # its linker and windres
    qt6-base-dev qt6-base-dev-tools  # the host's Qt: moc, rcc, uic and their CMake packages
    qt6-translations-l10n            # Qt's Italian translation, shipped in the zip
    googletest                       # GoogleTest's sources
    dpkg-dev                         # apt-get source unpacks with dpkg-source
    wine wine64                      # runs the Windows programs: build tools, tests, the game
    xvfb xauth                       # a display for the tests on Wine's windows platform
    fonts-dejavu-core                # a measurable sans-serif font inside Wine
    zip unzip                        # the zip, and the check that it starts
    x11-utils imagemagick            # xwininfo and import: its window, seen on the screen
)
missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != "installed" ]; then
        missing+=("$p")
    fi
done
as_root=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo "${as_root[@]}")
fi
if [ "${#missing[@]}" -ne 0 ]; then
    step "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update
    "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# --- Qt for Windows -----------------------------------------------------------------------------
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev) # e.g. 6.4.2+dfsg-10
qt_upstream=${qt_version%%+*}
qt_upstream=${qt_upstream%%-*}
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # What the game uses: Core, Gui, Widgets, Test; JPEG and ICO; the libraries Qt bundles.
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_icu=OFF
    -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_gif=OFF
    -DFEATURE_jpeg=ON -DFEATURE_ico=ON -DFEATURE_testlib=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
    # The offscreen platform is built only with FreeType.
    -DFEATURE_freetype=ON
    # Without OpenGL the windows platform must not load it dynamically either.
    -DFEATURE_dynamicgl=OFF
    # Debian's source leaves out the third-party tablet headers that tablet events need.
    -DFEATURE_tabletevent=OFF
)
qt_key=$(printf '%s\n' "$qt_version" "${qt_options[@]}" | cat - "$toolchain" | sha256sum | cut -c1-12)
qt_prefix="$cache/qt-$qt_upstream-win64-$qt_key"

if [ ! -f "$qt_prefix/.complete" ]; then
    src="$cache/src/qt6-base-$qt_version"
    if [ ! -f "$src/.unpacked" ]; then
        step "Fetching Debian's qt6-base $qt_version source"
        # A private apt with the system's own archives as deb-src entries: the system's sources
        # are left as they are.
        apt_dir="$cache/apt"
        rm -rf "$apt_dir"
        mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
        for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -f "$list" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list"
        done >"$apt_dir/sources.list.d/system.list"
        for sources in /etc/apt/sources.list.d/*.sources; do
            [ -f "$sources" ] &&
                sed 's/^Types:.*$/Types: deb-src/' "$sources" >"$apt_dir/sources.list.d/$(basename "$sources")"
        done
        apt_private=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
                     -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
                     -o "APT::Sandbox::User=$(id -un)")
        apt-get "${apt_private[@]}" update >/dev/null
        rm -rf "$cache/src"
        mkdir -p "$cache/src"
        (cd "$cache/src" && apt-get "${apt_private[@]}" source "qt6-base=$qt_version" >/dev/null 2>&1)
        mv "$cache/src/qt6-base-$qt_upstream+dfsg" "$src" 2>/dev/null || mv "$cache/src"/qt6-base-*/ "$src"
        rm -f "$cache/src"/qt6-base_*
        touch "$src/.unpacked"
    fi
    step "Building Qt $qt_upstream for Windows into $qt_prefix (the first run only)"
    qt_build="$cache/build-qt-$qt_key"
    rm -rf "$qt_build" "$qt_prefix"
    start=$(date +%s)
    cmake -S "$src" -B "$qt_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}" >"$cache/qt-configure.log" 2>&1 ||
        { tail -n 40 "$cache/qt-configure.log"; exit 1; }
    cmake --build "$qt_build" --parallel "$jobs" >"$cache/qt-build.log" 2>&1 ||
        { tail -n 40 "$cache/qt-build.log"; exit 1; }
    cmake --install "$qt_build" --strip >/dev/null
    rm -rf "$qt_build"
    echo "Qt built in $(($(date +%s) - start)) s"
    touch "$qt_prefix/.complete"
fi

# Qt's Italian translation, as Debian's qt6-translations-l10n ships it for the same Qt version:
# the program finds it in Qt's translations folder, and the zip carries it.
mkdir -p "$qt_prefix/translations"
cp /usr/share/qt6/translations/qtbase_it.qm "$qt_prefix/translations/"

# --- GoogleTest for Windows, from Debian's sources ---------------------------------------------
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest_prefix="$cache/googletest-$gtest_version-win64-$(sha256sum "$toolchain" | cut -c1-12)"
if [ ! -f "$gtest_prefix/.complete" ]; then
    step "Building GoogleTest $gtest_version for Windows"
    rm -rf "$cache/build-googletest" "$gtest_prefix"
    cmake -S /usr/src/googletest -B "$cache/build-googletest" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF >/dev/null
    cmake --build "$cache/build-googletest" --parallel "$jobs" >/dev/null
    cmake --install "$cache/build-googletest" >/dev/null
    rm -rf "$cache/build-googletest"
    touch "$gtest_prefix/.complete"
fi

# --- A Wine prefix the tests can measure text in -----------------------------------------------
# Wine has no Windows fonts of its own: its default interface fonts are replaced by DejaVu Sans,
# which Wine finds among the system's fonts. The offscreen platform reads its fonts from a folder.
export WINEPREFIX="$cache/wine"
export WINEDEBUG=-all
export QT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu
if [ ! -f "$WINEPREFIX/.pentora" ]; then
    step "Making the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init >/dev/null 2>&1
    for font in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Segoe UI" "Microsoft Sans Serif" "Arial"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d "DejaVu Sans" /f \
            >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.pentora"
fi

# --- The game, its tests under Wine ------------------------------------------------------------
step "Building Pentora for Windows in $build"
start=$(date +%s)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_PREFIX_PATH="$qt_prefix;$gtest_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DPENTORA_BUILD_BENCHMARKS=OFF \
    -DPENTORA_WERROR="${PENTORA_WERROR:-OFF}" >/dev/null
cmake --build "$build" --parallel "$jobs"
echo "built in $(($(date +%s) - start)) s"

step "Testing under Wine (the exit runs on Wine's windows platform, on Xvfb)"
start=$(date +%s)
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build" --output-on-failure --parallel "$jobs"
echo "tested in $(($(date +%s) - start)) s"

# --- The zip: the program and what it needs on a Windows machine without Qt ---------------------
version=$(sed -n 's/^project(Pentora VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="Pentora-$version-win64"
dist="$build/$name"
step "Packing $name.zip"
rm -rf "$dist" "$build/$name.zip"
mkdir -p "$dist/platforms" "$dist/styles" "$dist/imageformats" "$dist/translations"
cp "$build/ui/Pentora.exe" "$dist/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$dist/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$dist/styles/"
cp "$qt_prefix/plugins/imageformats/qjpeg.dll" "$qt_prefix/plugins/imageformats/qico.dll" \
    "$dist/imageformats/"
cp "$qt_prefix/translations/qtbase_it.qm" "$dist/translations/"
# The libraries, found as Windows finds them: every DLL that the program and its plugins import,
# and those import, from Qt's and MinGW's folders; the rest are Windows' own.
runtime=$(dirname "$("$triplet-g++-posix" -print-file-name=libstdc++-6.dll)")
search=("$qt_prefix/bin" "$runtime" "/usr/$triplet/lib")
queue=("$dist"/*.exe "$dist"/*/*.dll)
while [ "${#queue[@]}" -ne 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    for dll in $("$triplet-objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
        [ -e "$dist/$dll" ] && continue
        for dir in "${search[@]}"; do
            if [ -f "$dir/$dll" ]; then
                cp "$dir/$dll" "$dist/"
                queue+=("$dist/$dll")
                break
            fi
        done
    done
done
# Debian's MinGW runtime carries its debugging sections: a player needs none of them.
find "$dist" \( -name '*.exe' -o -name '*.dll' \) -exec "$triplet-strip" --strip-unneeded {} +
(cd "$build" && find "$name" -exec touch -d "@$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)" {} + &&
    find "$name" -type f | LC_ALL=C sort | zip -X -q "$name.zip" -@)

# --- The zip unpacked, started under Wine with nothing else on its path -------------------------
step "Starting the unpacked zip under Wine"
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
unzip -q "$build/$name.zip" -d "$check"
cat >"$check/start.sh" <<'START'
#!/bin/sh
# Starts the game, waits for its window, takes a picture of the screen, closes it.
cd "$1"
WINEPATH= QT_QPA_PLATFORM= QT_QPA_FONTDIR= wine Pentora.exe 2>/dev/null &
game=$!
for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Pentora"' && break
    sleep 0.2
done
sleep 2
xwininfo -root -tree | grep -q '"Pentora"' || { echo "no window named Pentora" >&2; exit 1; }
import -window root "$2"
kill "$game" 2>/dev/null
wineserver -k 2>/dev/null
START
xvfb-run -a -s "-screen 0 1024x768x24" sh "$check/start.sh" "$check/$name" "$build/started-under-wine.png"
ls -l "$build/$name.zip"
echo "Pentora.exe started from the unpacked zip: $build/started-under-wine.png"
