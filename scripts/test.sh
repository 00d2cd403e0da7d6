#!/usr/bin/env bash
# Installs what is missing, checks the sources' layout, builds and runs the fuzz targets for a
# few seconds each, then builds Velmora and its tests and runs every test under Wine.
# VELMORA_SKIP_FORMAT=1 leaves out the layout check; VELMORA_FUZZ_SECONDS sets the fuzz time.
set -euo pipefail
source "$(dirname "$0")/env.sh"
# The quick checks first, so a run that will fail fails early.
if [ "${VELMORA_SKIP_FORMAT:-}" != 1 ]; then
    bash "$root/scripts/format-check.sh"
fi
bash "$root/scripts/fuzz.sh" "${VELMORA_FUZZ_SECONDS:-5}"
prepare_wine_run
cd "$build"
# A crashed or hung test program must fail the run, not stall it.
ctest --output-on-failure --timeout 300 "$@"
