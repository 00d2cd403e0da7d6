#!/usr/bin/env bash
# Saves a screenshot of the display that scripts/run.sh started (default: build/shot.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/shot.png}
DISPLAY=${DISPLAY:-$(cat "$root/build/display")} import -window root "$out"
echo "$out"
