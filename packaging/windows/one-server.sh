#!/bin/sh
# Runs a command, a whole test run, with one Wine server kept up from its start to its end, so
# that no test is caught connecting just as an idle server ends ("wine client error:0: recvmsg:
# Connection reset by peer"). Wine's background programs (services, the desktop) are started
# first, with their output in LOG: started by a test, they would hold that test's output open;
# started here, they see the display the command runs on.
#
#     one-server.sh LOG COMMAND [ARGUMENTS...]
set -eu
[ $# -ge 2 ] || { echo "usage: $0 LOG COMMAND..." >&2; exit 2; }
log=$1
shift
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine wineboot >"$log" 2>&1
"$@"
