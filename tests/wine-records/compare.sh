#!/bin/bash
# Runs the records scenario on the simulated machine and, under Wine, on the
# real registry and profile functions, and compares what each left behind.
#
# Usage: compare.sh SIM_TOOL WORK BUILD [BUILD...]
#   SIM_TOOL  the simulator build's records_sim
#   WORK      folder for the prefix, the machine and the dumps
#   BUILD     Windows build folders, tried in turn (i686 needs 32-bit Wine)
# Exit code: 0 same, 1 different or failed, 77 skipped (no Wine or no build).
set -u
sim_tool=$1 work=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-prefix.sh"

prepare_run records "$work" "$@" || exit $?

rm -rf "$RUN/machine"
"$sim_tool" "$RUN/machine" "$RUN/sim.txt" || { echo "the simulator run failed"; exit 1; }

# Beside the product's DLLs, which it imports.
cp "$BUILD/tests/wine-records/records_probe.exe" "$PROGRAM_DIR/"
timeout 120 "$LOADER" 'C:\Zelvane Setup\records_probe.exe' 'C:\zvtest\wine.txt' \
  >"$RUN/wine.out" 2>"$RUN/wine.err"
status=$?
"$WINESERVER" -k >/dev/null 2>&1
if [ $status -ne 0 ] || [ ! -f "$TEST_DIR/wine.txt" ]; then
  echo "the Wine run failed ($status); see $RUN/wine.err"
  exit 1
fi
tr -d '\r' <"$TEST_DIR/wine.txt" >"$RUN/wine.txt"
exit_with_comparison "$(wc -l <"$RUN/sim.txt") values and entries"
