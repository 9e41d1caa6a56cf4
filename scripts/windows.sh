#!/usr/bin/env bash
# Builds Pentora for 64-bit Windows on Debian, from Debian's own sources, and tests it under Wine.
#
#     scripts/windows.sh          the game: its tests under Wine, then build-win/Pentora-<version>-
#                                 win64.zip and build-win/Pentora-<version>-setup.exe, the installer,
#                                 which is tried in a Wine prefix of its own
#     scripts/windows.sh --core   the rules and the flow with their tests, no Qt: a minute or two
#                                 (CI runs this)
#     scripts/windows.sh --qt     Qt for Windows alone, into the cache, its compilers at the lowest
#                                 priority: for a run with other work for the processors, which
#                                 lends it their idle time (CI builds it beside its other steps)
#
# As root (or with sudo) it installs what it needs (scripts/deps.sh --windows). Debian ships no Qt
# for Windows, so the first run of the whole build makes one from Debian's qt6-base source (the
# version of the host's Qt, whose tools the cross build uses): Core, Gui, Widgets and Test, with
# the windows and offscreen platforms, about a quarter of an hour on two cores. It goes to a cache
# outside the work tree (~/.cache/pentora, or $XDG_CACHE_HOME/pentora), keyed by the Qt version,
# the options and the toolchain file, and later runs reuse it; GoogleTest, from Debian's
# googletest source, likewise. Every step keeps its output in build-win*/logs/ and shows the end
# of it when it fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
qt_only=false
case "${1:-}" in
    "") preset=windows ;;
    --core) preset=windows-core ;;
    --qt) preset=windows qt_only=true ;;
    *) echo "usage: $0 [--core | --qt]" >&2; exit 2 ;;
esac
cache="${XDG_CACHE_HOME:-$HOME/.cache}/pentora"

# --- On a release other than Debian 13, inside a Debian 13 of its own ---------------------------
# The whole build wants Debian 13's Qt 6.8 (whose Windows platform raises the game's messages to
# UI Automation) and Wine 10 (which passes them on, and has a UI Automation client). Elsewhere
# it runs inside a minimal Debian 13 kept in the cache, with this work tree bound in, so that
# the build and its results land here as on Debian 13 itself.
if [ "$preset" = windows ] && [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" != trixie ]; then
    # shellcheck source=debian-system.sh
    . "$root/scripts/debian-system.sh"
    system_in_debian13 windows "$root" "the Windows build" "scripts/windows.sh ${1:-}" \
        SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}" \
        PENTORA_WERROR="${PENTORA_WERROR:-}" CI="${CI:-}"
fi

start=$SECONDS
"$root/scripts/deps.sh" "--$preset"
echo "== what the build needs, installed in $((SECONDS - start)) s"
build="$root/build-${preset/windows/win}"
logs="$build/logs"
jobs=$(nproc)
toolchain="$root/packaging/windows/mingw-w64-x86_64.cmake"
wine_run="$root/packaging/windows/wine-run.sh"
triplet=x86_64-w64-mingw32
mkdir -p "$logs"

step() { printf '\n== %s\n' "$*"; }

# logged NAME COMMAND...: runs the command with its output in $logs/NAME.log; if it fails, says
# which command failed and shows the end of its output.
logged() {
    local log="$logs/$1.log"
    shift
    if ! "$@" >"$log" 2>&1; then
        echo "failed: $*" >&2
        echo "its output, $log, ends:" >&2
        tail -n 40 "$log" | sed 's/^/    /' >&2
        exit 1
    fi
}

# --- Qt for Windows -----------------------------------------------------------------------------
prefixes=()
if [ "$preset" = windows ]; then
    qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev) # e.g. 6.4.2+dfsg-10
    qt_upstream=${qt_version%%+*}
    qt_upstream=${qt_upstream%%-*}
    qt_options=(
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
        # Sources compiled in batches of 32 to a translation unit, beside Qt's precompiled headers
        # (on by default), so that each header is parsed once a batch, not once a file; QtGui and
        # the bundled HarfBuzz, which Qt's unity build leaves out, too (qt_unity, below).
        -DQT_UNITY_BUILD=ON -DQT_UNITY_BUILD_BATCH_SIZE=32
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
        # What the game uses: Core, Gui, Widgets, Test; JPEG and ICO; the libraries Qt bundles.
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_icu=OFF
        -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_gif=OFF
        # Not the Direct2D platform, a second build of the windows platform's sources, never
        # shipped (the fonts' Direct2D part stays: Qt 6.8 does not build without it).
        -DFEATURE_direct2d1_1=OFF
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
    qt_unity="$root/packaging/windows/qt-unity.cmake"
    qt_key=$(printf '%s\n' "$qt_version" "${qt_options[@]}" | cat - "$toolchain" "$qt_unity" |
        sha256sum | cut -c1-12)
    qt_prefix="$cache/qt-$qt_upstream-win64-$qt_key"

    if [ ! -f "$qt_prefix/.complete" ]; then
        src="$cache/src/qt6-base-$qt_version"
        if [ ! -f "$src/.unpacked" ]; then
            step "Fetching Debian's qt6-base $qt_version source"
            start=$SECONDS
            # A private apt with the system's own archives as deb-src entries: the system's
            # sources are left as they are.
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
            logged qt-source-lists apt-get "${apt_private[@]}" update
            rm -rf "$cache/src"
            mkdir -p "$cache/src"
            (cd "$cache/src" && logged qt-source apt-get "${apt_private[@]}" source "qt6-base=$qt_version")
            mv "$cache/src/qt6-base-$qt_upstream+dfsg" "$src" 2>/dev/null || mv "$cache/src"/qt6-base-*/ "$src"
            rm -f "$cache/src"/qt6-base_*
            touch "$src/.unpacked"
            echo "fetched and unpacked in $((SECONDS - start)) s"
        fi
        step "Building Qt $qt_upstream for Windows into $qt_prefix (the first run only)"
        qt_build="$cache/build-qt-$qt_key"
        rm -rf "$qt_build" "$qt_prefix"
        start=$SECONDS
        logged qt-configure cmake -S "$src" -B "$qt_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_INSTALL_PREFIX="$qt_prefix" -DCMAKE_PROJECT_QtBase_INCLUDE="$qt_unity" \
            "${qt_options[@]}"
        echo "configured in $((SECONDS - start)) s"
        build_qt=(cmake --build "$qt_build" --parallel "$jobs")
        if $qt_only; then
            build_qt=(nice -n 19 "${build_qt[@]}")
        fi
        logged qt-build "${build_qt[@]}"
        # What each file took, for whoever trims the build further.
        cp "$qt_build/.ninja_log" "$logs/qt-ninja.log"
        logged qt-install cmake --install "$qt_build" --strip
        rm -rf "$qt_build"
        echo "Qt built in $((SECONDS - start)) s"
        touch "$qt_prefix/.complete"
    fi

    # Qt's Italian translation, as Debian's qt6-translations-l10n ships it for the same Qt version:
    # the program finds it in Qt's translations folder, and the zip carries it.
    mkdir -p "$qt_prefix/translations"
    cp /usr/share/qt6/translations/qtbase_it.qm "$qt_prefix/translations/"
    prefixes+=("$qt_prefix")
fi
if $qt_only; then
    echo "== Qt for Windows is in $qt_prefix"
    exit 0
fi

# --- GoogleTest for Windows, from Debian's sources ---------------------------------------------
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest_prefix="$cache/googletest-$gtest_version-win64-$(sha256sum "$toolchain" | cut -c1-12)"
if [ ! -f "$gtest_prefix/.complete" ]; then
    step "Building GoogleTest $gtest_version for Windows"
    rm -rf "$cache/build-googletest" "$gtest_prefix"
    logged googletest-configure cmake -S /usr/src/googletest -B "$cache/build-googletest" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF
    logged googletest-build cmake --build "$cache/build-googletest" --parallel "$jobs"
    logged googletest-install cmake --install "$cache/build-googletest"
    rm -rf "$cache/build-googletest"
    touch "$gtest_prefix/.complete"
fi
prefixes+=("$gtest_prefix")

# --- A Wine prefix the tests can measure text in -----------------------------------------------
# Wine has no Windows fonts of its own: its default interface fonts are replaced by DejaVu Sans,
# which Wine finds among the system's fonts. The offscreen platform reads its fonts from a folder.
# Wine's menu builder would copy any shortcut into this machine's own menus: it stays off.
# A program that crashes has its report printed by Wine's debugger, which shows no dialog that
# nobody would close. The core's tests have a prefix of their own.
WINEPREFIX=$("$wine_run" --prefix)${preset#windows}
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
export QT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu
prefix_version=2 # made anew when what goes into it changes
if [ "$(cat "$WINEPREFIX/.pentora" 2>/dev/null)" != "$prefix_version" ]; then
    step "Making the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" logged wine-prefix wineboot --init
    for font in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Segoe UI" "Microsoft Sans Serif" "Arial"; do
        logged wine-fonts wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" \
            /d "DejaVu Sans" /f
    done
    logged wine-crash-dialog wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
        /t REG_DWORD /d 0 /f
    wineserver -w
    echo "$prefix_version" >"$WINEPREFIX/.pentora"
fi

# --- The build, its tests under Wine -----------------------------------------------------------
step "Building Pentora ($preset) in $build"
start=$SECONDS
prefix_path=$(IFS=';' && echo "${prefixes[*]}")
# A tree configured against another Qt or GoogleTest (one rebuilt with other options) would keep
# finding the old one through its cache: it is configured anew.
fresh=()
if [ -f "$build/CMakeCache.txt" ] && [ "$(cat "$build/prefixes" 2>/dev/null)" != "$prefix_path" ]; then
    fresh=(--fresh)
fi
logged configure cmake --preset "$preset" -S "$root" "${fresh[@]}" -DCMAKE_PREFIX_PATH="$prefix_path"
echo "$prefix_path" >"$build/prefixes"
logged build cmake --build --preset "$preset" --parallel "$jobs"
echo "built in $((SECONDS - start)) s"

start=$SECONDS
# One Wine server for the whole run, its background programs started first (one-server.sh).
if [ "$preset" = windows ]; then
    step "Testing under Wine (the exit runs on Wine's windows platform, on Xvfb)"
    logged tests "$root/ui/tests/on_x.sh" --screen 1280x1024 \
        "$root/packaging/windows/one-server.sh" "$logs/wine-start.log" \
        ctest --test-dir "$build" --output-on-failure --parallel "$jobs"
else
    step "Testing under Wine"
    logged tests "$root/packaging/windows/one-server.sh" "$logs/wine-start.log" \
        ctest --test-dir "$build" --output-on-failure --parallel "$jobs"
fi
grep -E '^[0-9]+% tests passed' "$logs/tests.log"
# Where the time went, for whoever makes the run shorter.
echo "the slowest tests:"
sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .* \([0-9.]*\) sec$/\2 s  \1/p' "$logs/tests.log" |
    sort -n -r | head -n 8 | sed 's/^/    /'
echo "tested in $((SECONDS - start)) s"
[ "$preset" = windows ] || exit 0

# --- The zip: the program and what it needs on a Windows machine without Qt ---------------------
version=$(sed -n 's/^project(Pentora VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="Pentora-$version-win64"
dist="$build/$name"
step "Packing $name.zip"
rm -rf "$dist" "$build/$name.zip"
mkdir -p "$dist/platforms" "$dist/styles" "$dist/imageformats" "$dist/translations"
cp "$build/ui/Pentora.exe" "$dist/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$dist/platforms/"
# The native look: windowsvista up to Qt 6.6, modernwindows (Windows 10 and 11) since Qt 6.7.
cp "$qt_prefix"/plugins/styles/*.dll "$dist/styles/"
cp "$qt_prefix/plugins/imageformats/qjpeg.dll" "$qt_prefix/plugins/imageformats/qico.dll" \
    "$dist/imageformats/"
cp "$qt_prefix/translations/qtbase_it.qm" "$dist/translations/"
# The libraries, found as Windows finds them: every DLL that the program and its plugins import,
# and those import, from Qt's and MinGW's folders (the latter as the toolchain file found them);
# the rest are Windows' own.
IFS=';' read -r -a runtime_dirs < <(sed -n 's/^PENTORA_MINGW_RUNTIME_DIRS:INTERNAL=//p' "$build/CMakeCache.txt")
search=("$qt_prefix/bin" "${runtime_dirs[@]}")
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
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
(cd "$build" && find "$name" -exec touch -d "@$epoch" {} + &&
    find "$name" -type f | LC_ALL=C sort | zip -X -q "$name.zip" -@)
ls -l "$build/$name.zip"

# --- The zip unpacked, started under Wine with nothing else on its path -------------------------
step "Starting the unpacked zip under Wine"
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
unzip -q "$build/$name.zip" -d "$check"
logged zip-started "$root/ui/tests/on_x.sh" \
    "$root/packaging/windows/started.sh" "$check/$name/Pentora.exe" "$build/started-under-wine.png"
echo "Pentora.exe started from the unpacked zip: $build/started-under-wine.png"

# --- The installer, tried as a player would use it ----------------------------------------------
setup="$build/Pentora-$version-setup.exe"
step "Building $(basename "$setup")"
logged installer "$root/packaging/windows/make-installer.sh" "$dist" "$version" "$setup"
ls -l "$setup"
step "Installing, starting, reinstalling and removing it in a fresh Wine prefix"
start=$SECONDS
logged installer-test "$root/ui/tests/on_x.sh" \
    "$root/packaging/windows/installer_test.sh" "$setup" "$dist" "$version" "$build/installer-test"
tail -n 1 "$logs/installer-test.log"
echo "installer tested in $((SECONDS - start)) s"
