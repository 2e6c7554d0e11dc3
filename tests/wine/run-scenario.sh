#!/bin/bash
# Runs one scenario of ZVSET.EXE under Wine, in a fresh prefix, and compares
# what happened with what the scenario expects.
#
# Usage: run-scenario.sh SCENARIO WORK BUILD [BUILD...]
#   SCENARIO  folder with the scenario's files:
#               arguments   the argument text ZVSET gets (first line; may be empty)
#               setup.log   what the "Setup" window must have seen
#               answers     (optional) the scripted user's answers; the robot
#                           then runs the scenario and its transcript must
#                           match the file transcript
#   WORK      folder for the prefixes and the run's files
#   BUILD     Windows build folders, tried in turn
# Exit code: 0 passed, 1 failed, 77 skipped (no Wine or no build to run).
set -u
scenario=$1 work=$2
shift 2
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
cp "$BUILD/tests/wine/programs/setupwin.exe" "$BUILD/tests/wine/programs/zvrobot.exe" "$test_dir/"
cp "$scenario/arguments" "$test_dir/arguments.txt"

front_end=('C:\zvtest\setupwin.exe' 'C:\zvtest\setup.log' 'C:\zvtest\arguments.txt'
  'C:\Zelvane Setup\ZVSET.EXE')
if [ -f "$scenario/answers" ]; then
  cp "$scenario/answers" "$test_dir/answers.txt"
  cp "$here/../../res/zvset.rc" "$test_dir/zvset.rc"
  timeout 120 "$LOADER" 'C:\zvtest\zvrobot.exe' 'C:\zvtest\answers.txt' 'C:\zvtest\transcript.txt' \
    'C:\zvtest\zvset.rc' -- "${front_end[@]}" >"$run/wine.out" 2>"$run/wine.err"
else
  timeout 120 "$LOADER" "${front_end[@]}" >"$run/wine.out" 2>"$run/wine.err"
fi
status=$?
"$WINESERVER" -k >/dev/null 2>&1
if [ $status -ne 0 ] && [ ! -f "$test_dir/transcript.txt" ]; then
  echo "the run ended with $status; Wine's messages are in $run/wine.err"
  exit 1
fi

if [ -f "$scenario/answers" ] &&
  ! diff -u "$scenario/transcript" "$test_dir/transcript.txt" >"$run/transcript.diff"; then
  echo "the robot's transcript differs:"
  cat "$run/transcript.diff"
  exit 1
fi

if ! diff -u "$scenario/setup.log" "$test_dir/setup.log" >"$run/setup.diff"; then
  echo "the \"Setup\" window saw something else:"
  cat "$run/setup.diff"
  exit 1
fi
echo "passed"
