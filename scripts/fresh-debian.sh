#!/usr/bin/env bash
# Runs the README's two commands as a newcomer would: in a fresh minimal Debian of the given
# release (debootstrap --variant=minbase, then a copy of this work tree, then scripts/play.sh and
# scripts/test.sh inside it), and reports each command's result and time. Run as root.
#
#     scripts/fresh-debian.sh [--fresh] RELEASE [TEST_ARGUMENTS...]
#
# RELEASE is bookworm (Debian 12) or trixie (Debian 13). Arguments after it go to scripts/test.sh
# (--quick). The bootstrapped system is kept in ~/.cache/pentora/debian-RELEASE (or under
# $XDG_CACHE_HOME), with the packages the scripts install there, so a second run starts at the
# build; delete that folder to start from nothing again. With --fresh the system is bootstrapped
# anew in a folder of its own and removed afterwards, as CI does.
#
# PENTORA_WERROR is passed in (CI sets it). The work tree's files, committed or not, are copied
# to /root/pentora inside the system at each run, so the builds always start from nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fresh=false
if [ "${1:-}" = --fresh ]; then
    fresh=true
    shift
fi
release=${1:-}
case "$release" in
    bookworm | trixie) shift ;;
    *) echo "usage: $0 [--fresh] bookworm|trixie [--quick]" >&2; exit 2 ;;
esac
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

step() { printf '\n== [%s] %s\n' "$release" "$*"; }
# Runs a command with its output in a log; on failure, shows the log's tail and says where it is.
logged() {
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "failed: $*; the whole log is $log" >&2
        return 1
    fi
}

# Everything mounted inside the system, deepest first. Unmounted before anything there is
# deleted, and the deletion stays on the system's own file system, so that the host's /dev or
# /tmp can never go with it.
unmount_all() {
    local target
    awk -v root="$system/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r |
        while read -r target; do
            umount "$target" 2>/dev/null || umount -l "$target"
        done
}
remove_system() {
    unmount_all
    if awk -v root="$system/" 'index($2, root) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
        echo "$0: something is still mounted in $system; it is left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$system"
}
cleanup() {
    # Programs a failed test left running inside hold its mounts.
    local pid
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$system" ]; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    if $fresh; then
        remove_system
    else
        unmount_all
    fi
}
trap cleanup EXIT

# --- The system ---------------------------------------------------------------------------------
if [ ! -f "$system/.complete" ]; then
    if ! command -v debootstrap >/dev/null; then
        step "Installing debootstrap"
        logged "$log_dir/host-apt.log" apt-get update
        logged "$log_dir/host-apt.log" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y --no-install-recommends debootstrap
    fi
    step "Bootstrapping a minimal Debian $release in $system"
    remove_system
    start=$SECONDS
    logged "$log_dir/debootstrap.log" debootstrap --variant=minbase "$release" "$system"
    touch "$system/.complete"
    echo "bootstrapped in $((SECONDS - start)) s"
fi

mount_into() { # mount_into TARGET MOUNT_ARGUMENTS...
    local target="$system$1"
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    # Nothing mounted or unmounted in here reaches the host's own /dev.
    mount --make-rslave "$target"
}
unmount_all # what a run that was killed left behind
mount_into /proc -t proc proc
mount_into /sys -t sysfs sysfs
mount_into /dev --bind /dev
mount_into /dev/pts --bind /dev/pts
mount_into /dev/shm -t tmpfs tmpfs
mount_into /tmp -t tmpfs tmpfs
cp /etc/resolv.conf "$system/etc/resolv.conf"

# --- The sources, as a clone has them -----------------------------------------------------------
src=/root/pentora
rm -rf --one-file-system "$system$src"
mkdir -p "$system$src"
git -C "$root" ls-files -z --cached --others --exclude-standard |
    tar -C "$root" --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -C "$system$src" -xf -
# The package's reproducible timestamp comes from the last commit, as in a clone.
epoch=$(git -C "$root" log -1 --format=%ct)

in_system() {
    chroot "$system" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        SOURCE_DATE_EPOCH="$epoch" PENTORA_WERROR="${PENTORA_WERROR:-}" \
        /bin/bash -c "cd $src || exit 1
$1"
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
# A run stopped in the middle of an install leaves dpkg to finish it.
logged "$log_dir/dpkg.log" chroot "$system" dpkg --configure -a

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

printf '\n== Debian %s (%s), %s\n' "$version" "$release" "$([ $status -eq 0 ] && echo passed || echo FAILED)"
printf '   %s\n' "${results[@]}"
echo "   logs: $log_dir"
exit $status
