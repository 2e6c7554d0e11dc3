#!/bin/bash
# The component stages on the simulated machine and, under Wine, on the real
# API with the robot answering: the startup components dialog with the Run
# key and the startup record, the diskette stage on a machine without a
# diskette drive and with a drive A: that is a folder of the run (through
# each copy of ZVRESCUE.DLL), and the scheduler offer with a stand-in
# scheduler that the robot closes. Each case's boxes, dialogs, result and
# diskette must be the same on both sides.
#
# Usage: startup.sh SIM_TOOL WORK BUILD [BUILD...]
# Exit code: 0 the same, 1 different or failed, 77 skipped (no Wine or no
# build).
set -u
sim_tool=$1 work=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/wine-prefix.sh"

# name|case|ZVRESCUE.DLL (none, real, or a test copy)|diskette drive A: (a or none)|answers
cases=(
  'startup|startup|none|none|dialog 102 uncheck 1000 uncheck 1001 press 1'
  'no-drive|rescue|real|none|box "No Floppy Drive Detected" OK'
  'rescue|rescue|real|a|dialog 135 press 1\nbox "Insert Rescue Diskette" OK'
  'rescue-done|rescue|returns-1|a|dialog 135 press 1\nbox "Insert Rescue Diskette" OK\ndialog 165 press 1'
  'rescue-again|rescue|returns-minus-1|a|dialog 135 press 1\nbox "Insert Rescue Diskette" OK\ndialog 135 press 2'
  'no-library|rescue|none|a|dialog 135 press 1\nbox "Insert Rescue Diskette" OK\nbox "Error" OK'
  'no-rescue-export|rescue|no-rescue|a|dialog 135 press 1\nbox "Insert Rescue Diskette" OK\nbox "Error" OK'
  'emergency|emergency|real|a|dialog 135 press 1\nbox "Insert Emergency Diskette" OK'
  'emergency-failing|both|returns-0|a|dialog 135 press 1\nbox "Insert Rescue Diskette" OK\nbox "Insert Emergency Diskette" OK\ndialog 135 press 2'
  'scheduler|scheduler|none|none|box "Schedule Zelvane Scanner" Yes\nclose "Zelvane Scheduler"'
)

prepare_run startup "$work" "$@" || exit $?
need_programs tests/wine-startup/startup_probe.exe \
  tests/wine-startup/scheduler_standin.exe || exit 1
standin=$BUILD/tests/wine-startup/scheduler_standin.exe
cp "$BUILD/tests/wine-startup/startup_probe.exe" "$TEST_DIR/"
install=$WINEPREFIX/drive_c/ZV
# Drive A: is a diskette drive wherever the run makes it.
"$LOADER" reg add 'HKLM\Software\Wine\Drives' /v a: /d floppy /f >"$RUN/drives.out" 2>&1
"$WINESERVER" -w
rm -f "$WINEPREFIX/drive_c/autoexec.bat" "$WINEPREFIX/drive_c/config.sys"

# The diskette's files, and the status lines of the rescue files: what they
# say they hold.
diskette() {
  local dir=$1 f
  [ -d "$dir" ] || return 0
  for f in $(cd "$dir" && ls | LC_ALL=C sort); do
    echo "diskette: $f"
    case $f in
      *.inf) sed -n '1,2p' "$dir/$f" | tr -d '\r' | sed 's/^/  /' ;;
    esac
  done
}

failed=0
for row in "${cases[@]}"; do
  IFS='|' read -r name kase library floppy answers <<<"$row"
  printf '%b\n' "$answers" >"$RUN/answers-$name.txt"

  # The simulated machine.
  "$sim_tool" "$RUN/machine-$name" "$kase" "$library" "$floppy" "$RUN/answers-$name.txt" \
    "$RUN/$name.sim.out" >"$RUN/$name.sim.err" 2>&1 ||
    { echo "$name: the simulator run failed; see $RUN/$name.sim.err"; failed=1; continue; }
  { cat "$RUN/$name.sim.out"; diskette "$RUN/machine-$name/disk/A"; } >"$RUN/$name.sim"

  # The prefix, set as the case has it.
  rm -rf "$install" "$RUN/drive_a"
  mkdir -p "$install"
  printf '\a\a\a\a\a\a\a\a' >"$install/ZVNT.CNF"
  cp "$standin" "$install/ZVSCHED.EXE"
  case $library in
    none) ;;
    real) cp "$BUILD/src/services/zvrescue/ZVRESCUE.DLL" "$install/" ;;
    *) cp "$BUILD/zvrescue-$library/ZVRESCUE.DLL" "$install/" ;;
  esac
  rm -f "$WINEPREFIX/dosdevices/a:"
  [ "$floppy" = a ] && prefix_path 'A:\' >/dev/null
  "$LOADER" reg delete 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' /f \
    >>"$RUN/drives.out" 2>&1
  "$WINESERVER" -w
  cp "$RUN/answers-$name.txt" "$TEST_DIR/answers-$name.txt"
  run_robot "$name" 'C:\zvtest\startup_probe.exe' "$kase" "C:\\zvtest\\result-$name.txt"
  robot=$?
  "$WINESERVER" -w
  transcript=$TEST_DIR/transcript-$name.txt
  if [ $robot != 0 ] || [ ! -f "$TEST_DIR/result-$name.txt" ]; then
    echo "$name: the Wine run failed (robot $robot); see $RUN/wine-$name.err and $transcript"
    [ -f "$transcript" ] && cat "$transcript"
    failed=1
    continue
  fi
  {
    grep -E '^(box |dialog [0-9]+ |close )' "$transcript" | tr -d '\r'
    tr -d '\r' <"$TEST_DIR/result-$name.txt"
    diskette "$RUN/drive_a"
  } >"$RUN/$name.wine"

  if diff -u --label "$name on the simulator" --label "$name under Wine" "$RUN/$name.sim" \
    "$RUN/$name.wine"; then
    echo "$name: the same on both ($(grep -c . "$RUN/$name.wine") lines)"
  else
    failed=1
  fi
done
exit $failed
