#!/usr/bin/env bash
# Builds Pentora as a web page with Debian 13's Emscripten, into build-web/site/, and serves it.
#
#     scripts/web.sh           builds, then serves the page on http://127.0.0.1:8064/ until
#                              stopped (Ctrl+C); PENTORA_WEB_PORT chooses another port
#     scripts/web.sh --build   builds only
#
# As root (or with sudo) it installs what it needs. Debian 12's Emscripten is too old for the
# page (it cannot suspend the game's waits as the page needs), so on a release other than
# Debian 13 the build runs in a minimal Debian 13 kept in ~/.cache/pentora (or under
# $XDG_CACHE_HOME), with this work tree bound in: the page lands in build-web/site/ as on Debian
# 13 itself. The site is plain files; any web server can serve it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in
    "") serve=true ;;
    --build) serve=false ;;
    *) echo "usage: $0 [--build]" >&2; exit 2 ;;
esac
port=${PENTORA_WEB_PORT:-8064}
cache="${XDG_CACHE_HOME:-$HOME/.cache}/pentora"

if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" != trixie ]; then
    # shellcheck source=debian-system.sh
    . "$root/scripts/debian-system.sh"
    system_in_debian13 web "$root" "the page's build" "scripts/web.sh ${1:-}" \
        PENTORA_WERROR="${PENTORA_WERROR:-}" PENTORA_WEB_PORT="$port"
fi

"$root/scripts/deps.sh" --web
build="$root/build-web"
mkdir -p "$build"
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF \
    -DPENTORA_WERROR="${PENTORA_WERROR:-OFF}" >"$build/configure.log" 2>&1 ||
    { tail -n 40 "$build/configure.log" >&2; exit 1; }
cmake --build "$build" --parallel "$(nproc)"
echo "== the page is in build-web/site/"
if $serve; then
    echo "== Pentora is served on http://127.0.0.1:$port/ (Ctrl+C stops it)"
    exec python3 -m http.server --bind 127.0.0.1 --directory "$build/site" "$port"
fi
