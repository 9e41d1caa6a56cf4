#!/usr/bin/env bash
# Installs what is missing, builds Pentora and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "Built build/ui/pentora, but there is no display to open its window on." >&2
    echo "Run this on a desktop, or under a virtual one: xvfb-run -a scripts/play.sh" >&2
    exit 1
fi
exec "$root/build/ui/pentora"
