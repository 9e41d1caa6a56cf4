#!/usr/bin/env bash
# Builds the Debian source package and, from it, the binary packages, as Debian builds its own:
# the upstream tarball made from the work tree's files, packaging/debian as its debian/, and
# dpkg-buildpackage with Debian's flags, the unit and window tests run at build time, the
# program stripped and its debug symbols in pentora-dbgsym. SOURCE_DATE_EPOCH is the last
# commit's time, so that two builds of one commit give the same bytes. Prints the path of the
# .deb (with --source, of the .dsc).
#
#     scripts/package.sh [--source] [--release CODENAME] [OUT_DIR]      (default: build-deb/)
#
# Each Debian release gets a package of its own, since each is built against its own Qt: the
# version in packaging/debian/changelog with ~deb12 (bookworm) or ~deb13 (trixie) after it, in a
# changelog entry for that release, with the newest policy that release knows as its
# Standards-Version. The release is this system's unless --release names one.
# --source builds the source package alone (for a build elsewhere: scripts/clean-build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source_only=false
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
while [ $# -gt 0 ]; do
    case "$1" in
        --source) source_only=true; shift ;;
        --release) release=$2; shift 2 ;;
        -*) echo "usage: $0 [--source] [--release CODENAME] [OUT_DIR]" >&2; exit 2 ;;
        *) break ;;
    esac
done
# Each release's number, and the newest Debian policy its tools know (the control file names the
# newest of all).
case "$release" in
    bookworm) number=12 policy=4.6.2 ;;
    trixie) number=13 policy=4.7.2 ;;
    *) echo "$0: no package version for the release '$release' (bookworm, trixie)" >&2; exit 2 ;;
esac
out=$(realpath -m "${1:-$root/build-deb}")
"$root/scripts/deps.sh" --test >&2

changelog="$root/packaging/debian/changelog"
base=$(dpkg-parsechangelog -l "$changelog" -S Version) # e.g. 1.0.0-1
upstream=${base%-*}
version="$base~deb$number"
rm -rf "$out"
mkdir -p "$out"

# The upstream tarball: the files of the work tree that git does not ignore, committed or not
# (outside a checkout, the whole tree but its build directories), in name order, with the last
# commit's time and no owner, compressed without a timestamp: the same bytes for the same files.
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    : "${SOURCE_DATE_EPOCH:=$(git -C "$root" log -1 --format=%ct)}"
    list=(git -C "$root" ls-files -z --cached --others --exclude-standard)
else
    : "${SOURCE_DATE_EPOCH:=$(date +%s)}"
    list=(sh -c "cd '$root' && find . -path './build*' -prune -o -path ./.git -prune -o -type f -printf '%P\0'")
fi
export SOURCE_DATE_EPOCH
"${list[@]}" | while IFS= read -r -d '' file; do
    [ -e "$root/$file" ] && printf '%s\0' "$file" # a file deleted but not yet committed is gone
done | LC_ALL=C sort -z |
    tar -C "$root" --no-recursion --transform "s,^,pentora-$upstream/," \
        --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
        --mode='u+rw,go=rX' --format=gnu --null -T - -cf - |
    gzip -n -9 >"$out/pentora_$upstream.orig.tar.gz"

stage="$out/pentora-$upstream"
tar -C "$out" -xzf "$out/pentora_$upstream.orig.tar.gz"
cp -r "$stage/packaging/debian" "$stage/debian"
sed -i "s/^Standards-Version: .*/Standards-Version: $policy/" "$stage/debian/control"
# The release's own entry, on top of the project's changelog.
maintainer=$(dpkg-parsechangelog -l "$changelog" -S Maintainer)
{
    printf 'pentora (%s) %s; urgency=medium\n\n' "$version" "$release"
    printf '  * Built for Debian %s (%s).\n\n' "$number" "$release"
    printf ' -- %s  %s\n\n' "$maintainer" "$(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")"
    cat "$changelog"
} >"$stage/debian/changelog"

if $source_only; then
    build=(dpkg-buildpackage --build=source --no-sign --no-pre-clean --no-check-builddeps)
else
    build=(dpkg-buildpackage --build=full --no-sign)
fi
if ! (cd "$stage" && "${build[@]}") >"$out/build.log" 2>&1; then
    tail -n 40 "$out/build.log" >&2
    echo "the package did not build; the whole log is $out/build.log" >&2
    exit 1
fi
if $source_only; then
    ls "$out/pentora_$version.dsc"
else
    ls "$out"/pentora_"$version"_*.deb
fi
