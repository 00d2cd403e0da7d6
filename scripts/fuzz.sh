#!/usr/bin/env bash
# Builds the fuzz targets natively (fuzz/CMakeLists.txt: clang's libFuzzer with the address and
# undefined-behaviour sanitizers) and runs each for a fixed time:
#   bash scripts/fuzz.sh [seconds per target] [target...]
# Prints executions and coverage per target; exits non-zero when a target does not build or
# finds a fault, leaving the input that shows it in build-fuzz/artifacts/<target>/.
set -euo pipefail
source "$(dirname "$0")/env.sh"
seconds=${1:-60}
shift || true
out=${VELMORA_FUZZ_BUILD:-$root/build-fuzz}

# libstdc++'s std::source_location (core/error.h) needs clang 15 or later: Debian 12's default
# clang is 14. libFuzzer lives in libclang-rt-<version>-dev.
clang_version=${VELMORA_FUZZ_CLANG:-16}
install_missing cmake make "clang-$clang_version" "libclang-rt-$clang_version-dev"
if [ ! -f "$out/CMakeCache.txt" ]; then
    cmake -S "$root/fuzz" -B "$out" -DCMAKE_CXX_COMPILER="clang++-$clang_version" >/dev/null
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets <"$out/targets.txt"
mkdir -p "$out/logs"
if ! cmake --build "$out" -j"$(nproc)" --target "${targets[@]}" -- --no-print-directory >"$out/logs/build.log" 2>&1; then
    grep -E 'error|Error' "$out/logs/build.log" | head -20 >&2
    echo "The fuzz targets do not build (log in $out/logs/build.log)" >&2
    exit 1
fi

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
printf '%-12s %12s %10s %8s %8s  %s\n' target executions exec/s cov ft result
for target in "${targets[@]}"; do
    mkdir -p "$out/corpus/$target" "$out/artifacts/$target"
    log="$out/logs/$target.log"
    # New inputs go to the build's corpus; the seeds in the repository are only read.
    result=ok
    "$out/bin/$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=1024 \
        -artifact_prefix="$out/artifacts/$target/" "$out/corpus/$target" "$root/fuzz/corpus/$target" \
        >"$log" 2>&1 || result=FAILED
    # A run that fails on its first inputs prints no coverage: the figures are then "?".
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || true)
    line=$(printf '%-12s %12s %10s %8s %8s  %s' "$target" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "$result")
    echo "$line"
    if [ "$result" != ok ]; then
        failed+=("$target")
        grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -5 | sed 's/^/    /'
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Faults found by: ${failed[*]} (logs in $out/logs, inputs in $out/artifacts)" >&2
    exit 1
fi
