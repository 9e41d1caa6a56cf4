#!/usr/bin/env bash
# Installs a finished build tree into an empty prefix and checks what lands there.
#
#     install_tree.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
prefix=$2/prefix
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(
    bin/pentora
    share/applications/org.example.pentora.desktop
    share/metainfo/org.example.pentora.metainfo.xml
)
for size in 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/org.example.pentora.png")
done
for f in "${expected[@]}"; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
[ -x "$prefix/bin/pentora" ] || { echo "bin/pentora is not executable" >&2; exit 1; }
grep -q 'release version="1.0.0"' "$prefix/share/metainfo/org.example.pentora.metainfo.xml"
echo "installed ${#expected[@]} files"
