#!/bin/bash
# Runs one scenario of ZVSET.EXE under Wine, in a fresh prefix, and compares
# what happened with what the scenario expects.
#
# Usage: run-scenario.sh SCENARIO WORK ZVSIM ZVSET BUILD [BUILD...]
#   SCENARIO  folder with the scenario's files:
#               arguments   the argument text ZVSET gets (first line; may be empty)
#               setup.log   what the "Setup" window must have seen
#   WORK      folder for the prefixes and the run's files
#   ZVSIM, ZVSET  the simulator's commands: the same argument text runs on a
#             fresh simulated machine, and the "Setup" window must see there
#             what it saw under Wine
#   BUILD     Windows build folders, tried in turn
# Exit code: 0 passed, 1 failed, 77 skipped (no Wine or no build to run).
set -u
scenario=$1 work=$2 zvsim=$3 zvset=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-prefix.sh"

name=$(basename "$scenario")
mkdir -p "$work"
if ! choose_build "$work" "$@"; then
  echo "skipped:$SKIP_REASON"
  # Where the Wine tests must run (the test command), a skip is a failure.
  [ "${ZVSET_REQUIRE_WINE:-0}" = 1 ] && exit 1
  exit 77
fi
echo "build: $BUILD ($ARCH)"
if ! make_template "$work"; then
  echo "could not make a Wine prefix; see $work/wineboot.out"
  exit 1
fi

run=$work/$name
prefix=$run/prefix
fresh_prefix "$work" "$prefix"
export WINEPREFIX=$prefix

# The program in a folder whose name has a blank, as the front end may
# start it with a quoted path.
program_dir="$prefix/drive_c/Zelvane Setup"
test_dir=$prefix/drive_c/zvtest
mkdir -p "$program_dir" "$test_dir"
cp "$BUILD/src/ZVSET.EXE" "$program_dir/"
find "$BUILD/src" -iname '*.dll' -exec cp {} "$program_dir/" \;
cp "$BUILD/tests/wine/programs/setupwin.exe" "$test_dir/"
cp "$scenario/arguments" "$test_dir/arguments.txt"

timeout 120 "$LOADER" 'C:\zvtest\setupwin.exe' 'C:\zvtest\setup.log' 'C:\zvtest\arguments.txt' \
  'C:\Zelvane Setup\ZVSET.EXE' >"$run/wine.out" 2>"$run/wine.err"
status=$?
"$WINESERVER" -k >/dev/null 2>&1
if [ $status -ne 0 ]; then
  echo "the front end's stand-in ended with $status; Wine's messages are in $run/wine.err"
  exit 1
fi

if ! diff -u "$scenario/setup.log" "$test_dir/setup.log" >"$run/setup.diff"; then
  echo "the \"Setup\" window saw something else:"
  cat "$run/setup.diff"
  exit 1
fi
# The same on the simulator. Messages between two processes under Wine may
# arrive in another order than the calls were made, so the two sides are
# compared as the set of what happened to the window.
"$zvsim" new "$run/machine" >/dev/null
"$zvset" --machine "$run/machine" -- "$(head -n 1 "$scenario/arguments")" >"$run/sim.out" 2>&1 || {
  echo "the simulator's run failed:"
  cat "$run/sim.out"
  exit 1
}
sed -n 's/^window "Setup": \(hide\|show\|foreground\|WM_CLOSE\).*/\1/p' "$run/sim.out" |
  sed 's/^hide$/hidden/; s/^show$/shown/; s/^WM_CLOSE$/close/' | sort >"$run/sim-events"
grep -v '^exit ' "$test_dir/setup.log" | sort >"$run/wine-events"
if ! diff -u "$run/wine-events" "$run/sim-events" >"$run/sim.diff"; then
  echo "the simulator and Wine disagree on the \"Setup\" window:"
  cat "$run/sim.diff"
  exit 1
fi
echo "passed"
