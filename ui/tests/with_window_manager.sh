#!/bin/sh
# Runs a command on the current X display under a real window manager (openbox), which frames
# and places the windows as a desktop would:  with_window_manager.sh COMMAND [ARGUMENTS...]
set -eu
openbox --sm-disable --config-file /dev/null >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
# The manager has taken the screen once it names itself on the root window.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 $wm 2>/dev/null; then
        echo "the window manager did not start" >&2
        exit 1
    fi
    sleep 0.05
done
"$@"
