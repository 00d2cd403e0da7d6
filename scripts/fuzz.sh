#!/usr/bin/env bash
# Builds the fuzz targets natively (clang's libFuzzer with the address and undefined-behaviour
# sanitizers) and runs each for a fixed time: bash scripts/fuzz.sh [seconds per target] [target...]
# Prints executions and coverage per target; exits non-zero when any target finds a fault,
# leaving the input that shows it in build-fuzz/artifacts/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
out=${VELMORA_FUZZ_BUILD:-$root/build-fuzz}

# Each target and the program files it reaches: only the routines without windows.h.
declare -A sources=(
    [inifile]="profiles/inifile.cpp"
    [editmask]="ui/editmask.cpp"
    [inirules]="profiles/inirules.cpp"
    [multistring]="adapters/multistring.cpp"
    [addresstext]="adapters/addresstext.cpp"
)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(inifile inirules multistring addresstext editmask)

# clang and its run-time libraries (libFuzzer lives in libclang-rt-<version>-dev).
if ! command -v clang++ >/dev/null || ! clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a | grep -q /; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang >/dev/null
fi
major=$(clang++ -dumpversion | cut -d. -f1)
if [ ! -e "$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ]; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "libclang-rt-$major-dev" >/dev/null
fi

flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root")
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
printf '%-12s %12s %10s %8s %8s  %s\n' target executions exec/s cov ft result
for target in "${targets[@]}"; do
    [ -n "${sources[$target]:-}" ] || { echo "No fuzz target $target" >&2; exit 2; }
    mkdir -p "$out/bin" "$out/corpus/$target" "$out/artifacts/$target" "$out/logs"
    # shellcheck disable=SC2086
    clang++ "${flags[@]}" -o "$out/bin/$target" "$root/fuzz/$target.cpp" \
        $(for s in ${sources[$target]}; do echo "$root/$s"; done)
    log="$out/logs/$target.log"
    # New inputs go to the build's corpus; the seeds in the repository are only read.
    result=ok
    "$out/bin/$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=1024 \
        -artifact_prefix="$out/artifacts/$target/" "$out/corpus/$target" "$root/fuzz/corpus/$target" \
        >"$log" 2>&1 || result=FAILED
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
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
