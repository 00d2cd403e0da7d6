#!/usr/bin/env bash
# Installs what is missing, builds Velmora and its tests, and runs every test under Wine.
set -euo pipefail
source "$(dirname "$0")/env.sh"
install_missing
configure_and_build
trap stop_all EXIT
start_display
start_wine
cd "$build"
ctest --output-on-failure "$@"
