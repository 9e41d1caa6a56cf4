#!/usr/bin/env bash
# Builds the Debian package for other architectures the way Debian cross-builds: in a minimal
# Debian bootstrapped anew, the source package's Build-Depends for each architecture installed
# from its .dsc (apt-get build-dep --host-arch), then dpkg-buildpackage --host-arch as an
# unprivileged user, with the build machine's Qt tools and picture decoder. Each package's unit
# and window tiers then run under QEMU's user mode from its build tree. With --autopkgtest, the
# arm64 package is also tested with autopkgtest in an arm64 Debian run under emulation
# (binfmt_misc): the game starts on Xvfb, shows its window and exits. autopkgtest itself runs
# natively in the build system, the arm64 system its testbed (a chroot inside it), so that only
# the testbed's own work is emulated. Reports each step's time. Run as root.
#
#     scripts/cross-build.sh [--release bookworm|trixie] [--autopkgtest] ARCH...
#                                  (ARCH: arm64, armhf, s390x; the release: trixie)
#
# The packages and the logs are left in ~/.cache/pentora/cross-RELEASE/ (or under
# $XDG_CACHE_HOME); the systems themselves are removed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=trixie
autopkgtest=false
arches=()
while [ $# -gt 0 ]; do
    case "$1" in
        --release) release=$2; shift 2 ;;
        --autopkgtest) autopkgtest=true; shift ;;
        arm64 | armhf | s390x) arches+=("$1"); shift ;;
        *) arches=(); break ;;
    esac
done
case "$release" in bookworm | trixie) ;; *) arches=() ;; esac
if [ "${#arches[@]}" -eq 0 ]; then
    echo "usage: $0 [--release bookworm|trixie] [--autopkgtest] arm64|armhf|s390x..." >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: debootstrap and chroot need root" >&2
    exit 2
fi
# QEMU's name for each architecture.
qemu_arch() {
    case "$1" in arm64) echo aarch64 ;; armhf) echo arm ;; *) echo "$1" ;; esac
}

cache="${XDG_CACHE_HOME:-$HOME/.cache}/pentora"
out="$cache/cross-$release"
log_dir="$out/logs"
rm -rf "$out"
mkdir -p "$log_dir"
build_system=$(mktemp -d "$cache/debian-$release-cross.XXXXXX")
# The testbed lives inside the build system, where autopkgtest reaches it as /srv/arm64.
testbed=/srv/arm64
emulated_system=$build_system$testbed
system=$build_system
# shellcheck source=debian-system.sh
. "$root/scripts/debian-system.sh"
cleanup() {
    for system in "$emulated_system" "$build_system"; do
        system_cleanup
        system_remove
    done
}
trap cleanup EXIT

system_timed "the source package, for $release" system_logged "$log_dir/source.log" \
    "$root/scripts/package.sh" --source --release "$release" "$out/source"
dsc=$(basename "$(ls "$out"/source/pentora_*.dsc)")
version=${dsc#pentora_}
version=${version%.dsc}
echo "$dsc"

system_timed "a minimal Debian $release to build in" system_bootstrap
system_mount
work=/home/builder
system_run / "useradd --create-home --home-dir $work builder"
cp "$out/source/$dsc" "$out"/source/pentora_*.orig.tar.* "$out"/source/pentora_*.debian.tar.* \
    "$system$work/"
chown -R --reference="$system$work" "$system$work"
inside() { system_run "$work" "$1" DEBIAN_FRONTEND=noninteractive; }
as_builder() { system_run --user builder "$work" "$1"; }

cross_tools=()
for arch in "${arches[@]}"; do
    cross_tools+=("crossbuild-essential-$arch")
done
system_timed "the cross compilers and QEMU" system_logged "$log_dir/cross-tools.log" \
    inside "$(printf 'dpkg --add-architecture %s && ' "${arches[@]}") apt-get update &&
            apt-get install -y --no-install-recommends ${cross_tools[*]} qemu-user"

for arch in "${arches[@]}"; do
    system_timed "the Build-Depends for $arch, from the .dsc alone" \
        system_logged "$log_dir/build-dep-$arch.log" \
        inside "apt-get update &&
                apt-get build-dep -y --no-install-recommends --host-architecture $arch ./$dsc"
    system_timed "the package cross-built for $arch, as a user" \
        system_logged "$log_dir/build-$arch.log" \
        as_builder "rm -rf pentora-$arch && dpkg-source -x $dsc pentora-$arch &&
                    cd pentora-$arch && dpkg-buildpackage --host-arch $arch -B --no-sign"
    triplet=$(system_run / "dpkg-architecture -a $arch -qDEB_HOST_GNU_TYPE" 2>/dev/null)
    deb="pentora_${version}_$arch.deb"
    [ "$(system_run "$work" "dpkg-deb -f $deb Architecture")" = "$arch" ] ||
        { echo "$deb is not a package for $arch" >&2; exit 1; }
    cp "$system$work/$deb" "$out/"
    # The unit and window tiers: the rules', the flow's and the window's tests, on Qt's
    # offscreen platform, each program run by QEMU with this architecture's libraries.
    tree="pentora-$arch/obj-$triplet"
    qemu="qemu-$(qemu_arch "$arch") -L /"
    system_timed "the unit and window tiers for $arch, under $(qemu_arch "$arch") emulation" \
        system_logged "$log_dir/tests-$arch.log" \
        as_builder "set -e
            $qemu $tree/rules/tests/rules_tests --gtest_filter=-RandomGames.* --gtest_brief=1
            $qemu $tree/flow/tests/flow_tests --gtest_brief=1
            QT_QPA_PLATFORM=offscreen $qemu $tree/ui/tests/ui_tests --gtest_filter=-PaintedGame.* \
                --gtest_brief=1"
    grep -E '^\[  PASSED  \]' "$log_dir/tests-$arch.log" | sed "s/^/   $arch: /"
done

if $autopkgtest && printf '%s\n' "${arches[@]}" | grep -qx arm64; then
    # The host runs arm64 programs through QEMU: binfmt_misc, with the emulator fixed at
    # registration, so that it serves inside another root too.
    "$root/scripts/deps.sh" --emulation
    if ! mountpoint -q /proc/sys/fs/binfmt_misc; then
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    fi
    if [ ! -e /proc/sys/fs/binfmt_misc/qemu-aarch64 ]; then
        if [ -e /usr/share/binfmts/qemu-aarch64 ]; then
            update-binfmts --enable qemu-aarch64
        else
            cat /usr/lib/binfmt.d/qemu-aarch64.conf >/proc/sys/fs/binfmt_misc/register
        fi
    fi
    system=$emulated_system
    system_timed "an arm64 Debian $release, run under emulation" system_bootstrap arm64
    system_mount
    [ "$(system_run / 'uname -m')" = aarch64 ] ||
        { echo "the arm64 system does not run under emulation" >&2; exit 1; }
    # A testbed thrown away afterwards: apt without translations or the AppStream catalogue
    # (no test reads them, and each costs minutes under emulation), dpkg without a sync per
    # file. The package comes from a local archive, as from Debian's, so that autopkgtest needs
    # no archive of its own, nor to set apt back at its end.
    printf 'Acquire::Languages "none";\n' >"$system/etc/apt/apt.conf.d/90testbed"
    for target in DEP-11 DEP-11-icons-small DEP-11-icons DEP-11-icons-hidpi; do
        printf 'Acquire::IndexTargets::deb::%s::DefaultEnabled "false";\n' "$target" \
            >>"$system/etc/apt/apt.conf.d/90testbed"
    done
    echo force-unsafe-io >"$system/etc/dpkg/dpkg.cfg.d/90testbed"
    mkdir -p "$system/srv/packages"
    cp "$out/pentora_${version}_arm64.deb" "$system/srv/packages/"
    echo 'deb [trusted=yes] file:/srv/packages ./' >"$system/etc/apt/sources.list.d/pentora.list"
    system=$build_system
    system_timed "autopkgtest, and the package in the arm64 system's archive" \
        system_logged "$log_dir/testbed-arm64.log" \
        inside "apt-get install -y --no-install-recommends autopkgtest &&
                cd $testbed/srv/packages && dpkg-scanpackages --arch arm64 . >Packages &&
                chroot $testbed apt-get update"
    # The source's tests alone, as a tree of debian/tests: autopkgtest takes that as built, and
    # installs what each test depends on, the package above among it, from the archive. (The
    # whole source would need dpkg-dev in the testbed: a minute more under emulation, for tests
    # that read only installed files.)
    system_logged "$log_dir/testbed-arm64-source.log" \
        as_builder "rm -rf pentora-source pentora-tests && dpkg-source -x $dsc pentora-source &&
                    mkdir -p pentora-tests/debian &&
                    cp -r pentora-source/debian/tests pentora-tests/debian/"
    system_timed "autopkgtest on the arm64 package, under emulation" \
        system_logged "$log_dir/autopkgtest-arm64.log" \
        inside "autopkgtest --output-dir /tmp/autopkgtest ./pentora-tests/ \\
                    -- chroot $testbed;
                status=\$?; cp -r /tmp/autopkgtest $work/autopkgtest; exit \$status"
    rm -rf "$out/autopkgtest-arm64"
    cp -r "$system$work/autopkgtest" "$out/autopkgtest-arm64"
    # What was tested is the package just built, not one of the same name from elsewhere.
    for test in $(awk '{ print $1 }' "$out/autopkgtest-arm64/summary"); do
        tested="$out/autopkgtest-arm64/$test-packages"
        grep -qx "pentora	$version" "$tested" ||
            { echo "$test tested another package than pentora $version" >&2; exit 1; }
    done
    grep -E '^[a-z0-9-]+ +(PASS|FAIL|SKIP|FLAKY)' "$out/autopkgtest-arm64/summary" |
        sed 's/^/   arm64: /'
fi

printf '\n== Debian %s (%s): cross-built for %s, and tested under emulation\n' \
    "$(cat "$build_system/etc/debian_version")" "$release" "${arches[*]}"
printf '   %s\n' "${system_times[@]}"
echo "   packages and logs: $out"
