# Helpers for the Wine scenarios: which Windows build this machine can run,
# and fresh headless Wine prefixes. Sourced by run-scenario.sh.

# The source tree this file belongs to.
SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WINE32=${WINE32:-/usr/lib/wine/wine}
WINE64=${WINE64:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=${WINEDEBUG:--all}

# pe32 or pe32+ for a Windows program file, nothing for anything else.
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

# Whether a Wine loader starts on this machine at all. Some kernels run no
# 32-bit Linux programs, and so no 32-bit Wine.
wine_starts() {
  [ -x "$1" ] && "$1" --version >"$2/probe-$(basename "$1").out" 2>&1
}

# Picks the first build in "$@" whose ZVSET.EXE this machine can run under
# Wine. Sets BUILD, ARCH (win32 or win64) and LOADER; returns 1 with the
# reasons in SKIP_REASON when there is none.
choose_build() {
  local work=$1 dir exe kind
  shift
  SKIP_REASON=""
  for dir in "$@"; do
    [ -n "$dir" ] || continue
    exe=$dir/src/ZVSET.EXE
    if [ ! -f "$exe" ]; then
      SKIP_REASON="$SKIP_REASON no $exe;"
      continue
    fi
    kind=$(pe_kind "$exe")
    if [ "$kind" = pe32 ] && wine_starts "$WINE32" "$work"; then
      BUILD=$dir ARCH=win32 LOADER=$WINE32
      return 0
    elif [ "$kind" = pe32+ ] && wine_starts "$WINE64" "$work"; then
      BUILD=$dir ARCH=win64 LOADER=$WINE64
      return 0
    fi
    SKIP_REASON="$SKIP_REASON $exe is ${kind:-not a Windows program} and no Wine for it starts here;"
  done
  return 1
}

# Makes the template prefix for ARCH once per work folder: a booted prefix
# whose graphics driver is the null driver, so that windows, dialogs and
# activation work without a display, and where a crash of one of Wine's own
# programs (its desktop under a virtual display) puts up no box that a run
# would take for one of ZVSET's. The driver must be set before the
# prefix's desktop process starts, hence the server shutdown after setting it.
make_template() {
  local work=$1 template=$1/prefix-$ARCH
  (
    flock 9
    [ -f "$template/.ready" ] && exit 0
    rm -rf "$template"
    WINEARCH=$ARCH WINEPREFIX=$template "$LOADER" wineboot -i >"$work/wineboot.out" 2>&1 &&
      WINEPREFIX=$template "$LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
        >>"$work/wineboot.out" 2>&1 &&
      WINEPREFIX=$template "$LOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
        /t REG_DWORD /d 0 /f >>"$work/wineboot.out" 2>&1 &&
      WINEPREFIX=$template "$WINESERVER" -w >>"$work/wineboot.out" 2>&1 &&
      touch "$template/.ready"
  ) 9>"$template.lock"
  [ -f "$template/.ready" ]
}

# A fresh prefix at DEST from the template. The system's own libraries are
# hard-linked (nothing writes to them); everything else, registry and INI
# files included, is a real copy.
fresh_prefix() {
  local template=$1/prefix-$ARCH dest=$2 item
  rm -rf "$dest"
  mkdir -p "$dest/drive_c/windows"
  for item in "$template"/* "$template"/drive_c/*; do
    case $item in
      */drive_c) ;;
      */drive_c/windows) ;;
      *) cp -a "$item" "${dest}${item#"$template"}" ;;
    esac
  done
  for item in "$template"/drive_c/windows/*; do
    case $item in
      */system32 | */syswow64 | */winsxs) cp -al "$item" "$dest/drive_c/windows/" ;;
      *) cp -a "$item" "$dest/drive_c/windows/" ;;
    esac
  done
  # The template is booted already: without this, the first program of every
  # run updates the copy again, which takes many seconds and starts the
  # desktop in the middle of the run.
  echo disable >"$dest/.update-timestamp"
}

# Everything a run needs, for the run NAME in WORK with the first of the
# BUILDs that this machine can run: a fresh prefix (WINEPREFIX is set to it)
# with the program and its libraries in PROGRAM_DIR, a folder whose name has
# a blank as the front end may start the program by a quoted path, and the
# test programs in TEST_DIR (C:\zvtest). Sets RUN, the run's own folder.
# Returns 77 to skip (1 where the caller requires Wine), 1 on failure.
prepare_run() {
  local name=$1 work=$2
  shift 2
  mkdir -p "$work"
  if ! choose_build "$work" "$@"; then
    echo "skipped:$SKIP_REASON"
    # Where the Wine tests must run (the test command), a skip is a failure.
    [ "${ZVSET_REQUIRE_WINE:-0}" = 1 ] && return 1
    return 77
  fi
  echo "build: $BUILD ($ARCH)"
  if ! make_template "$work"; then
    echo "could not make a Wine prefix; see $work/wineboot.out"
    return 1
  fi
  RUN=$work/$name
  fresh_prefix "$work" "$RUN/prefix"
  export WINEPREFIX=$RUN/prefix
  PROGRAM_DIR="$WINEPREFIX/drive_c/Zelvane Setup"
  TEST_DIR=$WINEPREFIX/drive_c/zvtest
  mkdir -p "$PROGRAM_DIR" "$TEST_DIR"
  cp "$BUILD/src/ZVSET.EXE" "$PROGRAM_DIR/"
  find "$BUILD/src" -iname '*.dll' -exec cp {} "$PROGRAM_DIR/" \;
  cp "$BUILD"/tests/wine/programs/*.exe "$TEST_DIR/"
  # The robot reads the dialogs' captions from the resource script.
  cp "$SOURCE_DIR/res/zvset.rc" "$TEST_DIR/zvset.rc"
  # Test programs built from the program's library need its DLLs beside them.
  find "$BUILD/src" -iname '*.dll' -exec cp {} "$TEST_DIR/" \;
}

# Where the Windows path $1 lives in the prefix; a drive other than C: is
# made as a folder of the run when it is first named.
prefix_path() {
  local drive rest base
  drive=$(printf '%s' "${1:0:1}" | tr 'A-Z' 'a-z')
  rest=$(printf '%s' "${1:3}" | tr '\\' '/')
  if [ "$drive" = c ]; then
    base=$WINEPREFIX/drive_c
  else
    base=$RUN/drive_$drive
    mkdir -p "$base"
    ln -sfn "$base" "$WINEPREFIX/dosdevices/$drive:"
  fi
  printf '%s/%s' "$base" "$rest"
}

# The Windows build's test programs that a run needs, as paths in BUILD:
# fails naming the first one missing.
need_programs() {
  local file
  for file in "$@"; do
    [ -f "$BUILD/$file" ] || { echo "no $BUILD/$file"; return 1; }
  done
}

# Runs PROGRAM [ARGUMENTS...] (Windows paths) under the robot, which answers
# from C:\zvtest\answers-NAME.txt and writes C:\zvtest\transcript-NAME.txt;
# Wine's output goes to $RUN/wine-NAME.out and .err. Returns the robot's
# status.
run_robot() {
  local name=$1
  shift
  timeout 120 "$LOADER" 'C:\zvtest\zvrobot.exe' "C:\\zvtest\\answers-$name.txt" \
    "C:\\zvtest\\transcript-$name.txt" 'C:\zvtest\zvset.rc' -- "$@" \
    >"$RUN/wine-$name.out" 2>"$RUN/wine-$name.err"
}

# The end of a comparison: $RUN/sim.txt against $RUN/wine.txt; says "the
# simulator and Wine agree on SUMMARY" and exits 0 when they are the same,
# shows the difference and exits 1 when not.
exit_with_comparison() {
  if diff -u "$RUN/sim.txt" "$RUN/wine.txt"; then
    echo "the simulator and Wine agree on $1"
    exit 0
  fi
  exit 1
}
