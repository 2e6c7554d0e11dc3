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
WINE32=${WINE32:-/usr/lib/wine/wine}
WINE64=${WINE64:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
mkdir -p "$work"

pe_kind() {
  local at magic
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$at" ] || return 0
  magic=$(od -An -tx2 -j$((at + 24)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case $magic in
    010b) echo pe32 ;;
    020b) echo pe32+ ;;
  esac
}

build="" loader="" arch=""
for dir in "$@"; do
  probe=$dir/tests/wine-records/records_probe.exe
  [ -f "$probe" ] || continue
  case $(pe_kind "$probe") in
    pe32) candidate=$WINE32 candidate_arch=win32 ;;
    pe32+) candidate=$WINE64 candidate_arch=win64 ;;
    *) continue ;;
  esac
  if [ -x "$candidate" ] && "$candidate" --version >"$work/wine-version.out" 2>&1; then
    build=$dir loader=$candidate arch=$candidate_arch
    break
  fi
done
if [ -z "$build" ]; then
  echo "skipped: no records_probe.exe that a Wine on this machine can run"
  exit 77
fi
echo "build: $build ($arch)"

"$sim_tool" "$work/machine" "$work/sim.txt" || { echo "the simulator run failed"; exit 1; }

export WINEPREFIX=$work/prefix WINEARCH=$arch
rm -rf "$WINEPREFIX"
"$loader" wineboot -i >"$work/wineboot.out" 2>&1
"$WINESERVER" -w
probe_dir=$WINEPREFIX/drive_c/zvprobe
mkdir -p "$probe_dir"
cp "$build/tests/wine-records/records_probe.exe" "$probe_dir/"
find "$build/src" -iname '*.dll' -exec cp {} "$probe_dir/" \;
timeout 120 "$loader" 'C:\zvprobe\records_probe.exe' 'C:\zvprobe\wine.txt' \
  >"$work/wine.out" 2>"$work/wine.err"
status=$?
"$WINESERVER" -w
if [ $status -ne 0 ] || [ ! -f "$probe_dir/wine.txt" ]; then
  echo "the Wine run failed ($status); see $work/wine.err"
  exit 1
fi
tr -d '\r' <"$probe_dir/wine.txt" >"$work/wine.txt"
if diff -u "$work/sim.txt" "$work/wine.txt"; then
  echo "the simulator and Wine agree on $(wc -l <"$work/sim.txt") values and entries"
  exit 0
fi
exit 1
