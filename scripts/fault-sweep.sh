#!/bin/bash
# Rehearses whole installations (fresh-95, fresh-nt, upgrade) under every
# file and registry fault: each kind's Nth operation failing for every N, and
# every one from the Nth on, each run checked and followed by a complete run
# on the same machine, as the simulator's tests do (the sanitize preset's
# every 7th N only). This runs them all (STRIDE 1) or every STRIDEth, and
# prints each case's figures and the totals. Fails when any case does.
#
#   scripts/fault-sweep.sh [STRIDE]
set -uo pipefail
cd "$(dirname "$0")/.."
stride=${1:-1}

cmake --preset sim >/dev/null
cmake --build --preset sim -j2 --target fault_sweep_tests || exit 1
log=build/sim/fault-sweep.log
ZVSET_SWEEP_STRIDE=$stride build/sim/tests/rehearsal/fault_sweep_tests >"$log" 2>&1
status=$?
grep '^sweep ' "$log"
awk '/^sweep /{
       for (i = 1; i <= NF; ++i) {
         if ($i == "runs" && $(i+1) ~ /^[0-9]/) runs += $(i+1)
         if ($i == "faults") faults += $(i+1)
         if ($i == "checked") files += $(i+1)
         if ($i == "patch") patch += $(i+1)
         if ($i == "entry") entry += $(i+1)
         if ($i == "nothing") whole += $(i+1)
       }
       ++cases
     }
     END { printf "total: %d cases, %d runs, %d faults injected, %d files checked (whole by patch %d, by entry %d), %d runs with a fault that lose nothing\n", cases, runs, faults, files, patch, entry, whole }' "$log"
if [ $status -ne 0 ]; then
  grep -E '^\[  FAILED  \]' "$log" | sort -u
  echo "the sweep failed; its output is in $log"
fi
exit $status
