#!/bin/bash
# Builds the fuzz targets (the fuzz preset: clang, libFuzzer, ASan and UBSan)
# and runs each on its seed corpus in tests/fuzz/corpus/<target> for a while:
# SECONDS each (10 unless given), or only TARGET when it is named. New inputs
# go to a scratch folder, not into the repository. Fails when a target
# crashes or breaks the property it checks; the input that did it is kept as
# build/fuzz/crashes/<target>-crash-... and the run's output beside it.
#
#   scripts/fuzz.sh [SECONDS [TARGET]]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
only=${2:-}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

# Targets that run on the simulated machine keep it open from one input to
# the next; its record of the run grows, which libFuzzer's per-input leak
# check would take for a leak (and slow every input down to rescan the heap).
on_machine=" ini_file index scan zvio_lines boot_files paths word_location "

crashes=build/fuzz/crashes
mkdir -p "$crashes"
failed=()
for corpus in tests/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  [ -z "$only" ] || [ "$only" = "$target" ] || continue
  scratch=$(mktemp -d)
  leaks=1
  [[ "$on_machine" == *" $target "* ]] && leaks=0
  log="$crashes/$target.log"
  if build/fuzz/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -detect_leaks=$leaks \
       -artifact_prefix="$crashes/$target-" -print_final_stats=1 \
       "$scratch" "$corpus" >"$log" 2>&1; then
    echo "fuzz $target: $(grep -E '^#[0-9]+.*DONE' "$log" | tail -1)"
  else
    echo "fuzz $target: FAILED"
    grep -E 'violated|ERROR|SUMMARY|Test unit written' "$log" | head -5
    failed+=("$target")
  fi
  rm -rf "$scratch"
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz targets that failed: ${failed[*]}"; exit 1; }
