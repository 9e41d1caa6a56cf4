# A minimal Debian system in a folder, bootstrapped with debootstrap --variant=minbase, and the
# commands run inside it. Sourced by the scripts that need one (fresh-debian.sh, windows.sh,
# clean-build.sh); they run as root. The sourcing script sets, before it calls anything here:
#
#     system    the system's folder
#     release   its Debian release (bookworm, trixie)
#     log_dir   where the bootstrap's log goes
#
# and calls system_mount once the system is there, and system_cleanup (or system_remove) at its
# end: whatever it mounted is unmounted then, and no program started inside outlives it.

system_step() { printf '\n== [%s] %s\n' "$release" "$*"; }

# system_timed WHAT COMMAND...: a step of the run, its time kept in system_times for the report.
system_times=()
system_timed() {
    local what=$1 start=$SECONDS
    shift
    system_step "$what"
    "$@"
    system_times+=("$(printf '%-58s %4d s' "$what" $((SECONDS - start)))")
}

# system_logged LOG COMMAND...: the command's output in a log; on failure, the log's tail and
# where it is.
system_logged() {
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
# /tmp (or a work tree bound in) can never go with it.
system_unmount_all() {
    local target
    awk -v root="$system/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r |
        while read -r target; do
            umount "$target" 2>/dev/null || umount -l "$target"
        done
}

system_remove() {
    system_unmount_all
    if awk -v root="$system/" 'index($2, root) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
        echo "$0: something is still mounted in $system; it is left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$system"
}

# Ends the programs running inside (a failed test leaves some, and they hold its mounts), then
# unmounts.
system_cleanup() {
    local pid
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$system" ]; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    system_unmount_all
}

# The system, bootstrapped unless a complete one is there already; for another architecture
# than the host's with an argument (arm64, say), whose programs the host's binfmt_misc runs.
# With PENTORA_BOOTSTRAPS naming a folder, each bootstrap is kept there as a tarball, and a later
# system of the same release and architecture is unpacked from it: a run that needs several
# pristine systems of one kind (CI) bootstraps it once. Two scripts that want the same kind at
# once (CI runs some side by side) take turns: the second waits for the first's tarball.
system_bootstrap() {
    local kept=
    [ -f "$system/.complete" ] && return 0
    if [ -n "${PENTORA_BOOTSTRAPS:-}" ]; then
        kept="$PENTORA_BOOTSTRAPS/$release-${1:-$(dpkg --print-architecture)}.tar"
        mkdir -p "$PENTORA_BOOTSTRAPS"
        (
            flock 9
            system_bootstrap_or_unpack "$kept" "$@"
        ) 9>"$kept.lock"
    else
        system_bootstrap_or_unpack "" "$@"
    fi
}

# system_bootstrap_or_unpack KEPT [ARCHITECTURE]: system_bootstrap's work, KEPT the tarball or
# nothing.
system_bootstrap_or_unpack() {
    local kept=$1 arch=()
    shift
    [ $# -gt 0 ] && arch=(--arch "$1")
    system_remove
    local start=$SECONDS
    if [ -n "$kept" ] && [ -f "$kept" ]; then
        system_step "A minimal Debian $release in $system, as this run bootstrapped it"
        mkdir -p "$system"
        tar -C "$system" --xattrs --xattrs-include='*' -xf "$kept"
        touch "$system/.complete"
        echo "unpacked in $((SECONDS - start)) s"
        return 0
    fi
    if ! command -v debootstrap >/dev/null; then
        system_step "Installing debootstrap"
        system_logged "$log_dir/host-apt.log" apt-get update
        system_logged "$log_dir/host-apt.log" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y --no-install-recommends debootstrap
    fi
    system_step "Bootstrapping a minimal Debian $release in $system"
    system_logged "$log_dir/debootstrap${1:+-$1}.log" \
        debootstrap "${arch[@]}" --variant=minbase "$release" "$system"
    if [ -n "$kept" ]; then
        tar -C "$system" --one-file-system --xattrs -cf "$kept.part" . && mv "$kept.part" "$kept"
    fi
    touch "$system/.complete"
    echo "bootstrapped in $((SECONDS - start)) s"
}

# system_mount_into TARGET MOUNT_ARGUMENTS...
system_mount_into() {
    local target="$system$1"
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    # Nothing mounted or unmounted in here reaches the host's own /dev.
    mount --make-rslave "$target"
}

# What programs inside need of the kernel and the host: /proc, /sys, /dev, a private /tmp and
# /dev/shm, and the host's name servers. A run that was killed may have left mounts behind.
system_mount() {
    system_unmount_all
    system_mount_into /proc -t proc proc
    system_mount_into /sys -t sysfs sysfs
    system_mount_into /dev --bind /dev
    system_mount_into /dev/pts --bind /dev/pts
    system_mount_into /dev/shm -t tmpfs tmpfs
    system_mount_into /tmp -t tmpfs tmpfs
    cp /etc/resolv.conf "$system/etc/resolv.conf"
    # The certificate authorities the host trusts, for what fetches over HTTPS inside (npm): a
    # network that inspects TLS has an authority of its own, which a fresh system lacks.
    if [ -f /etc/ssl/certs/ca-certificates.crt ]; then
        cp /etc/ssl/certs/ca-certificates.crt "$system/etc/host-ca-certificates.crt"
    fi
    # A stopped run may have left dpkg in the middle of an install.
    system_logged "$log_dir/dpkg.log" chroot "$system" dpkg --configure -a
}

# system_copy_sources ROOT DEST: the files of the work tree ROOT that git does not ignore,
# committed or not, as a clone has them, to DEST inside the system.
system_copy_sources() {
    rm -rf --one-file-system "${system:?}$2"
    mkdir -p "$system$2"
    git -C "$1" ls-files -z --cached --others --exclude-standard |
        tar -C "$1" --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -C "$system$2" -xf -
}

# system_run [--user USER] DIR COMMAND [VARIABLE=VALUE...]: a shell command in DIR inside the
# system, with a clean environment and the given variables.
system_run() {
    local user=0:0 home=/root
    if [ "$1" = --user ]; then
        # By number: the name is the system's, not the host's.
        user="$(chroot "$system" id -u "$2"):$(chroot "$system" id -g "$2")"
        home=/home/$2
        shift 2
    fi
    local dir=$1 command=$2 trust=()
    shift 2
    if [ -f "$system/etc/host-ca-certificates.crt" ]; then
        trust=(NODE_EXTRA_CA_CERTS=/etc/host-ca-certificates.crt)
    fi
    chroot --userspec="$user" "$system" /usr/bin/env -i HOME="$home" LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${trust[@]}" "$@" \
        /bin/bash -c "cd $dir || exit 1
$command"
}

# system_in_debian13 NAME TREE WHAT COMMAND [VARIABLE=VALUE...]: for a script whose work wants
# Debian 13, run on another release: runs COMMAND in the work tree TREE inside a minimal Debian 13
# kept in the cache as debian-trixie-NAME (bootstrapped the first time, with what it installed
# kept), TREE bound in at /root/pentora so that what it makes lands in TREE; exits with the
# command's status. WHAT names the work in what it says. The caller sets `cache`. Needs root.
system_in_debian13() {
    local name=$1 tree=$2 what=$3 command=$4 status=0
    shift 4
    if [ "$(id -u)" -ne 0 ]; then
        echo "$0: on this release $what runs in a Debian 13 of its own, which needs root" >&2
        exit 2
    fi
    release=trixie
    system="$cache/debian-trixie-$name"
    log_dir="$cache/logs-trixie-$name"
    mkdir -p "$log_dir"
    trap system_cleanup EXIT
    system_bootstrap
    system_mount
    system_mount_into /root/pentora --bind "$tree"
    echo "== $what inside Debian 13 ($system)"
    system_run /root/pentora "$command" "$@" || status=$?
    exit $status
}
