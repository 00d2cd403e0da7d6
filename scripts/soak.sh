#!/usr/bin/env bash
# The long run outside CI: the main window on the simulated network through many activations,
# refreshes, showings and tray menus, with memory, handles and windows before and after.
# bash scripts/soak.sh [iterations]   (default 10000; CI runs the same test with 300)
set -euo pipefail
source "$(dirname "$0")/env.sh"
prepare_wine_run
cd "$build"
VELMORA_SOAK_ITERATIONS=${1:-10000} "$root/scripts/wine-exec.sh" tests/test_robustness.exe \
    --gtest_filter='LongRun.*'
