#!/bin/bash
# The pictures of every dialog and message box of ZVSET, taken from the
# Windows build under Wine on a virtual display (tests/wine/programs/shots.cpp
# brings each window up), written as PNG files into docs/dialogs/ with their
# index, docs/dialogs/README.md.
#
# Usage: scripts/dialog-pictures.sh [--check WORK] [BUILD...]
#   BUILD     Windows build folders, tried in turn (default build/windows,
#             then build/windows-x64); the first one this machine runs
#   --check   takes the pictures in WORK and checks them against docs/dialogs/
#             without touching it: the same pictures, none empty, each of
#             the same size as the one there, and the same index
# Needs Wine, xvfb-run and netpbm (scripts/install-deps.sh installs them).
# Exit code: 0 written or passed, 1 failed, 77 skipped (no Wine, no build or
# no xvfb-run).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
self=$root/scripts/dialog-pictures.sh
docs=$root/docs/dialogs
check=0 work=""
if [ "${1:-}" = --check ]; then
  check=1 work=$2
  shift 2
fi
[ $# -gt 0 ] || set -- "$root/build/windows" "$root/build/windows-x64"
. "$root/tests/wine/wine-prefix.sh"

skip() {
  echo "skipped: $1"
  [ "${ZVSET_REQUIRE_WINE:-0}" = 1 ] && exit 1
  exit 77
}
for tool in bmptopnm pnmtopng; do
  command -v $tool >/dev/null || skip "no $tool (netpbm)"
done
[ -f /usr/share/wine/fonts/sserife.fon ] || skip "no Wine fonts (fonts-wine)"

if [ "${ZVSET_IN_DISPLAY:-}" != 1 ]; then
  command -v xvfb-run >/dev/null || skip "no xvfb-run"
  temporary=""
  [ -n "$work" ] || { work=$(mktemp -d) && temporary=$work; }
  ZVSET_IN_DISPLAY=1 ZVSET_PICTURES_CHECK=$check xvfb-run -a \
    -s "-screen 0 1024x768x24 -nolisten tcp" "$self" --check "$work" "$@"
  status=$?
  [ -z "$temporary" ] || rm -rf "$temporary"
  exit $status
fi
# Inside the display: WORK is set; whether to check or write came along.
check=${ZVSET_PICTURES_CHECK:-$check}

prepare_run dialog-pictures "$work" "$@" || exit $?
# Wine's X11 driver draws the windows' frames and captions itself, as
# Windows does, and leaves no window to a window manager (there is none to
# wait for when a window goes); the copy zvshots95.exe runs on a Windows 95
# as Wine reports it.
cat >"$TEST_DIR/display.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="x11"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\zvshots95.exe]
"Version"="win95"
EOF
timeout 60 "$LOADER" regedit /S 'C:\zvtest\display.reg' >"$RUN/regedit.out" 2>&1
"$WINESERVER" -w
# Wine's own fonts (fonts-wine), MS Sans Serif of the templates among them,
# where the prefix looks for the system's fonts.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
# The memory-scan library is missing where the pictures are taken.
find "$TEST_DIR" -maxdepth 1 -iname zvmsi32.dll -delete
cp "$TEST_DIR/zvshots.exe" "$TEST_DIR/zvshots95.exe"
shots=$TEST_DIR/shots
rm -rf "$shots"
mkdir -p "$shots"
failed=0
for program in zvshots.exe zvshots95.exe; do
  if ! timeout 120 "$LOADER" "C:\\zvtest\\$program" 'C:\zvtest\shots' \
    >"$RUN/$program.out" 2>"$RUN/$program.err"; then
    echo "$program failed:"
    grep -v '^[0-9a-f]*:\(err\|fixme\)' "$RUN/$program.err"
    failed=1
  fi
done
"$WINESERVER" -k >/dev/null 2>&1
[ $failed = 0 ] || exit 1

out=$RUN/pictures
rm -rf "$out"
mkdir -p "$out"
sort -n "$shots/index.txt" | tr -d '\r' >"$RUN/index.txt"
while IFS=$'\t' read -r number name what where; do
  bmptopnm "$shots/$name.bmp" 2>/dev/null | pnmtopng -compression 9 >"$out/$name.png" 2>/dev/null
done <"$RUN/index.txt"

# The index page, in the catalogue's order.
{
  cat <<'EOF'
# The dialogs and message boxes of ZVSET

Every dialog template of `res/zvset.rc` and every message box of ZVSET.EXE, in
each of its forms, as the Windows build shows them (under Wine, on a virtual
display). `scripts/dialog-pictures.sh` takes the pictures and writes this page:
run it again after changing a template or a message. The test command checks
that every picture can still be taken and keeps its size.

Each window is brought up by the program's own code (its dialog procedures,
texts and formats) on a prepared machine: an OEM copy, one or two diskette
drives, Word present or missing, a library missing. The scan dialog, whose
stages run a real scan, is shown at each stage with the icons that stage sets.
Message boxes are laid out by the system; Wine breaks long lines at a
narrower width than Windows does.

EOF
  while IFS=$'\t' read -r number name what where; do
    printf '## %s (`%s.png`)\n\n%s.\n\n![%s](%s.png)\n\n' "$what" "$name" "$where" "$what" "$name"
  done <"$RUN/index.txt"
} >"$out/README.md"

if [ "$check" = 0 ]; then
  mkdir -p "$docs"
  rm -f "$docs"/*.png
  cp "$out"/* "$docs/"
  echo "written: $(ls "$out" | grep -c '\.png$') pictures in docs/dialogs"
  exit 0
fi

# Width and height of a PNG file, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }
shopt -s nullglob
for picture in "$docs"/*.png "$out"/*.png; do
  name=$(basename "$picture")
  if [ ! -s "$out/$name" ]; then
    echo "$name: not taken"
    failed=1
  elif [ ! -f "$docs/$name" ]; then
    echo "$name: taken, but not in docs/dialogs (run scripts/dialog-pictures.sh)"
    failed=1
  elif [ "$(png_size "$out/$name")" != "$(png_size "$docs/$name")" ]; then
    echo "$name: $(png_size "$out/$name"), docs/dialogs has $(png_size "$docs/$name")"
    failed=1
  fi
done
if ! diff -u "$docs/README.md" "$out/README.md" >"$RUN/index.diff"; then
  echo "the index differs from docs/dialogs/README.md:"
  cat "$RUN/index.diff"
  failed=1
fi
[ $failed = 0 ] && echo "passed: $(ls "$out" | grep -c '\.png$') pictures"
exit $failed
