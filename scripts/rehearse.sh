#!/bin/bash
# The main job: a rehearsal of an installation of Zelvane on a fresh
# simulated Windows 95 machine. Builds the simulator when needed, makes the
# machine under build/rehearsal/, runs ZVSET's stages in the order the setup
# front end runs them, and prints each stage's transcript.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --host
cmake --preset sim >/dev/null
cmake --build --preset sim --target zvset zvsim >/dev/null

out=build/rehearsal
rm -rf "$out"
mkdir -p "$out"
build/sim/tools/zvsim new "$out/machine" --windows 95
cat >"$out/answers.txt" <<'ANSWERS'
# The user of this rehearsal: OK to every question that a fresh
# installation asks.
ANSWERS

stage() {
  echo
  echo "=== $1"
  build/sim/tools/zvset --machine "$out/machine" --answers "$out/answers.txt" --follow -- "$2"
}
# Before the copy: source disk, target, a number, edition 2, no express, no
# OEM, no complimentary copy, the holder's name, version 5.0.
stage "before the copy" '/initsetup*A:\*C:\Program Files\Zelvane*0*2*0*0*0*x*5.0'
# After the copy: source disk and the install directory.
stage "after the copy" '/endsetup*A:\*C:\Program Files\Zelvane'
echo
echo "The machine is in $out/machine: machine.ini, disk/, registry/."
