#!/usr/bin/env bash
# Builds the Debian package as Debian's build machines do, and tests it as Debian's test
# machines do: in a minimal Debian of the given release bootstrapped anew (debootstrap
# --variant=minbase), the source package's Build-Depends installed from its .dsc and nothing
# else, the build from the source package as an unprivileged user (the unit and window tests
# run at build time); then lintian on what was built, and autopkgtest (the null runner, inside
# that system) on the built packages. Reports each step's time. Run as root.
#
#     scripts/clean-build.sh RELEASE        (bookworm or trixie)
#
# The packages, the logs and autopkgtest's output are left in ~/.cache/pentora/clean-RELEASE/
# (or under $XDG_CACHE_HOME); the system itself is removed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=${1:-}
case "$release" in
    bookworm | trixie) ;;
    *) echo "usage: $0 bookworm|trixie" >&2; exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: debootstrap and chroot need root" >&2
    exit 2
fi
cache="${XDG_CACHE_HOME:-$HOME/.cache}/pentora"
out="$cache/clean-$release"
log_dir="$out/logs"
rm -rf "$out"
mkdir -p "$log_dir"
system=$(mktemp -d "$cache/debian-$release-clean.XXXXXX")
# shellcheck source=debian-system.sh
. "$root/scripts/debian-system.sh"
cleanup() {
    system_cleanup
    system_remove
}
trap cleanup EXIT

system_timed "the source package, for $release" system_logged "$log_dir/source.log" \
    "$root/scripts/package.sh" --source --release "$release" "$out/source"
dsc=$(ls "$out"/source/pentora_*.dsc)
echo "$(basename "$dsc")"

system_timed "a minimal Debian $release" system_bootstrap
system_mount
work=/home/builder
system_run / "useradd --create-home --home-dir $work builder"
cp "$dsc" "$out"/source/pentora_*.orig.tar.* "$out"/source/pentora_*.debian.tar.* "$system$work/"
chown -R --reference="$system$work" "$system$work"
inside() { system_run "$work" "$1" DEBIAN_FRONTEND=noninteractive; }
as_builder() { system_run --user builder "$work" "$1"; }

system_timed "the Build-Depends, from the .dsc alone" \
    system_logged "$log_dir/build-dep.log" \
    inside "apt-get update && apt-get build-dep -y --no-install-recommends ./$(basename "$dsc")"
system_timed "the build, as a user, from the source package" \
    system_logged "$log_dir/build.log" \
    as_builder "dpkg-source -x $(basename "$dsc") pentora && cd pentora && dpkg-buildpackage --no-sign"
grep -E '^100% tests passed' "$log_dir/build.log"
changes=$(cd "$system$work" && ls pentora_*_*.changes)
cp "$system$work"/pentora_* "$out/"

system_timed "lintian --pedantic -I" system_logged "$log_dir/lintian.log" \
    inside "apt-get install -y --no-install-recommends lintian >/dev/null &&
            lintian --pedantic -I --fail-on error,warning,info,pedantic $changes"
system_timed "autopkgtest, on the built packages" system_logged "$log_dir/autopkgtest.log" \
    inside "apt-get install -y --no-install-recommends autopkgtest >/dev/null &&
            autopkgtest --output-dir /tmp/autopkgtest $changes -- null;
            status=\$?; cp -r /tmp/autopkgtest $work/autopkgtest; exit \$status"
cp -r "$system$work/autopkgtest" "$out/"
# Its summary: a line a test, its name and PASS.
grep -E '^[a-z0-9-]+ +(PASS|FAIL|SKIP|FLAKY)' "$out/autopkgtest/summary"

printf '\n== Debian %s (%s): built from its Build-Depends alone, lintian and autopkgtest passed\n' \
    "$(cat "$system/etc/debian_version")" "$release"
printf '   %s\n' "${system_times[@]}"
echo "   packages and logs: $out"
