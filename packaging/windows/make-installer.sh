#!/bin/sh
# Builds Pentora's Windows installer with NSIS from the folder of the zip: every file in it is
# installed, and removed again by the uninstaller, by name; nothing else is touched.
#
#     make-installer.sh DIST VERSION SETUP.exe
set -eu
[ $# -eq 3 ] || { echo "usage: $0 DIST VERSION SETUP.exe" >&2; exit 2; }
dist=$(cd "$1" && pwd)
version=$2
setup=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Folder by folder, from the top: each file installed; then removed, deepest folders last.
(cd "$dist" && find . -type d | LC_ALL=C sort) >"$work/folders"
while read -r folder; do
    relative=${folder#.}
    target="\$INSTDIR$(printf '%s' "$relative" | tr / '\\')"
    printf 'SetOutPath "%s"\n' "$target" >>"$work/files.nsh"
    (cd "$dist/$folder" && find . -maxdepth 1 -type f | LC_ALL=C sort) | while read -r file; do
        name=${file#./}
        printf 'File "%s"\n' "$dist$relative/$name" >>"$work/files.nsh"
        printf 'Delete "%s\\%s"\n' "$target" "$name" >>"$work/unfiles.nsh"
    done
done <"$work/folders"
LC_ALL=C sort -r "$work/folders" | while read -r folder; do
    [ "$folder" = . ] && continue
    printf 'RMDir "$INSTDIR%s"\n' "$(printf '%s' "${folder#.}" | tr / '\\')" >>"$work/unfiles.nsh"
done

makensis -V2 -DVERSION="$version" -DFILES="$work/files.nsh" -DUNFILES="$work/unfiles.nsh" \
    -DICON="$here/../../ui/resources/pentora.ico" -DOUTFILE="$setup" "$here/installer.nsi"
