#!/usr/bin/env bash
# Installs what is missing, builds Velmora and its tests, and runs every test under Wine.
set -euo pipefail
source "$(dirname "$0")/env.sh"
prepare_wine_run
cd "$build"
# A crashed or hung test program must fail the run, not stall it.
ctest --output-on-failure --timeout 300 "$@"
