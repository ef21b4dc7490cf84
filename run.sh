#!/usr/bin/env bash
# Builds CvTools and starts it from build/bin. When the INI file maps no serial port, a simulated
# CORVANE-3 is started first and COM1 is mapped to it for this run only.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
cv_install_packages run
cv_build "$CV_ROOT/build"
bin="$CV_ROOT/build/bin"
cd "$bin"
if grep -qi '^\s*\[Ports\]' CvTools.INI 2>/dev/null; then
  exec ./CvTools "$@"
fi
link="$bin/.cvsim-COM1"
./cvsim --profile corvane3 --link "$link" > "$bin/.cvsim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
echo "No [Ports] section in $bin/CvTools.INI: COM1 is a simulated CORVANE-3 at $link for this run."
CV_PORT_COM1="$link" ./CvTools "$@"
