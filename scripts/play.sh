#!/usr/bin/env bash
# Installs what the game needs, builds the game alone and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/scripts/deps.sh"
if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" >/dev/null # keeps the settings the tree has
else
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
        -DPENTORA_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)" --target pentora
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "Built build/ui/pentora, but there is no display to open its window on." >&2
    echo "Run this on a desktop, or under a virtual one: xvfb-run -a scripts/play.sh" >&2
    exit 1
fi
exec "$build/ui/pentora"
