#!/bin/sh
# Runs a test program and, when it fails, says how it ended: its exit status and the last lines
# of the journal it kept as it went. A run that dies without a word (killed from outside, or
# gone before its test framework could report) still tells what it was doing.
#
#     last_words.sh JOURNAL COMMAND [ARGUMENTS...]
set -u
[ $# -ge 2 ] || { echo "usage: $0 JOURNAL COMMAND..." >&2; exit 2; }
journal=$1
shift
rm -f "$journal"
status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
    if [ "$status" -gt 128 ]; then
        echo "last_words: $1 ended with exit status $status, killed by signal $((status - 128))"
    else
        echo "last_words: $1 ended with exit status $status"
    fi
    if [ -s "$journal" ]; then
        echo "last_words: its journal, $journal, ends:"
        tail -n 30 "$journal" | sed 's/^/    /'
    else
        echo "last_words: it left no journal ($journal)"
    fi
fi
exit "$status"
