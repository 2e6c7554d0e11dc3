#!/bin/bash
# Runs the components scenario on the simulated machine and, under Wine, on
# the real Win32 API with the robot answering the dialog and a stand-in Word
# (winword_standin.exe as C:\WINWORD\WINWORD.EXE, tuned by the same behaviour
# words as the simulator's Word), and compares the boxes, the dialog's boxes,
# the windows Word was told to close, the files, INI entries and keys.
#
# Usage: compare.sh SIM_TOOL WORK BUILD [BUILD...]
# Exit code: 0 same, 1 different or failed, 77 skipped (no Wine or no build).
set -u
sim_tool=$1 work=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-prefix.sh"

prepare_run components "$work" "$@" || exit $?
need_programs tests/wine-components/components_probe.exe \
  tests/wine-components/winword_standin.exe || exit 1
standin=$BUILD/tests/wine-components/winword_standin.exe

"$sim_tool" "$RUN/machines" "$RUN/sim.txt" || { echo "the simulator run failed"; exit 1; }

# The probe beside the product's libraries.
cp "$BUILD/tests/wine-components/components_probe.exe" "$PROGRAM_DIR/"
drive_c=$WINEPREFIX/drive_c

# The behaviour words of the simulator's Word for a step (scenario.cpp).
behaviour() {
  case $1 in
    word-ends-early) echo "word no-report ends-after 1500" ;;
    word-user-closes) echo "word tip report-after 1500" ;;
    *) echo "word tip report-after 1500 document-closes-report-after 700" ;;
  esac
}

# What the robot saw, in the comparison's words: boxes, and the components
# dialog's two boxes as the robot found them, the windows the user closed.
seen() {
  sed -n -e 's/^\(box "[^"]*" ".*"\) buttons \(.*\)$/\1 buttons \2/p' \
         -e 's/^  \(102[34]\) check "[^"]*" checked\( disabled\)\{0,1\}$/\1 checked\2/p' \
         -e 's/^  \(102[34]\) check "[^"]*"\( disabled\)\{0,1\}$/\1 unchecked\2/p' \
         -e 's/^close \(".*"\)$/user closes \1/p' "$1" |
    sed 's/\\\\/\\/g'
}

step() {
  local name=$1 answers=$2
  rm -rf "$drive_c/ZV" "$drive_c/WINWORD" "$drive_c/SCAN"
  mkdir -p "$drive_c/ZV" "$drive_c/WINWORD/TEMPLATE"
  rm -f "$TEST_DIR/winword.log"
  case $name in
    word*) cp "$standin" "$drive_c/WINWORD/WINWORD.EXE" ;;
  esac
  behaviour "$name" >"$TEST_DIR/winword.txt"
  printf '%b' "$answers" >"$TEST_DIR/answers-$name.txt"
  run_robot "$name" 'C:\Zelvane Setup\components_probe.exe' "$name" "C:\\zvtest\\out-$name.txt"
  # A stand-in Word that the step failed to close would keep the prefix busy.
  timeout 30 "$WINESERVER" -w || "$WINESERVER" -k
  local transcript=$TEST_DIR/transcript-$name.txt
  if [ ! -f "$transcript" ] || [ ! -f "$TEST_DIR/out-$name.txt" ]; then
    echo "the $name step did not finish; see $RUN/wine-$name.err" >&2
    return 1
  fi
  if grep -q '^no answer\|^unused answer' "$transcript"; then
    echo "the robot's answers did not fit the $name step:" >&2
    cat "$transcript" >&2
    return 1
  fi
  echo "== $name"
  tr -d '\r' <"$transcript" >"$RUN/transcript-$name.txt"
  seen "$RUN/transcript-$name.txt"
  [ -f "$TEST_DIR/winword.log" ] && tr -d '\r' <"$TEST_DIR/winword.log"
  tr -d '\r' <"$TEST_DIR/out-$name.txt"
}

{
  step dialog 'box "Warning" OK\ndialog 149 press 1\n' &&
    step word '' &&
    step word-user-closes 'close "ZVFW Installation Over"\n' &&
    step word-ends-early '' &&
    step shell ''
} >"$RUN/wine.txt" || exit 1
exit_with_comparison "$(grep -c '^==' "$RUN/sim.txt") steps"
