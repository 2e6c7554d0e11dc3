#!/bin/bash
# The memory stage's roads on the simulated machine and, under Wine, on the
# real LoadLibrary and GetProcAddress: ScanMemory with no ZVMSI32.DLL, with
# one that lacks its export, with the clean one and with one that reports a
# virus in memory. Each case's boxes and result must be those of the table,
# on both sides.
#
# Usage: memory.sh SIM_TOOL WORK BUILD [BUILD...]
#   SIM_TOOL  the simulator build's memory_sim
#   WORK      folder for the prefix, the machines and the outputs
#   BUILD     Windows build folders, tried in turn (i686 needs 32-bit Wine)
# Exit code: 0 all as the table says, 1 otherwise, 77 skipped (no Wine or no
# build).
set -u
sim_tool=$1 work=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-prefix.sh"

# case|the ZVMSI32.DLL beside the probe (a folder of the Windows build)|the box|result
cases=(
  'absent||box "Error" "Couldnot load ZVMSI32.DLL.\nAborting..." buttons OK icon none|0'
  'corrupt|zvmsi-corrupt|box "Error" "ZVMSI32.DLL is corrupt.\nCannot proceed..." buttons OK icon none|0'
  'clean|src/services/zvmsi||1'
  'infected|zvmsi-infected||0'
)

prepare_run memory "$work" "$@" || exit $?
need_programs tests/wine-scan/memory_probe.exe || exit 1
probe=$BUILD/tests/wine-scan/memory_probe.exe

failed=0
for row in "${cases[@]}"; do
  IFS='|' read -r name library box result <<<"$row"
  {
    [ -z "$box" ] || printf '%s\n' "$box"
    echo "ScanMemory: $result"
  } >"$RUN/$name.expected"

  "$sim_tool" "$RUN/machine-$name" "$name" "$RUN/$name.sim" ||
    { echo "$name: the simulator run failed"; failed=1; continue; }

  # The probe in a folder of its own with the product's libraries, ZVMSI32.DLL
  # only as the case has it, and started from there: the system looks for the
  # library beside the program and in the current folder.
  dir=$TEST_DIR/memory-$name
  mkdir -p "$dir"
  cp "$probe" "$dir/"
  find "$BUILD/src" -iname '*.dll' ! -iname ZVMSI32.DLL -exec cp {} "$dir/" \;
  [ -z "$library" ] || cp "$BUILD/$library/ZVMSI32.DLL" "$dir/"
  [ -z "$box" ] || echo 'box "Error" OK' >"$dir/answers.txt"
  touch "$dir/answers.txt"
  (cd "$dir" && timeout 120 "$LOADER" 'C:\zvtest\zvrobot.exe' "C:\\zvtest\\memory-$name\\answers.txt" \
    "C:\\zvtest\\memory-$name\\transcript.txt" 'C:\zvtest\zvset.rc' -- \
    "C:\\zvtest\\memory-$name\\memory_probe.exe" "C:\\zvtest\\memory-$name\\result.txt" \
    >"$RUN/wine-$name.out" 2>"$RUN/wine-$name.err")
  robot=$?
  "$WINESERVER" -w
  if [ $robot != 0 ] || [ ! -f "$dir/result.txt" ]; then
    echo "$name: the Wine run failed (robot $robot); see $RUN/wine-$name.err and $dir/transcript.txt"
    failed=1
    continue
  fi
  { grep '^box ' "$dir/transcript.txt"; tr -d '\r' <"$dir/result.txt"; } >"$RUN/$name.wine"

  for side in sim wine; do
    if diff -u --label expected --label "$name on $side" "$RUN/$name.expected" "$RUN/$name.$side"; then
      echo "$name on $side: $(tr '\n' ' ' <"$RUN/$name.$side")"
    else
      failed=1
    fi
  done
done
exit $failed
