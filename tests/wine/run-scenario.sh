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
#                           run must leave, on both sides (see README.md)
#               platform    (optional) how the simulated machine's names read
#                           under Wine, one "SIMULATOR => WINE" a line
#               display     (optional) run under a virtual display, so that
#                           Wine's shell serves the program manager service
#               verbose     (optional) the logs show the lookups too
#               group       (optional) the Start Menu group ZVSET must leave
#   WORK      folder for the prefixes and the run's files
#   ZVSIM, ZVSET  the simulator's commands: the same argument text runs on a
#             fresh simulated machine, with the same registry, files and
#             answers; ZVSET.EXE's log (ZVSET_LOG) must read as the
#             simulator's, line by line, once the platform's names are
#             normalised, and the "Setup" window must see there what it saw
#             under Wine
#   BUILD     Windows build folders, tried in turn
# Exit code: 0 passed, 1 failed, 77 skipped (no Wine or no build to run).
set -u
scenario=$1 work=$2 zvsim=$3 zvset=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-prefix.sh"

# The simulated machine's names as they read under Wine: each line of
# `platform` is "SIMULATOR => WINE", replaced wherever it occurs.
as_on_wine() {
  if [ ! -f "$scenario/platform" ]; then
    cat
    return
  fi
  tr -d '\r' <"$scenario/platform" | grep -v '^#' | grep ' => ' >"$RUN/platform.txt"
  awk 'NR == FNR { at = index($0, " => "); from[++n] = substr($0, 1, at - 1); to[n] = substr($0, at + 4); next }
    {
      for (k = 1; k <= n; k++) {
        out = ""; rest = $0
        while ((at = index(rest, from[k])) > 0) {
          out = out substr(rest, 1, at - 1) to[k]; rest = substr(rest, at + length(from[k]))
        }
        $0 = out rest
      }
      print
    }' "$RUN/platform.txt" -
}

# The simulated machine's registry values and INI entries that `records`
# names, as dump_records gives Wine's.
sim_records() {
  local key root file host part
  sed -n 's/^\(HK[^:]*\): .*/\1/p' "$scenario/records" | sort -u | while IFS= read -r key; do
    case ${key%%\\*} in
      HKCU) root=HKEY_CURRENT_USER ;;
      HKLM) root=HKEY_LOCAL_MACHINE ;;
      HKCR) root=HKEY_CLASSES_ROOT ;;
      *) continue ;;
    esac
    tr -d '\r' <"$machine/registry/95/$root.reg" | KEY="$root\\${key#*\\}" NAME=$key awk '
      # The quoted REGEDIT4 string at the start of L; L goes on after it.
      function quoted(   c, out) {
        out = ""; L = substr(L, 2)
        while (L != "") {
          c = substr(L, 1, 1); L = substr(L, 2)
          if (c == "\"") return out
          if (c == "\\") { c = substr(L, 1, 1); L = substr(L, 2) }
          out = out c
        }
        return out
      }
      /^\[/ { inside = toupper($0) == toupper("[" ENVIRON["KEY"] "]"); next }
      !inside { next }
      /^@="/ { L = substr($0, 3); print ENVIRON["NAME"] ": (Default)=" quoted(); next }
      /^"/ { L = $0; name = quoted(); if (L ~ /^="/) { L = substr(L, 2); print ENVIRON["NAME"] ": " name "=" quoted() } }'
  done
  record_files | while IFS= read -r file; do
    # The file's path on the machine's disk, whatever the letter case.
    host=$machine/disk/$(printf '%s' "${file:0:1}" | tr 'a-z' 'A-Z')
    while IFS= read -r -d '\' part; do
      host=$(find "$host" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
      [ -n "$host" ] || break
    done < <(printf '%s\\' "${file:3}")
    [ -n "$host" ] && ini_entries "$file" "$host"
  done
}

record_files() {
  sed -n 's/^\([A-Za-z]:\\[^:]*\): .*/\1/p' "$scenario/records" | sort -u
}

# The entries of the INI file at host path $2 as lines of `records` for $1.
ini_entries() {
  [ -f "$2" ] || return 0
  tr -d '\r' <"$2" | FILE=$1 awk '
    /^\[/ { section = $0; next }
    /=/ { print ENVIRON["FILE"] ": " section " " $0 }'
}

# The simulator's half: the same argument text on a fresh simulated machine,
# with the same registry content, the same files on the drives other than C:
# (and nothing else there) and the same answers; what the scenario expects
# of the machine and the shell's group is checked here. It needs neither Wine
# nor a display, so it runs first, everywhere.
simulator_half() {
  machine=$RUN/machine
  # A fresh machine on every run, as the prefix is.
  rm -rf "$machine"
  if ! "$zvsim" new "$machine" >"$RUN/zvsim.out" 2>&1; then
    echo "the simulated machine could not be made:"
    cat "$RUN/zvsim.out"
    return 1
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
  [ -n "$verbose" ] && sim_answers+=(--verbose)
  rm -f "$RUN/sim.log"
  ZVSET_LOG=$RUN/sim.log "$zvset" --machine "$machine" "${sim_answers[@]}" -- \
    "$(head -n 1 "$scenario/arguments")" >"$RUN/sim.out" 2>&1 || {
    echo "the simulator's run failed:"
    cat "$RUN/sim.out"
    return 1
  }
  if [ -f "$scenario/records" ]; then
    sim_records | as_on_wine | sort >"$RUN/sim-records.txt"
    if ! sort "$scenario/records" | diff -u - "$RUN/sim-records.txt" >"$RUN/sim-records.diff"; then
      echo "the simulated machine's registry and INI files hold something else:"
      cat "$RUN/sim-records.diff"
      return 1
    fi
  fi
  if [ -f "$scenario/group" ]; then
    sed -n 's/^shell: item "\(.*\)" in group "\(.*\)": "\(.*\)"$/\2: \1=\3/p' "$RUN/sim.out" |
      as_on_wine | sort >"$RUN/sim-group.txt"
    if ! sort "$scenario/group" | diff -u - "$RUN/sim-group.txt" >"$RUN/sim-group.diff"; then
      echo "the simulator's shell holds another group:"
      cat "$RUN/sim-group.diff"
      return 1
    fi
  fi
}

verbose=
[ -f "$scenario/verbose" ] && verbose=1
RUN=$work/$(basename "$scenario")
mkdir -p "$RUN"
if [ "${ZVSET_IN_DISPLAY:-}" != 1 ] && [ ! -f "$scenario/program" ]; then
  simulator_half || exit 1
fi

if [ -f "$scenario/display" ] && [ "${ZVSET_IN_DISPLAY:-}" != 1 ]; then
  if ! command -v xvfb-run >/dev/null; then
    echo "skipped: no xvfb-run (the simulator's half passed)"
    [ "${ZVSET_REQUIRE_WINE:-0}" = 1 ] && exit 1
    exit 77
  fi
  ZVSET_IN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    "$0" "$scenario" "$work" "$zvsim" "$zvset" "$@"
fi

prepare_run "$(basename "$scenario")" "$work" "$@" || {
  status=$?
  [ $status = 77 ] && [ ! -f "$scenario/program" ] && echo "the simulator's half passed"
  exit $status
}
# The prefix's server stays up until the end, so that the registry is read
# as the run left it in the server, not as the server last saved it.
trap '"$WINESERVER" -k >/dev/null 2>&1' EXIT
if [ -f "$scenario/display" ]; then
  # The desktop, and with it the shell's program manager service, needs a
  # real display.
  timeout 60 "$LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f \
    >"$RUN/display.out" 2>&1
  "$WINESERVER" -w
fi
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
export ZVSET_LOG_VERBOSE=$verbose
if [ -f "$scenario/answers" ]; then
  cp "$scenario/answers" "$TEST_DIR/answers.txt"
  ZVSET_LOG='C:\zvtest\zvset.log' timeout 120 "$LOADER" 'C:\zvtest\zvrobot.exe' \
    'C:\zvtest\answers.txt' 'C:\zvtest\transcript.txt' 'C:\zvtest\zvset.rc' -- \
    "${front_end[@]}" >"$RUN/wine.out" 2>"$RUN/wine.err"
else
  ZVSET_LOG='C:\zvtest\zvset.log' timeout 120 "$LOADER" "${front_end[@]}" \
    >"$RUN/wine.out" 2>"$RUN/wine.err"
fi
status=$?
# Programs that ZVSET started run on by themselves; they end at once. The
# desktop of a display run never ends by itself, so the wait is for them.
if [ -f "$scenario/files" ]; then
  for _ in $(seq 60); do
    running=0
    while IFS= read -r path || [ -n "$path" ]; do
      path=${path%$'\r'}
      [ -n "$path" ] && pgrep -if -- "${path##*\\}" >/dev/null && running=1
    done <"$scenario/files"
    [ $running = 0 ] && break
    sleep 0.5
  done
fi
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
    tr -d '\r' <"$RUN/query.out" |
      sed -n "s/^    \(.*\)    REG_SZ    \(.*\)\$/\1=\2/p; s/^    \(.*\)    REG_SZ\$/\1=/p" |
      while IFS= read -r value; do printf '%s: %s\n' "$key" "$value"; done
  done
  record_files | while IFS= read -r file; do
    ini_entries "$file" "$(prefix_path "$file")"
  done
}
if [ -f "$scenario/records" ]; then
  # The date of the run reads @TODAY@.
  dump_records | sed "s/$(date +%Y%m%d)/@TODAY@/g" | sort >"$RUN/records.txt"
  if ! sort "$scenario/records" | diff -u - "$RUN/records.txt" >"$RUN/records.diff"; then
    echo "the registry and INI files hold something else:"
    cat "$RUN/records.diff"
    exit 1
  fi
fi

# The Start Menu groups that `group` names, as "GROUP: CAPTION=TARGET" for
# each shortcut: its target is the first path that the shortcut file holds.
if [ -f "$scenario/group" ]; then
  menu=$(find "$WINEPREFIX/drive_c/users" -maxdepth 8 -type d -path '*Start Menu/Programs' | head -n 1)
  sed -n 's/^\([^:]*\): .*/\1/p' "$scenario/group" | sort -u | while IFS= read -r name; do
    for link in "$menu/$name"/*; do
      [ -f "$link" ] || continue
      caption=$(basename "$link")
      printf '%s: %s=%s\n' "$name" "${caption%.lnk}" \
        "$(strings -n 4 "$link" | grep -m 1 '^[A-Za-z]:\\')"
    done
  done | sort >"$RUN/group.txt"
  if ! sort "$scenario/group" | diff -u - "$RUN/group.txt" >"$RUN/group.diff"; then
    echo "the Start Menu holds something else:"
    cat "$RUN/group.diff"
    exit 1
  fi
fi

# Test programs other than ZVSET have no counterpart on the simulator.
if [ -f "$scenario/program" ]; then
  echo "passed"
  exit 0
fi

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
# ZVSET.EXE's log and the simulator's, line by line: every box and dialog
# with its answer, window operation, program started, registry value, INI
# entry and file changed, and the exit code. What only the platform decides
# is normalised on both sides: the Windows version of the start line, where
# a dialog was moved to and how large it is on this screen and font, and the
# names of the system files that the scan dialog shows passing, which are
# each machine's own. The simulator's ZVSET lies in C:\ZV Setup\ (short
# name C:\ZVSETU~1), ZVSET.EXE in C:\Zelvane Setup\ (C:\ZELV~E5A under Wine).
normalised_log() {
  sed 's/^\(zvset ".*" on Windows\) [0-9A-Z]*$/\1/
    s/: moved to [0-9-]*,[0-9-]* ([0-9]*x[0-9]*)/: moved/
    /^dialog 143: 1015 text "/d'
}
# The date of the run reads @TODAY@, as in the records.
tr -d '\r' <"$TEST_DIR/zvset.log" | sed "s/$(date +%Y%m%d)/@TODAY@/g" | normalised_log \
  >"$RUN/wine-log.txt"
as_on_wine <"$RUN/sim.log" |
  sed 's/C:\\ZV Setup\\/C:\\Zelvane Setup\\/g; s/C:\\ZVSETU~1\\/C:\\ZELV~E5A\\/g' |
  normalised_log >"$RUN/sim-log.txt"
if ! diff -u "$RUN/sim-log.txt" "$RUN/wine-log.txt" >"$RUN/log.diff"; then
  echo "ZVSET.EXE's log differs from the simulator's:"
  cat "$RUN/log.diff"
  exit 1
fi
echo "passed"
