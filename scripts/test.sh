#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the test suite through CTest, by the
# presets of CMakePresets.json: every tier in the normal build (build/, preset ci), then every
# tier built with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/, preset asan). The
# window's tests run on Qt's offscreen platform, and again on Xvfb. The web page is built
# (scripts/web.sh --build) and tested in Chromium and Firefox ESR with the normal build.
#
#     scripts/test.sh                   both builds, every tier
#     scripts/test.sh --quick           the normal build, the unit and window tiers only
#     scripts/test.sh --no-sanitizers   the normal build, every tier (for a second release in
#                                       one CI run: the sanitizers' findings are the code's own)
#     scripts/test.sh --second-release  the normal build, every tier but the package and the soak,
#                                       and of the web tier the whole games alone (CI's second
#                                       release: its clean package build, the first release's soak
#                                       and the first release's run of the same browsers' versions
#                                       make the same checks)
#
# PENTORA_WERROR=ON makes every compiler warning an error (CI sets it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in
    "" | --quick | --no-sanitizers | --second-release) ;;
    *) echo "usage: $0 [--quick | --no-sanitizers | --second-release]" >&2; exit 2 ;;
esac
"$root/scripts/deps.sh" --test
cd "$root"
jobs=$(nproc)

cmake --preset ci >/dev/null
cmake --build --preset ci --parallel "$jobs"
if [ "${1:-}" = "--quick" ]; then
    ctest --preset quick --parallel "$jobs"
    exit 0
fi
# The web page, which the web tier tests in the browsers.
"$root/scripts/web.sh" --build
# How many turns Orca heard in each of a tree's blind player's games (the window's, the page's
# in each browser), from CTest's log: a game that was skipped or not played cannot hide in a
# green run.
orca_heard() {
    local heard
    heard=$(grep -ho 'Orca said the start, each of [0-9]* turns' \
        "$root/$1/Testing/Temporary/LastTest.log" 2>/dev/null | grep -o '[0-9][0-9]*' |
        paste -s -d ' ')
    echo "== $1: the blind player's games with Orca: ${heard:-no} turns heard"
}

if [ "${1:-}" = "--second-release" ]; then
    ctest --preset ci --parallel "$jobs" --label-exclude '^(package|soak)$' \
        --exclude-regex '^web_.*_(a11y|devices|lighthouse|waits)$'
    orca_heard build
    exit 0
fi
ctest --preset ci --parallel "$jobs"
orca_heard build
if [ "${1:-}" = "--no-sanitizers" ]; then
    exit 0
fi

cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$jobs"
ctest --preset asan --parallel "$jobs"
orca_heard build-asan
