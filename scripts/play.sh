#!/usr/bin/env bash
# Installs what is missing, builds Pentora and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/ui/pentora"
