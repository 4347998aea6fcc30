#!/bin/sh
# wine_run.sh <program> [arguments]: one Windows program under Wine for CTest. The first Wine
# program of a prefix starts Wine's own services, which live as long as the wineserver and
# inherit its output; they get a file, so CTest never waits for them. The output follows.
log=$(mktemp)
wine "$@" </dev/null >"$log" 2>&1
code=$?
cat "$log"
rm -f "$log"
exit $code
