#!/bin/bash
# Builds the program group on Wine's own shell (groupcheck.exe), whose
# desktop serves the program manager's DDE service under a virtual display,
# and checks the Start Menu group: five shortcuts with their captions and
# targets, and nothing else, also after a second run over an older group.
# Usage: run-program-group.sh WORK BUILD [BUILD...]
# Exit code: 0 passed, 1 failed, 77 skipped (no Wine or no build to run).
set -u
work=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-prefix.sh"

if [ "${ZVSET_IN_DISPLAY:-}" != 1 ]; then
  if ! command -v xvfb-run >/dev/null; then
    echo "skipped: no xvfb-run"
    [ "${ZVSET_REQUIRE_WINE:-0}" = 1 ] && exit 1
    exit 77
  fi
  ZVSET_IN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$work" "$@"
fi

prepare_run program-group "$work" "$@" || exit $?
# The desktop, and with it the shell's DDE service, needs a real display.
timeout 60 "$LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f \
  >"$RUN/reg.out" 2>&1
"$WINESERVER" -w

install="$WINEPREFIX/drive_c/Program Files/Zelvane"
mkdir -p "$install"
for file in ZV32.EXE VIGARD.EXE ZVDOCK.EXE ZVSCHED.EXE ZVUINST.EXE; do
  cp "$TEST_DIR/started.exe" "$install/$file"
done
group=$(find "$WINEPREFIX/drive_c/users" -maxdepth 8 -type d -path '*Start Menu/Programs' | head -n 1)/Zelvane

failed=0
check_group() {
  local expected caption file
  expected=$'Online Protection.lnk VIGARD.EXE\nScheduler.lnk ZVSCHED.EXE\nTool Bar.lnk ZVDOCK.EXE\nUninstall.lnk ZVUINST.EXE\nZelvane.lnk ZV32.EXE'
  local got=""
  while IFS= read -r caption; do
    file=$(strings -n 4 "$group/$caption" | grep -o '[A-Z0-9]*\.EXE$' | head -n 1)
    got+="$caption $file"$'\n'
  done < <(ls "$group" 2>/dev/null | LC_ALL=C sort)
  if [ "${got%$'\n'}" != "$expected" ]; then
    echo "after $1: the group holds"
    printf '%s' "$got"
    failed=1
  fi
}

run_group() {
  timeout 120 "$LOADER" 'C:\zvtest\groupcheck.exe' 'C:\Program Files\Zelvane' \
    >>"$RUN/wine.out" 2>>"$RUN/wine.err" || { echo "groupcheck.exe failed"; failed=1; }
}

run_group
check_group "the first run"
# An older group with an item of its own is replaced whole.
cp "$group/Zelvane.lnk" "$group/Old Scanner.lnk"
run_group
check_group "the second run"

"$WINESERVER" -k >/dev/null 2>&1
exit $failed
