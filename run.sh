#!/usr/bin/env bash
# Builds CvTools and starts it from build/bin. When the INI file maps no serial port, a simulated
# instrument is started first and COM1 is mapped to it for this run only: the CORVANE-3 meter, or
# with --sim NAME another family's (./run.sh --sim xr9: the TV MIRELTO analyser; cvsim --help lists
# them). Every other argument goes to CvTools. For a simulator run the simulator's loader is put
# beside the program as "update.hex" when none is there, and taken away when the run ends.
set -euo pipefail
profile=corvane3
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --sim) profile=${2:?--sim needs a profile name (cvsim --help lists them)}; shift 2 ;;
    --sim=*) profile=${1#--sim=}; shift ;;
    *) args+=("$1"); shift ;;
  esac
done
source "$(dirname "$0")/tools/setup.sh"
cv_install_packages run
cv_build "$CV_ROOT/build"
bin="$CV_ROOT/build/bin"
cd "$bin"
# The simulated meter's loader, which a real meter must never receive: one that an interrupted
# simulator run left beside the program goes before anything starts.
sim_loader="$CV_ROOT/tests/sim/SimulatorLoader.hex"
remove_sim_loader() {
  if cmp -s "$sim_loader" "$bin/update.hex"; then rm -f "$bin/update.hex"; fi
}
remove_sim_loader
if grep -qi '^\s*\[Ports\]' CvTools.INI 2>/dev/null; then
  exec ./CvTools "${args[@]}"
fi
link="$bin/.cvsim-COM1"
./cvsim --profile "$profile" --link "$link" > "$bin/.cvsim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; remove_sim_loader' EXIT
# Sending plans to a CORVANE-3, DV-800 or CORVANE-2 sends the loader "update.hex" first; the maker's
# own, when it is there, serves the simulated meter as well.
[ -e update.hex ] || cp "$sim_loader" update.hex
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
if ! [ -e "$link" ]; then
  cat "$bin/.cvsim.out" >&2
  exit 1
fi
echo "No [Ports] section in $bin/CvTools.INI: COM1 is a simulated $profile instrument at $link for this run."
if cmp -s "$sim_loader" update.hex; then
  echo "The simulator's loader is update.hex beside the program for this run only."
fi
CV_PORT_COM1="$link" ./CvTools "${args[@]}"
