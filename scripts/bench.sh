#!/usr/bin/env bash
# Installs what is missing, builds Velmora and its benchmarks, and prints the benchmark table
# (run under Wine on a private virtual display). Takes a few minutes.
set -euo pipefail
source "$(dirname "$0")/env.sh"
prepare_wine_run
cd "$build/bench"
# The benchmarks look for velmora.exe beside themselves.
cp -f "$build/velmora.exe" .
wine velmora-bench.exe
