#!/usr/bin/env bash
# Runs the whole suite several times in a row (10 by default) while another process keeps every
# core busy, and fails at the first run that fails: a test that passes only on an idle machine
# fails here. Each run's output is kept in build/stress-<n>.log.
#
#   bash scripts/stress.sh [runs]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
mkdir -p "$root/build"
python3 -c '
import multiprocessing, os, time
def spin():
    while True: pass
for _ in range(os.cpu_count() or 2):
    multiprocessing.Process(target=spin, daemon=True).start()
while os.getppid() != 1: time.sleep(1)
' &
load=$!
trap 'pkill -P $load 2>/dev/null; kill $load 2>/dev/null' EXIT
for i in $(seq 1 "$runs"); do
    start=$(date +%s)
    log="$root/build/stress-$i.log"
    if bash "$root/scripts/test.sh" >"$log" 2>&1; then
        echo "run $i of $runs: passed in $(( $(date +%s) - start )) s"
    else
        echo "run $i of $runs: FAILED (see $log)"
        grep -E "Failure|FAILED" "$log" | head -20
        exit 1
    fi
done
