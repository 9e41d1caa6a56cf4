#!/usr/bin/env bash
# Measures the web page on this machine (bench/web.mjs): its weight, first contentful paint and
# main-thread load during a move, in Debian's Chromium. Builds the page first.
#
#     bench/web.sh [RUNS]      (default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" --test
"$root/scripts/web.sh" --build >/dev/null
npm ci --no-audit --no-fund --prefix "$root/web" >/dev/null
echo "Machine: $(nproc) cores, $(awk -F: '/model name/ { print $2; exit }' /proc/cpuinfo | sed 's/^ //'); $(chromium --version)"
echo
PENTORA_SITE="$root/build-web/site" PENTORA_BROWSER=chromium node "$root/bench/web.mjs" "${1:-5}"
