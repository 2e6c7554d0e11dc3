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
#               registry    (optional) REGEDIT4 text put into the registry first
#               files       (optional) Windows paths, one a line, of programs
#                           ZVSET may start; each is a copy of started.exe
#               disk        (optional) a folder of files put on the drives
#                           first, disk/C/... for C:\..., on both sides
#               started     (optional) the programs that must have been
#                           started, one path a line (an empty file: none)
#               unquoted    (optional) the front end starts ZVSET as Windows
#                           starts a RunOnce entry: its path unquoted on the
#                           command line, and given apart to the system
#               program     (optional) a test program of C:\zvtest run in
#                           place of ZVSET; no simulator comparison then
#               records     (optional) registry values and INI entries the
#                           run must leave (see README.md)
#   WORK      folder for the prefixes and the run's files
#   ZVSIM, ZVSET  the simulator's commands: the same argument text runs on a
#             fresh simulated machine, with the same registry, files and
#             answers, and the "Setup" window must see there what it saw
#             under Wine, the same boxes must appear and the same programs
#             be started
#   BUILD     Windows build folders, tried in turn
# Exit code: 0 passed, 1 failed, 77 skipped (no Wine or no build to run).
set -u
scenario=$1 work=$2 zvsim=$3 zvset=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-prefix.sh"

prepare_run "$(basename "$scenario")" "$work" "$@" || exit $?
cp "$scenario/arguments" "$TEST_DIR/arguments.txt"

if [ -f "$scenario/registry" ]; then
  cp "$scenario/registry" "$TEST_DIR/registry.reg"
  if ! timeout 60 "$LOADER" regedit /S 'C:\zvtest\registry.reg' >"$RUN/regedit.out" 2>&1; then
    echo "the registry content could not be imported; see $RUN/regedit.out"
    exit 1
  fi
fi
if [ -f "$scenario/files" ]; then
  while IFS= read -r path || [ -n "$path" ]; do
    path=${path%$'\r'}
    [ -n "$path" ] || continue
    host=$(prefix_path "$path")
    mkdir -p "$(dirname "$host")"
    cp "$TEST_DIR/started.exe" "$host"
  done <"$scenario/files"
fi

if [ -d "$scenario/disk" ]; then
  (cd "$scenario/disk" && find . -type f) | while IFS= read -r file; do
    file=${file#./}
    host=$(prefix_path "${file%%/*}:\\$(printf '%s' "${file#*/}" | tr '/' '\\')")
    mkdir -p "$(dirname "$host")"
    cp "$scenario/disk/$file" "$host"
  done
fi

program='C:\Zelvane Setup\ZVSET.EXE'
[ -f "$scenario/program" ] && program='C:\zvtest\'$(head -n 1 "$scenario/program")
front_end=('C:\zvtest\setupwin.exe' 'C:\zvtest\setup.log' 'C:\zvtest\arguments.txt' "$program")
[ -f "$scenario/unquoted" ] && front_end+=(unquoted)
if [ -f "$scenario/answers" ]; then
  cp "$scenario/answers" "$TEST_DIR/answers.txt"
  cp "$here/../../res/zvset.rc" "$TEST_DIR/zvset.rc"
  timeout 120 "$LOADER" 'C:\zvtest\zvrobot.exe' 'C:\zvtest\answers.txt' 'C:\zvtest\transcript.txt' \
    'C:\zvtest\zvset.rc' -- "${front_end[@]}" >"$RUN/wine.out" 2>"$RUN/wine.err"
else
  timeout 120 "$LOADER" "${front_end[@]}" >"$RUN/wine.out" 2>"$RUN/wine.err"
fi
status=$?
# Programs that ZVSET started run on by themselves; they end at once.
[ -f "$scenario/files" ] && timeout 30 "$WINESERVER" -w >/dev/null 2>&1
"$WINESERVER" -k >/dev/null 2>&1
if [ $status -ne 0 ] && [ ! -f "$TEST_DIR/transcript.txt" ]; then
  echo "the run ended with $status; Wine's messages are in $RUN/wine.err"
  exit 1
fi

# A dialog that takes no input (answered by `dialog ID` alone) may end before
# the robot sees it: what it left in a transcript is not compared.
no_input_lines() {
  local ids
  ids=" $(tr -d '\r' <"$scenario/answers" | sed -n 's/^dialog \([0-9]*\) *$/\1/p' | tr '\n' ' ') "
  tr -d '\r' <"$1" | awk -v ids="$ids" '
    /^  / && skip { next }
    { skip = 0 }
    /^dialog [0-9]+ "/ { split($0, w, " "); if (index(ids, " " w[2] " ")) { skip = 1; next } }
    /^(unused )?answer dialog [0-9]+$/ { n = split($0, w, " "); if (index(ids, " " w[n] " ")) next }
    { print }'
}
if [ -f "$scenario/answers" ] &&
  ! diff -u <(no_input_lines "$scenario/transcript") <(no_input_lines "$TEST_DIR/transcript.txt") \
    >"$RUN/transcript.diff"; then
  echo "the robot's transcript differs:"
  cat "$RUN/transcript.diff"
  exit 1
fi

if ! diff -u "$scenario/setup.log" "$TEST_DIR/setup.log" >"$RUN/setup.diff"; then
  echo "the \"Setup\" window saw something else:"
  cat "$RUN/setup.diff"
  exit 1
fi

if [ -f "$scenario/started" ]; then
  { [ -f "$TEST_DIR/started.log" ] && tr -d '\r' <"$TEST_DIR/started.log"; } >"$RUN/started.txt"
  if ! diff -u "$scenario/started" "$RUN/started.txt" >"$RUN/started.diff"; then
    echo "other programs were started:"
    cat "$RUN/started.diff"
    exit 1
  fi
fi

# The registry values of each key and the entries of each INI file that
# `records` names, as "KEY: NAME=DATA" and "FILE: [SECTION] KEY=VALUE".
dump_records() {
  local key file host
  sed -n 's/^\(HK[^:]*\): .*/\1/p' "$scenario/records" | sort -u | while IFS= read -r key; do
    timeout 60 "$LOADER" reg query "$key" >"$RUN/query.out" 2>/dev/null
    "$WINESERVER" -w >/dev/null 2>&1
    tr -d '\r' <"$RUN/query.out" |
      sed -n "s/^    \(.*\)    REG_SZ    \(.*\)\$/\1=\2/p; s/^    \(.*\)    REG_SZ\$/\1=/p" |
      while IFS= read -r value; do printf '%s: %s\n' "$key" "$value"; done
  done
  sed -n 's/^\([A-Za-z]:\\[^:]*\): .*/\1/p' "$scenario/records" | sort -u | while IFS= read -r file; do
    host=$(prefix_path "$file")
    [ -f "$host" ] || continue
    tr -d '\r' <"$host" | FILE=$file awk '
      /^\[/ { section = $0; next }
      /=/ { print ENVIRON["FILE"] ": " section " " $0 }'
  done
}
if [ -f "$scenario/records" ]; then
  dump_records | sort >"$RUN/records.txt"
  if ! sort "$scenario/records" | diff -u - "$RUN/records.txt" >"$RUN/records.diff"; then
    echo "the registry and INI files hold something else:"
    cat "$RUN/records.diff"
    exit 1
  fi
fi

# Test programs other than ZVSET have no counterpart on the simulator.
if [ -f "$scenario/program" ]; then
  echo "passed"
  exit 0
fi

# The same on the simulator, with the same registry content, the same files
# on the drives other than C: (and nothing else there) and the same answers.
machine=$RUN/machine
# A fresh machine on every run, as the prefix is.
rm -rf "$machine"
if ! "$zvsim" new "$machine" >"$RUN/zvsim.out" 2>&1; then
  echo "the simulated machine could not be made:"
  cat "$RUN/zvsim.out"
  exit 1
fi
if [ -f "$scenario/registry" ]; then
  tr -d '\r' <"$scenario/registry" | awk -v dir="$machine/registry/95" '
    /^\[HKEY_[A-Z_]*/ { root = substr($0, 2); sub(/\\.*|\].*/, "", root); print "" >> (dir "/" root ".reg") }
    root != "" { printf "%s\r\n", $0 >> (dir "/" root ".reg") }'
fi
if [ -f "$scenario/files" ]; then
  for drive in "$machine"/disk/*; do
    [ "$(basename "$drive")" = C ] || rm -rf "$drive"
  done
  while IFS= read -r path || [ -n "$path" ]; do
    path=${path%$'\r'}
    [ -n "$path" ] || continue
    host=$machine/disk/${path:0:1}/$(printf '%s' "${path:3}" | tr '\\' '/')
    mkdir -p "$(dirname "$host")"
    echo "simulated program" >"$host"
  done <"$scenario/files"
fi
[ -d "$scenario/disk" ] && cp -r "$scenario/disk/." "$machine/disk/"
sim_answers=()
[ -f "$scenario/answers" ] && sim_answers=(--answers "$scenario/answers")
"$zvset" --machine "$machine" "${sim_answers[@]}" -- "$(head -n 1 "$scenario/arguments")" \
  >"$RUN/sim.out" 2>&1 || {
  echo "the simulator's run failed:"
  cat "$RUN/sim.out"
  exit 1
}
# Messages between two processes under Wine may arrive in another order than
# the calls were made, so the two sides are compared as the set of what
# happened to the window.
sed -n 's/^window "Setup": \(hide\|show\|foreground\|WM_CLOSE\).*/\1/p' "$RUN/sim.out" |
  sed 's/^hide$/hidden/; s/^show$/shown/; s/^WM_CLOSE$/close/' | sort >"$RUN/sim-events"
grep -v '^exit ' "$TEST_DIR/setup.log" | sort >"$RUN/wine-events"
if ! diff -u "$RUN/wine-events" "$RUN/sim-events" >"$RUN/sim.diff"; then
  echo "the simulator and Wine disagree on the \"Setup\" window:"
  cat "$RUN/sim.diff"
  exit 1
fi
# The boxes, in order, as title, text and buttons.
if [ -f "$scenario/answers" ]; then
  sed -n 's/^box \("[^"]*"\) \[\([^]]*\)\] [^:]*: \(".*"\)$/box \1 \3 \2/p' "$RUN/sim.out" \
    >"$RUN/sim-boxes"
  tr -d '\r' <"$TEST_DIR/transcript.txt" |
    sed -n 's/^box \(".*"\) buttons \(.*\) icon [a-z]*$/box \1 \2/p' |
    sed 's/\\\\/\\/g' >"$RUN/wine-boxes"
  if ! diff -u "$RUN/wine-boxes" "$RUN/sim-boxes" >"$RUN/boxes.diff"; then
    echo "the simulator and Wine disagree on the boxes:"
    cat "$RUN/boxes.diff"
    exit 1
  fi
fi
if [ -f "$scenario/started" ]; then
  sed -n 's/^program "\([^"]*\)" "[^"]*": started.*/\1/p' "$RUN/sim.out" >"$RUN/sim-started"
  if ! diff -u "$scenario/started" "$RUN/sim-started" >"$RUN/sim-started.diff"; then
    echo "the simulator started other programs:"
    cat "$RUN/sim-started.diff"
    exit 1
  fi
fi
echo "passed"
