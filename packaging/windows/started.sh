#!/bin/sh
# Starts Pentora under Wine as a player would, from its Pentora.exe or from a shortcut to it, on
# Wine's windows platform with nothing but its own folder to find libraries in; waits for its
# window, takes a picture of the screen, and ends it. Needs a display.
#
#     started.sh PENTORA.EXE|SHORTCUT.lnk PICTURE.png
set -eu
program=$1
picture=$2
case "$program" in
*.lnk) env -u WINEPATH -u QT_QPA_PLATFORM -u QT_QPA_FONTDIR wine start /unix "$program" & ;;
*)
    cd "$(dirname "$program")"
    env -u WINEPATH -u QT_QPA_PLATFORM -u QT_QPA_FONTDIR wine "$(basename "$program")" &
    ;;
esac
game=$!
for _ in $(seq 1 150); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Pentora"' && break
    sleep 0.2
done
# Time for the first paint.
sleep 2
if ! xwininfo -root -tree | grep -q '"Pentora"'; then
    echo "no window named Pentora within 30 s" >&2
    kill "$game" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    exit 1
fi
import -window root "$picture"
kill "$game" 2>/dev/null || true
wineserver -k 2>/dev/null || true
wait "$game" 2>/dev/null || true
echo "a window named Pentora: $picture"
