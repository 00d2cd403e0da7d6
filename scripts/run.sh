#!/usr/bin/env bash
# Installs what is missing, builds Velmora on the simulated network and starts it under Wine
# in a virtual desktop. On a machine without a display it starts a virtual one; then
# `scripts/shot.sh` saves a screenshot. Ends when the program ends.
set -euo pipefail
source "$(dirname "$0")/env.sh"
install_missing
# Only the program it starts: the tests and benchmarks are built by their own scripts.
configure_and_build velmora-simnet
trap stop_all EXIT
if [ -z "${DISPLAY:-}" ]; then
    start_display
    echo "$DISPLAY" >"$build/display"
    echo "Virtual display $DISPLAY; screenshot: scripts/shot.sh [file.png]"
fi
start_wine
cd "$build"
wine explorer /desktop=velmora,1024x768 velmora-simnet.exe
