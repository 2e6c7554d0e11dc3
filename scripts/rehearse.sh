#!/bin/bash
# The main job: whole installations of Zelvane rehearsed on fresh simulated
# machines, one for each folder of scenarios/. Builds the simulator when
# needed and prints, for each installation, every stage's transcript, what
# the setup front end did between the stages, and what the installation
# changed on the machine. The machines stay under build/rehearsal/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --host
cmake --preset sim >/dev/null
cmake --build --preset sim --target zvset zvsim >/dev/null

out=build/rehearsal
rm -rf "$out"
mkdir -p "$out"
status=0
for scenario in scenarios/*/; do
  name=$(basename "$scenario")
  [ -f "$scenario/scenario" ] || continue
  echo
  echo "################ $name"
  sed -n '/^#/{s/^# \{0,1\}//p;b};q' "$scenario/scenario"
  echo
  build/sim/tools/zvsim rehearse "$scenario" --keep "$out/$name" || status=1
done
echo
echo "The machines are in $out/: machine.ini, disk/, registry/ each."
exit $status
