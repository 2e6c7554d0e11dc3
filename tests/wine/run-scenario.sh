#!/bin/bash
# Runs one scenario of ZVSET.EXE under Wine, in a fresh prefix, and compares
# what happened with what the scenario expects.
#
# Usage: run-scenario.sh SCENARIO WORK ZVSIM ZVSET BUILD [BUILD...]
#   SCENARIO  folder with the scenario's files:
#               arguments   the argument text ZVSET gets (first line; may be empty)
#               setup.log   what the "Setup" window must have seen
#               answers     (optional) the scripted user's answers; the robot
#                           then runs the scenario and its transcript must
#                           match the file transcript
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

prepare_run "$(basename "$scenario")" "$work" "$@" || exit $?
cp "$scenario/arguments" "$TEST_DIR/arguments.txt"

front_end=('C:\zvtest\setupwin.exe' 'C:\zvtest\setup.log' 'C:\zvtest\arguments.txt'
  'C:\Zelvane Setup\ZVSET.EXE')
if [ -f "$scenario/answers" ]; then
  cp "$scenario/answers" "$TEST_DIR/answers.txt"
  cp "$here/../../res/zvset.rc" "$TEST_DIR/zvset.rc"
  timeout 120 "$LOADER" 'C:\zvtest\zvrobot.exe' 'C:\zvtest\answers.txt' 'C:\zvtest\transcript.txt' \
    'C:\zvtest\zvset.rc' -- "${front_end[@]}" >"$RUN/wine.out" 2>"$RUN/wine.err"
else
  timeout 120 "$LOADER" "${front_end[@]}" >"$RUN/wine.out" 2>"$RUN/wine.err"
fi
status=$?
"$WINESERVER" -k >/dev/null 2>&1
if [ $status -ne 0 ] && [ ! -f "$TEST_DIR/transcript.txt" ]; then
  echo "the run ended with $status; Wine's messages are in $RUN/wine.err"
  exit 1
fi

if [ -f "$scenario/answers" ] &&
  ! diff -u "$scenario/transcript" "$TEST_DIR/transcript.txt" >"$RUN/transcript.diff"; then
  echo "the robot's transcript differs:"
  cat "$RUN/transcript.diff"
  exit 1
fi

if ! diff -u "$scenario/setup.log" "$TEST_DIR/setup.log" >"$RUN/setup.diff"; then
  echo "the \"Setup\" window saw something else:"
  cat "$RUN/setup.diff"
  exit 1
fi
# The same on the simulator. Messages between two processes under Wine may
# arrive in another order than the calls were made, so the two sides are
# compared as the set of what happened to the window.
"$zvsim" new "$RUN/machine" >/dev/null
"$zvset" --machine "$RUN/machine" -- "$(head -n 1 "$scenario/arguments")" >"$RUN/sim.out" 2>&1 || {
  echo "the simulator's run failed:"
  cat "$RUN/sim.out"
  exit 1
}
sed -n 's/^window "Setup": \(hide\|show\|foreground\|WM_CLOSE\).*/\1/p' "$RUN/sim.out" |
  sed 's/^hide$/hidden/; s/^show$/shown/; s/^WM_CLOSE$/close/' | sort >"$RUN/sim-events"
grep -v '^exit ' "$TEST_DIR/setup.log" | sort >"$RUN/wine-events"
if ! diff -u "$RUN/wine-events" "$RUN/sim-events" >"$RUN/sim.diff"; then
  echo "the simulator and Wine disagree on the \"Setup\" window:"
  cat "$RUN/sim.diff"
  exit 1
fi
echo "passed"
