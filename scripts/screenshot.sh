#!/usr/bin/env bash
# Retakes docs/screenshot.png: the game in play on a real X server (Xvfb), with the platform's
# own style and fonts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" --test
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --parallel "$(nproc)" --target pentora_screenshot >/dev/null
mkdir -p "$root/docs"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$root/build/ui/pentora_screenshot" "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"
