#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb), optionally under a real window manager that
# frames and places windows as a desktop does: openbox, or metacity, which honours every hint a
# window gives its frame (as GNOME's and KDE's window managers do):
#
#     on_x.sh [--screen WIDTHxHEIGHT] [--window-manager[=openbox|metacity]] [--] COMMAND [ARGS...]
#
# The server picks a free display number itself and reports it once it accepts connections
# (-displayfd), so two runs at once never race for a display; the window manager counts as
# started once it has named itself on the root window. Whatever fails to start is named, with the
# tail of its output. Exits with the command's status.
#
# A window manager that ends during the run is the harness's failure, not the command's: its
# windows go unframed and the failures that follow would blame the window. The run is then tried
# once more on a fresh server, saying so; a second death fails the run. A command that was
# ended by a signal (a program that crashed) is never tried again.
set -euo pipefail
arguments=("$@")
screen=1024x768
window_manager=
while [ $# -gt 0 ]; do
    case "$1" in
        --screen) screen=$2; shift 2 ;;
        --window-manager) window_manager=openbox; shift ;;
        --window-manager=openbox | --window-manager=metacity) window_manager=${1#*=}; shift ;;
        --) shift; break ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || {
    echo "usage: $0 [--screen WxH] [--window-manager[=openbox|metacity]] [--] COMMAND..." >&2
    exit 2
}

# Long enough for a machine whose cores are all busy with other work.
readonly deadline_seconds=60
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# failed WHAT LOG: why the run cannot go on.
failed() {
    echo "on_x.sh: $1" >&2
    if [ -s "$2" ]; then
        tail -n 20 "$2" | sed 's/^/    /' >&2
    fi
    exit 1
}

Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
pids+=("$xvfb")
start=$SECONDS
until [ -s "$work/display" ] && grep -q '^[0-9][0-9]*$' "$work/display"; do
    kill -0 "$xvfb" 2>/dev/null || failed "Xvfb ended before it took a display" "$work/xvfb.log"
    [ $((SECONDS - start)) -lt $deadline_seconds ] ||
        failed "Xvfb took no display within $deadline_seconds s" "$work/xvfb.log"
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY XAUTHORITY

if [ -n "$window_manager" ]; then
    log="$work/$window_manager.log"
    case "$window_manager" in
        openbox) openbox --sm-disable --config-file /dev/null >"$log" 2>&1 & ;;
        # Its settings from memory: no settings daemon, nothing written to the user's.
        metacity) GSETTINGS_BACKEND=memory metacity >"$log" 2>&1 & ;;
    esac
    wm=$!
    pids+=("$wm")
    start=$SECONDS
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        kill -0 "$wm" 2>/dev/null ||
            failed "$window_manager ended before it took $DISPLAY" "$log"
        [ $((SECONDS - start)) -lt $deadline_seconds ] ||
            failed "$window_manager did not take $DISPLAY within $deadline_seconds s" "$log"
        sleep 0.05
    done
fi

status=0
"$@" || status=$?
if [ -n "$window_manager" ] && ! kill -0 "$wm" 2>/dev/null; then
    wait "$wm" && wm_status=0 || wm_status=$?
    echo "on_x.sh: $window_manager ended during the run, with exit status $wm_status" >&2
    [ -s "$log" ] && tail -n 20 "$log" | sed 's/^/    /' >&2
    if [ "$status" -lt 128 ] && [ -z "${PENTORA_ON_X_RETRIED:-}" ]; then
        echo "on_x.sh: the run is tried once more, on a fresh X server" >&2
        cleanup
        trap - EXIT
        PENTORA_ON_X_RETRIED=1 exec "$0" "${arguments[@]}"
    fi
    [ "$status" -ne 0 ] || status=1
fi
exit $status
