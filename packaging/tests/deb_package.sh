#!/usr/bin/env bash
# Builds the Debian package from a finished build tree and checks its files and metadata.
#
#     deb_package.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log"
deb=$(ls "$work"/*.deb)
echo "built $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$work/files.txt"
for f in /usr/bin/pentora \
         /usr/share/applications/org.example.pentora.desktop \
         /usr/share/metainfo/org.example.pentora.metainfo.xml \
         /usr/share/icons/hicolor/32x32/apps/org.example.pentora.png \
         /usr/share/icons/hicolor/48x48/apps/org.example.pentora.png \
         /usr/share/icons/hicolor/64x64/apps/org.example.pentora.png \
         /usr/share/icons/hicolor/128x128/apps/org.example.pentora.png \
         /usr/share/icons/hicolor/256x256/apps/org.example.pentora.png; do
    grep -qx "$f" "$work/files.txt" || { echo "missing from the package: $f" >&2; exit 1; }
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = pentora ] || { echo "Package: $(field Package)" >&2; exit 1; }
[ "$(field Version)" = 1.0.0 ] || { echo "Version: $(field Version)" >&2; exit 1; }
[ "$(field Section)" = games ] || { echo "Section: $(field Section)" >&2; exit 1; }
depends=$(field Depends)
echo "Depends: $depends"
# Computed from the executable's libraries, not written by hand.
[[ $depends == *libqt6widgets6* && $depends == *libc6* ]] ||
    { echo "the shared-library dependencies were not computed" >&2; exit 1; }
echo "package contents and metadata as expected"
