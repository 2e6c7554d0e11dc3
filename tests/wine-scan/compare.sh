#!/bin/bash
# Runs the scan scenario on the simulated machine and, under Wine, on the
# real Win32 API with the robot answering the boxes, and compares the
# reports and the registry value after an infected and after a clean scan.
# Both sides are Windows 95, so the memory stage loads ZVMSI32.DLL first.
#
# Usage: compare.sh SIM_TOOL WORK BUILD [BUILD...]
#   SIM_TOOL  the simulator build's scan_sim
#   WORK      folder for the prefix, the machine and the outputs
#   BUILD     Windows build folders, tried in turn (i686 needs 32-bit Wine)
# Exit code: 0 same, 1 different or failed, 77 skipped (no Wine or no build).
set -u
sim_tool=$1 work=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-prefix.sh"

prepare_run scan "$work" "$@" || exit $?
need_programs tests/wine-scan/scan_probe.exe || exit 1

"$sim_tool" "$RUN/machine" "$RUN/fixtures" "$RUN/sim.txt" || { echo "the simulator run failed"; exit 1; }

# The probe beside the product's libraries and the index.
cp "$BUILD/tests/wine-scan/scan_probe.exe" "$TEST_DIR/"
find "$BUILD/src" -iname '*.dll' -exec cp {} "$TEST_DIR/" \;
cp "$RUN/fixtures/ZV.INX" "$TEST_DIR/"
# The prefix reports Windows 95; the probe's "GetOS: 1" shows it took.
"$LOADER" reg add 'HKCU\Software\Wine' /v Version /d win95 /f >"$RUN/version.out" 2>&1
"$WINESERVER" -w
windows=$WINEPREFIX/drive_c/windows
fixtures=$(cd "$RUN/fixtures" && find . -type f ! -name ZV.INX | sed 's|^\./||')

# One scan: the robot answers every box from ANSWERS; the boxes it saw and
# the registry line the probe wrote go to the output.
scan() {
  local name=$1 answers=$2
  printf '%b' "$answers" >"$TEST_DIR/answers-$name.txt"
  run_robot "$name" 'C:\zvtest\scan_probe.exe' "C:\\zvtest\\value-$name.txt"
  "$WINESERVER" -w
  local transcript=$TEST_DIR/transcript-$name.txt
  if [ ! -f "$transcript" ] || [ ! -f "$TEST_DIR/value-$name.txt" ]; then
    echo "the $name scan did not finish; see $RUN/wine-$name.err" >&2
    return 1
  fi
  # The scan dialog takes no input: whether the robot saw it while the scan
  # was busy does not matter. Every box must have had its answer.
  if grep -q '^no answer' "$transcript" || grep '^unused answer' "$transcript" | grep -qv 'dialog 143'; then
    echo "the robot's answers did not fit the $name scan:" >&2
    cat "$transcript" >&2
    return 1
  fi
  echo "$name"
  sed -n 's/^box "Virus Found" "\(.*\)" buttons OK icon \(shown\|none\)$/box "Virus Found" OK icon \2: \1/p' \
    "$transcript" | sed 's/\\\\/\\/g'
  tr -d '\r' <"$TEST_DIR/value-$name.txt"
}

for f in $fixtures; do
  mkdir -p "$windows/$(dirname "$f")"
  cp "$RUN/fixtures/$f" "$windows/$f"
done
{
  scan infected 'dialog 143\nbox "Virus Found" OK\nbox "Virus Found" OK\nbox "Virus Found" OK\n' &&
    for f in $fixtures; do rm -f "$windows/$f"; done &&
    scan clean 'dialog 143\n'
} >"$RUN/wine.txt" || exit 1
exit_with_comparison "$(grep -c '^box' "$RUN/sim.txt") reports, then a clean scan"
