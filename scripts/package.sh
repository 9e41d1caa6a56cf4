#!/usr/bin/env bash
# Builds the Debian package as Debian builds its own: a copy of the sources with
# packaging/debian as their debian/, built by dpkg-buildpackage with Debian's flags, the program
# stripped and its debug symbols in pentora-dbgsym. SOURCE_DATE_EPOCH is the last commit's time,
# so that two builds of one commit give the same bytes. Prints the path of the .deb.
#
#     scripts/package.sh [OUT_DIR]      (default: build-deb/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build-deb}")
"$root/scripts/deps.sh" --test >&2

version=$(dpkg-parsechangelog -l "$root/packaging/debian/changelog" -S Version)
stage="$out/pentora-$version"
rm -rf "$out"
mkdir -p "$stage"

# The sources: the files of the work tree that git does not ignore; outside a checkout, the
# whole tree but its build directories.
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$root" ls-files -z --cached --others --exclude-standard | tar -C "$root" --null -T - --ignore-failed-read -cf - |
        tar -C "$stage" -xf -
    : "${SOURCE_DATE_EPOCH:=$(git -C "$root" log -1 --format=%ct)}"
    export SOURCE_DATE_EPOCH
else
    tar -C "$root" --exclude='./build*' --exclude='./.git' -cf - . | tar -C "$stage" -xf -
fi
cp -r "$stage/packaging/debian" "$stage/debian"

if ! (cd "$stage" && dpkg-buildpackage --build=binary --no-sign) >"$out/build.log" 2>&1; then
    tail -n 40 "$out/build.log" >&2
    echo "the package did not build; the whole log is $out/build.log" >&2
    exit 1
fi
ls "$out"/pentora_"$version"_*.deb
