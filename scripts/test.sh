#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite through CTest: once
# in the normal build (build/) and once with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/). The window's tests run on Qt's offscreen platform.
#
#     scripts/test.sh            both builds
#     scripts/test.sh --quick    the normal build only
#
# PENTORA_WERROR=ON makes every compiler warning an error (CI sets it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" --test

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1
jobs=$(nproc)
common=(-DBUILD_TESTING=ON -DPENTORA_WERROR="${PENTORA_WERROR:-OFF}")

"$root/scripts/build.sh" "$root/build" "${common[@]}"
ctest --test-dir "$root/build" --output-on-failure --parallel "$jobs"

if [ "${1:-}" != "--quick" ]; then
    "$root/scripts/build.sh" "$root/build-asan" "${common[@]}" -DPENTORA_SANITIZE=ON \
        -DCMAKE_BUILD_TYPE=Debug -DPENTORA_BUILD_BENCHMARKS=OFF
    ctest --test-dir "$root/build-asan" --output-on-failure --parallel "$jobs"
fi
