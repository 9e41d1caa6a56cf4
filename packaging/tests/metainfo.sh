#!/usr/bin/env bash
# Validates the AppStream metadata offline and accepts no error and no warning.
#
#     metainfo.sh METAINFO_FILE
set -euo pipefail
out=$(appstreamcli validate --no-net "$1" 2>&1) || { echo "$out"; exit 1; }
echo "$out"
if grep -qE '^(E|W):' <<<"$out"; then
    exit 1
fi
