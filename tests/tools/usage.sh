#!/bin/bash
# The simulator's commands on bad usage: each case's exit status and the
# text its error must hold.
#
# Usage: usage.sh ZVSIM ZVSET
set -u
zvsim=$1 zvset=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# expect STATUS TEXT COMMAND...: runs COMMAND, checks its status and stderr.
expect() {
  local status=$1 text=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ $got -ne "$status" ] || { [ -n "$text" ] && ! grep -qF -- "$text" "$work/err"; }; then
    echo "FAILED: $* -> status $got (expected $status), stderr:"
    sed 's/^/  /' "$work/err" | head -5
    failed=1
  fi
}

expect 2 "--windows 98: expected 95, nt or dual" "$zvsim" new "$work/m1" --windows 98
expect 2 "--word 5: expected 6 or 97" "$zvsim" new "$work/m1" --word 5
expect 2 "--windows needs a value" "$zvsim" new "$work/m1" --windows
expect 2 "--keep needs a value" "$zvsim" rehearse "$work/nothing" --keep
expect 2 "usage:" "$zvsim" frobnicate
: >"$work/file"
expect 1 "exists and is not an empty folder" "$zvsim" new "$work/file"
expect 0 "" "$zvsim" new "$work/m" --windows NT --word 97

expect 2 "--boot 98: expected 95 or NT" "$zvset" --machine "$work/m" --boot 98 -- /x
expect 2 "ARGUMENT-TEXT is missing" "$zvset" --machine "$work/m"
expect 2 "--machine DIR is required" "$zvset" -- /x
expect 2 "unknown option --nope" "$zvset" --machine "$work/m" --nope
# An empty argument text runs the program with an empty command line; the
# boot is named in any letter case.
expect 0 "" "$zvset" --machine "$work/m" --boot nt -- ''
grep -qF 'zvset "" on Windows NT' "$work/out" || { echo "FAILED: -- '' did not run"; failed=1; }
# The argument text is shown escaped.
expect 0 "" "$zvset" --machine "$work/m" -- $'/x\e[2J'
grep -qF 'zvset "/x\x1b[2J" on Windows NT' "$work/out" || {
  echo "FAILED: the argument text is not escaped:"; head -1 "$work/out"; failed=1; }

[ $failed -eq 0 ] && echo passed
exit $failed
