#!/bin/bash
# Builds everything and runs every test: the simulator build with its tests,
# the same tests under ASan and UBSan, the Windows build (i686 and x86_64),
# ZVSET.EXE under Wine, and each fuzz target for 10 s on its seed corpus.
# Installs what it needs when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

for preset in sim sanitize windows windows-x64; do
  echo "--- build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "--- tests: simulator and Wine"
# The Wine tests must really run here: a missing Wine is a failure, not a skip.
ZVSET_REQUIRE_WINE=1 ctest --preset sim -j "$jobs"
echo "--- tests: simulator under ASan and UBSan"
ctest --preset sanitize -j "$jobs" -LE wine
echo "--- fuzz: each target for 10 s on its seed corpus"
scripts/fuzz.sh 10
