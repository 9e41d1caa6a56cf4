#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: its files and fields, Debian's own
# checker (lintian), the hardening of the program (hardening-check), and that the program is
# stripped with its debug symbols in the -dbgsym package.
#
#     deb_package.sh DEB_DIR PROJECT_VERSION APP_ID
set -euo pipefail
dir=$1
app_id=$3
# The project's version, the Debian revision, and this release's own suffix: 1.0.0-1~deb12.
version=$(dpkg-parsechangelog -l "$dir"/pentora-*/debian/changelog -S Version)
[[ $version == "$2"-*~deb$(. /etc/os-release && echo "$VERSION_ID") ]] ||
    { echo "FAIL: the package's version $version is not $2's for this release" >&2; exit 1; }
deb=$(ls "$dir"/pentora_"$version"_*.deb)
dbgsym=$(ls "$dir"/pentora-dbgsym_"$version"_*.deb)
changes=$(ls "$dir"/pentora_"$version"_*.changes)
fail() { echo "FAIL: $*" >&2; exit 1; }
echo "checking $(basename "$deb") and $(basename "$dbgsym")"

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|')
for f in /usr/games/pentora \
         "/usr/share/applications/$app_id.desktop" \
         "/usr/share/metainfo/$app_id.metainfo.xml" \
         /usr/share/man/man6/pentora.6.gz \
         /usr/share/doc/pentora/copyright \
         /usr/share/doc/pentora/changelog.Debian.gz; do
    grep -qx "$f" <<<"$files" || fail "missing from the package: $f"
done
for size in 32 48 64 128 256; do
    grep -qx "/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" <<<"$files" ||
        fail "missing icon ${size}x${size}"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = pentora ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), the changelog says $version"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
depends=$(field Depends)
echo "Depends: $depends"
# Computed from the program's libraries, not written by hand.
[[ $depends == *libqt6widgets6* && $depends == *libc6* ]] ||
    fail "the shared-library dependencies were not computed"
if dpkg-deb -f "$deb" Description | awk 'length > 80 { found = 1 } END { exit !found }'; then
    fail "a line of the description is wider than 80 columns"
fi

echo "--- lintian, on the source and binary packages of $(basename "$changes")"
lintian --pedantic -I --fail-on error,warning,info,pedantic "$changes" || fail "lintian"
echo "(lintian --pedantic -I: no tag but those overridden, with their reasons, in debian/)"
# The unit and window tests ran at build time.
grep -qE '^100% tests passed, 0 tests failed out of [1-9]' "$dir/build.log" ||
    fail "the tests did not run at build time"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/pkg"
dpkg-deb -x "$dbgsym" "$work/dbg"
program="$work/pkg/usr/games/pentora"

echo "--- hardening-check"
report=$(hardening-check "$program" || true)
echo "$report"
for line in "Position Independent Executable" "Stack protected" "Read-only relocations" \
            "Immediate binding"; do
    grep -q "^ $line: yes" <<<"$report" || fail "hardening: $line"
done
# The program is built with -D_FORTIFY_SOURCE=2, but hardening-check says "yes" only when the
# compiler found a call it could check. The program's only such calls are memcpy and memmove
# inside std::string's own code, into heap memory whose size is known only at run time, which
# no compiler can check: "only unprotected functions found" is the one other verdict taken, and
# then only with the flag on the compiler's command lines.
grep -qE "^ Fortify Source functions: (yes|no, only unprotected functions found!)" <<<"$report" ||
    fail "hardening: Fortify Source functions"
grep -q -- "-D_FORTIFY_SOURCE=2" "$dir/build.log" || fail "built without _FORTIFY_SOURCE"

file "$program" | grep -q ", stripped" || fail "the packaged program is not stripped"
build_id=$(file "$program" | sed -n 's/.*BuildID\[sha1\]=\([0-9a-f]*\).*/\1/p')
debug="$work/dbg/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug"
[ -f "$debug" ] || fail "no debug symbols for build id $build_id in the -dbgsym package"

exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$work/pkg/usr/share/applications/$app_id.desktop")
[ "$exec_cmd" = /usr/games/pentora ] || fail "the desktop entry starts '$exec_cmd'"
echo "package contents, fields, lintian and hardening as expected"
