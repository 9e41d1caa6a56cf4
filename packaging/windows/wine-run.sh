#!/bin/sh
# Runs a Windows program of the cross build under Wine, in Pentora's own Wine prefix, with the
# folders of --path (Unix paths joined by ':') on the program's PATH and Wine's own chatter off
# (WINEDEBUG, when set, says otherwise). A program that fails is named with its exit status: Wine
# passes on the low byte of the Windows exit code (3 for abort(), 5 for an access violation's
# 0xC0000005), and a test that dies before its framework reports leaves at least that.
#
#     wine-run.sh [--path=DIR:DIR...] PROGRAM.exe [ARGUMENTS...]
#     wine-run.sh --prefix     prints the Wine prefix it uses
set -eu
WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/pentora/wine}
dirs=
case "${1:-}" in
--prefix)
    printf '%s\n' "$WINEPREFIX"
    exit 0
    ;;
--path=*)
    dirs=${1#--path=}
    shift
    ;;
esac
path=
old_ifs=$IFS
IFS=:
for dir in $dirs; do
    # Wine's drive Z: is the root of the Unix file system.
    path="${path:+$path;}Z:$(printf '%s' "$dir" | tr / '\\')"
done
IFS=$old_ifs
WINEPATH="${path}${WINEPATH:+;$WINEPATH}"
WINEDEBUG=${WINEDEBUG:--all}
export WINEPATH WINEPREFIX WINEDEBUG
status=0
wine "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "wine-run: $1 ended under Wine with exit status $status" >&2
fi
exit "$status"
