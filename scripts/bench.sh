#!/usr/bin/env bash
# Installs what is missing, builds Velmora and its benchmarks, and prints the benchmark table
# (run under Wine on a private virtual display). Takes a few minutes.
#
#   bash scripts/bench.sh [--against REV]
#
# With --against, an earlier revision's benchmarks are built too (scripts/bench-against.sh) and
# run by turns with this build's, each figure of the two printed side by side.
set -euo pipefail
source "$(dirname "$0")/env.sh"
against=""
while [ $# -gt 0 ]; do
    case $1 in
        --against) [ $# -ge 2 ] || { echo "--against needs a revision" >&2; exit 2; }; against=$2; shift 2 ;;
        *) echo "usage: bash scripts/bench.sh [--against REV]" >&2; exit 2 ;;
    esac
done

if [ -z "$against" ]; then
    prepare_wine_run
    cd "$build/bench"
    # The benchmarks look for velmora.exe beside themselves.
    cp -f "$build/velmora.exe" .
    wine velmora-bench.exe
    exit
fi

source "$(dirname "$0")/bench-against.sh"
install_missing
build_earlier "$against"
prepare_wine_run
cp -f "$build/velmora.exe" "$build/bench/"
(cd "$build/bench" && wine velmora-bench.exe store)
window_by_turns 5
(cd "$build/bench" && wine velmora-bench.exe startup file --earlier "$(winepath -w "$earlier_bench")")
