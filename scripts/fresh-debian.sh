#!/usr/bin/env bash
# Runs the README's two commands as a newcomer would: in a fresh minimal Debian of the given
# release (debootstrap --variant=minbase, then a copy of this work tree, then scripts/play.sh and
# scripts/test.sh inside it), and reports each command's result and time. Run as root.
#
#     scripts/fresh-debian.sh [--fresh] [--windows [--windows-qt DIR]] RELEASE [TEST_ARGUMENTS...]
#
# RELEASE is bookworm (Debian 12) or trixie (Debian 13). Arguments after it go to scripts/test.sh
# (--quick, --no-sanitizers, --second-release). With --windows (trixie only), the system then also
# runs scripts/windows.sh: the whole Windows build from an empty cache, Qt for Windows included,
# its tests, the zip and the installer; the Debian 13 that build needs is then this one, not one of
# its own. With --windows-qt, the Qt for Windows that `scripts/windows.sh --qt` builds with DIR as
# its XDG_CACHE_HOME, holding the lock DIR/.lock meanwhile, goes into the system's cache before
# the Windows build starts, once that lock is free: CI builds it beside its other steps, from
# nothing too. A Qt that is not there, or not of the same version and options, is built by the
# Windows build itself, as without the option.
#
# The bootstrapped system is kept in ~/.cache/pentora/debian-RELEASE (or under $XDG_CACHE_HOME),
# with the packages the scripts install there, so a second run starts at the build; delete that
# folder to start from nothing again. With --fresh the system is bootstrapped anew in a folder of
# its own and removed afterwards, as CI does.
#
# PENTORA_WERROR is passed in (CI sets it). The work tree's files, committed or not, are copied
# to /root/pentora inside the system at each run, so the builds always start from nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fresh=false
windows=false
windows_qt=
while [ $# -gt 0 ]; do
    case "$1" in
        --fresh) fresh=true ;;
        --windows) windows=true ;;
        --windows-qt) windows_qt=${2:?--windows-qt names a folder}; shift ;;
        *) break ;;
    esac
    shift
done
release=${1:-}
case "$release" in
    bookworm | trixie) shift ;;
    *) echo "usage: $0 [--fresh] [--windows [--windows-qt DIR]] bookworm|trixie [--quick | --no-sanitizers | --second-release]" >&2
       exit 2 ;;
esac
if $windows && [ "$release" != trixie ]; then
    echo "$0: the Windows build is made on Debian 13 (trixie)" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: debootstrap and chroot need root" >&2
    exit 2
fi
cache="${XDG_CACHE_HOME:-$HOME/.cache}/pentora"
log_dir="$cache/logs-$release"
mkdir -p "$cache" "$log_dir"
if $fresh; then
    system=$(mktemp -d "$cache/debian-$release-fresh.XXXXXX")
else
    system="$cache/debian-$release"
fi

# shellcheck source=debian-system.sh
. "$root/scripts/debian-system.sh"
step() { system_step "$@"; }
cleanup() {
    system_cleanup
    if $fresh; then
        system_remove
    fi
}
trap cleanup EXIT

system_bootstrap
system_mount

# --- The sources, as a clone has them -----------------------------------------------------------
src=/root/pentora
system_copy_sources "$root" "$src"
# The package's reproducible timestamp comes from the last commit, as in a clone.
epoch=$(git -C "$root" log -1 --format=%ct)

in_system() {
    system_run "$src" "$1" SOURCE_DATE_EPOCH="$epoch" PENTORA_WERROR="${PENTORA_WERROR:-}" \
        CI="${CI:-}"
}

results=()
run() { # run NAME COMMAND: the command inside the system, timed, its output in a log
    local name=$1 command=$2 start=$SECONDS status
    step "scripts/$name.sh"
    set +e
    in_system "$command" 2>&1 | tee "$log_dir/$name.log"
    status=${PIPESTATUS[0]}
    set -e
    results+=("$(printf 'scripts/%-8s %s in %d s' "$name.sh" \
        "$([ "$status" -eq 0 ] && echo passed || echo "FAILED ($status)")" $((SECONDS - start)))")
    return "$status"
}

version=$(cat "$system/etc/debian_version")
# play.sh installs, builds and then becomes the game (exec). The system has no display, so the
# game runs on the offscreen platform: still running five seconds after it started, it passed.
started_game='QT_QPA_PLATFORM=offscreen scripts/play.sh & play=$!
while kill -0 $play 2>/dev/null; do
    if [ "$(readlink /proc/$play/exe)" = "$PWD/build/ui/pentora" ]; then
        sleep 5
        kill $play && wait $play
        echo "the game started and ran for 5 s"
        exit 0
    fi
    sleep 0.2
done
wait $play'
status=0
run play "$started_game" || status=1
run test "scripts/test.sh $*" || status=1
if $windows; then
    if [ -n "$windows_qt" ]; then
        step "Qt for Windows, built beside the rest of the run in $windows_qt"
        start=$SECONDS
        mkdir -p "$windows_qt"
        flock --shared "$windows_qt/.lock" true
        mkdir -p "$system/root/.cache/pentora"
        find "$windows_qt" -xdev -path '*/qt-*-win64-*/.complete' -printf '%h\n' | while read -r qt; do
            cp -a "$qt" "$system/root/.cache/pentora/"
            echo "taken: $(basename "$qt")"
        done
        echo "waited for it and took it in $((SECONDS - start)) s"
    fi
    run windows "scripts/windows.sh" || status=1
fi

printf '\n== Debian %s (%s), %s\n' "$version" "$release" "$([ $status -eq 0 ] && echo passed || echo FAILED)"
printf '   %s\n' "${results[@]}"
echo "   logs: $log_dir"
exit $status
