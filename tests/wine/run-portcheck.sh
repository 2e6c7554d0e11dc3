#!/bin/bash
# Runs the checks of the port's Win32 backend (portcheck.exe) under Wine, in
# a fresh prefix: without a log, with a log (ZVSET_LOG, and the lookups with
# ZVSET_LOG_VERBOSE), which must hold the record's lines, and with a log that
# cannot be opened (a folder), which must change nothing.
# Usage: run-portcheck.sh WORK BUILD [BUILD...]
# Exit code: 0 passed, 1 failed, 77 skipped (no Wine or no build to run).
set -u
work=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-prefix.sh"

prepare_run port "$work" "$@" || exit $?
# A value that is not a string, which the port must refuse to read as one.
timeout 60 "$LOADER" reg add 'HKCU\Software\ZvPortCheckNumber' /v Number /t REG_DWORD /d 7 /f \
  >"$RUN/reg.out" 2>&1
for log in '' 'C:\zvtest\record.log' 'C:\zvtest'; do
  # An environment value longer than the buffer it is read into.
  ZVSET_LOG=$log ZVSET_LOG_VERBOSE=${log:+1} ZVPORTCHECK=abcdefgh timeout 120 "$LOADER" \
    'C:\zvtest\portcheck.exe' 'C:\zvtest\portcheck.log' >"$RUN/wine.out" 2>"$RUN/wine.err"
  status=$?
  "$WINESERVER" -w >/dev/null 2>&1
  if [ $status -ne 0 ]; then
    echo "with ZVSET_LOG=$log:"
    cat "$TEST_DIR/portcheck.log" 2>/dev/null || echo "no log; Wine's messages are in $RUN/wine.err"
    "$WINESERVER" -k >/dev/null 2>&1
    exit 1
  fi
done
"$WINESERVER" -k >/dev/null 2>&1
# A few lines of each kind, in the order the checks did them.
tr -d '\r' <"$TEST_DIR/record.log" | grep -x -F \
  -e 'registry HKEY_CURRENT_USER\Software\ZvPortCheck\Child: "Value" = "abc"' \
  -e 'registry HKEY_CURRENT_USER\Software\ZvPortCheck\Child: "Value" read, "abc"' \
  -e 'registry HKEY_CURRENT_USER\Software\ZvPortCheck\Child: "Value" deleted' \
  -e 'registry HKEY_CURRENT_USER\SOFTWARE\zvportcheck\Child: key deleted' \
  -e 'file C:\zvtest\portcheck-a.txt: written' \
  -e 'file C:\zvtest\portcheck-a.txt: looked up, not found' \
  -e 'file C:\zvtest\portcheck-b.txt: deleted' >"$RUN/record.txt"
cat >"$RUN/record.expected" <<'LINES'
registry HKEY_CURRENT_USER\Software\ZvPortCheck\Child: "Value" = "abc"
registry HKEY_CURRENT_USER\Software\ZvPortCheck\Child: "Value" read, "abc"
registry HKEY_CURRENT_USER\Software\ZvPortCheck\Child: "Value" deleted
registry HKEY_CURRENT_USER\SOFTWARE\zvportcheck\Child: key deleted
file C:\zvtest\portcheck-a.txt: written
file C:\zvtest\portcheck-b.txt: deleted
file C:\zvtest\portcheck-a.txt: looked up, not found
file C:\zvtest\portcheck-b.txt: deleted
LINES
if ! diff -u "$RUN/record.expected" "$RUN/record.txt"; then
  echo "the log lacks the record's lines; it is $TEST_DIR/record.log"
  exit 1
fi
