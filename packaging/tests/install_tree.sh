#!/usr/bin/env bash
# Installs a finished build tree into an empty prefix and checks what lands there.
#
#     install_tree.sh BUILD_DIR WORK_DIR VERSION APP_ID
set -euo pipefail
build=$1
prefix=$2/prefix
version=$3
app_id=$4
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(
    bin/pentora
    "share/applications/$app_id.desktop"
    "share/metainfo/$app_id.metainfo.xml"
    share/man/man6/pentora.6
)
for size in 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${expected[@]}"; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
[ -x "$prefix/bin/pentora" ] || { echo "bin/pentora is not executable" >&2; exit 1; }
grep -q "release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml"
entry="$prefix/share/applications/$app_id.desktop"
grep -qx "Exec=$prefix/bin/pentora" "$entry" || { echo "the desktop entry does not start $prefix/bin/pentora" >&2; exit 1; }
desktop-file-validate "$entry"
grep -q "\"Pentora $version\"" "$prefix/share/man/man6/pentora.6"
echo "installed ${#expected[@]} files"
