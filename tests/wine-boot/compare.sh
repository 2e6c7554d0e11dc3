#!/bin/bash
# Runs the boot files scenario on the simulated machine and, under Wine, on
# the real file functions, and compares the files each left, byte for byte.
# Under Wine the start-up program is a copy of started.exe, which must have
# run by the time the program goes on.
#
# Usage: compare.sh SIM_TOOL WORK BUILD [BUILD...]
#   SIM_TOOL  the simulator build's boot_sim
#   WORK      folder for the prefix, the machine and the dumps
#   BUILD     Windows build folders, tried in turn (i686 needs 32-bit Wine)
# Exit code: 0 same, 1 different or failed, 77 skipped (no Wine or no build).
set -u
sim_tool=$1 work=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-prefix.sh"

prepare_run boot "$work" "$@" || exit $?

rm -rf "$RUN/machine"
"$sim_tool" "$RUN/machine" "$RUN/sim.txt" || { echo "the simulator run failed"; exit 1; }

mkdir -p "$WINEPREFIX/drive_c/Zelvane AV"
cp "$TEST_DIR/started.exe" "$WINEPREFIX/drive_c/Zelvane AV/ZVSTRUP.EXE"
cp "$BUILD/tests/wine-boot/boot_probe.exe" "$PROGRAM_DIR/"
timeout 120 "$LOADER" 'C:\Zelvane Setup\boot_probe.exe' 'C:\zvtest\wine.txt' \
  >"$RUN/wine.out" 2>"$RUN/wine.err"
status=$?
"$WINESERVER" -k >/dev/null 2>&1
if [ $status -ne 0 ] || [ ! -f "$TEST_DIR/wine.txt" ]; then
  echo "the Wine run failed ($status); see $RUN/wine.err"
  exit 1
fi
if ! grep -qi 'ZVSTRUP.EXE' "$TEST_DIR/started.log" 2>/dev/null; then
  echo "the start-up program did not run under Wine"
  exit 1
fi
tr -d '\r' <"$TEST_DIR/wine.txt" >"$RUN/wine.txt"
exit_with_comparison "$(grep -c '^[^ ]' "$RUN/sim.txt") files, byte for byte"
