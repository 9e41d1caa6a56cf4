#!/usr/bin/env bash
# Builds the Debian package a second time, later and in another directory, and requires the
# same bytes as the first build: the package is reproducible.
#
#     deb_reproducible.sh FIRST_DEB_DIR WORK_DIR
set -euo pipefail
first=$1
again="$2/elsewhere/deeper"
root=$(cd "$(dirname "$0")/../.." && pwd)
sleep 2 # a later time than the first build
"$root/scripts/package.sh" "$again" >/dev/null
for deb in "$first"/*.deb; do
    name=$(basename "$deb")
    if cmp "$deb" "$again/$name"; then
        echo "identical: $name ($(sha256sum <"$deb" | cut -c1-16))"
    else
        echo "FAIL: $name differs between two builds of the same sources" >&2
        exit 1
    fi
done
