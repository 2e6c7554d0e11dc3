#!/bin/bash
# Rehearses one scenario and compares what it prints with the scenario's
# file "expected". With ZVSET_REFRESH=1 the file is written instead.
#
# Usage: check.sh SCENARIO-FOLDER ZVSIM
set -u
scenario=$1 zvsim=$2
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$zvsim" rehearse "$scenario" >"$out" 2>&1
if [ "${ZVSET_REFRESH:-0}" = 1 ]; then
  cp "$out" "$scenario/expected"
  echo "refreshed $scenario/expected"
  exit 0
fi
if ! diff -u "$scenario/expected" "$out"; then
  echo "the rehearsal differs from $scenario/expected (ZVSET_REFRESH=1 writes it anew)"
  exit 1
fi
echo "passed"
