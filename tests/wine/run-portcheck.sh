#!/bin/bash
# Runs the checks of the port's Win32 backend (portcheck.exe) under Wine, in
# a fresh prefix.
# Usage: run-portcheck.sh WORK BUILD [BUILD...]
# Exit code: 0 passed, 1 failed, 77 skipped (no Wine or no build to run).
set -u
work=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-prefix.sh"

prepare_run port "$work" "$@" || exit $?
# An environment value longer than the buffer it is read into.
ZVPORTCHECK=abcdefgh timeout 120 "$LOADER" 'C:\zvtest\portcheck.exe' 'C:\zvtest\portcheck.log' \
  >"$RUN/wine.out" 2>"$RUN/wine.err"
status=$?
"$WINESERVER" -k >/dev/null 2>&1
cat "$TEST_DIR/portcheck.log" 2>/dev/null || echo "no log; Wine's messages are in $RUN/wine.err"
[ $status -eq 0 ]
