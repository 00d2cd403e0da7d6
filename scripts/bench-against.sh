# Sourced by bench.sh for --against REV: builds REV's benchmarks in a worktree of their own and
# runs the main window's benchmark of both builds by turns.
# shellcheck shell=bash
against_root=$build/against
earlier_src=$against_root/src
earlier_build=$against_root/build
earlier_bench=$earlier_build/bench

# Checks REV out under build/against/src and builds its benchmarks in build/against/build; the
# same commit as last time finds them built.
build_earlier() {
    local commit
    commit=$(git -C "$root" rev-parse --verify --quiet "$1^{commit}") || { echo "unknown revision: $1" >&2; exit 2; }
    mkdir -p "$against_root"
    # A worktree whose folder went with an earlier build/ is still registered until pruned.
    git -C "$root" worktree prune
    if [ ! -e "$earlier_src/.git" ]; then
        git -C "$root" worktree add --detach --quiet "$earlier_src" "$commit"
    elif [ "$(git -C "$earlier_src" rev-parse HEAD)" != "$commit" ]; then
        git -C "$earlier_src" checkout --detach --quiet --force "$commit"
    fi
    echo "Earlier build: $(git -C "$earlier_src" log -1 --format='%h %s' | cut -c1-90)"
    if [ ! -f "$earlier_build/CMakeCache.txt" ]; then
        cmake -S "$earlier_src" -B "$earlier_build" -DCMAKE_TOOLCHAIN_FILE="$earlier_src/cmake/mingw-w64-x86_64.cmake" \
              -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    if ! cmake --build "$earlier_build" -j2 --target velmora velmora-bench velmora-bench-startup \
            >"$against_root/build.log" 2>&1; then
        tail -n 30 "$against_root/build.log" >&2
        echo "the earlier build failed; its log: $against_root/build.log" >&2
        exit 1
    fi
    cp -f "$earlier_build/velmora.exe" "$earlier_bench/"
}

# Keeps the main window's rows of velmora-bench's output as "key<TAB>value<TAB>unit", an indented
# row's key led by the row above it. A line that is no row is a section's title; once the window
# rows are all out (every key of the file `expected`, or a later section's title), the program
# `pid` is stopped: a build whose velmora-bench ignores its arguments would go on with start-up.
# shellcheck disable=SC2016
window_rows_awk='
BEGIN {
    if (expected != "")
        while ((getline line < expected) > 0) { split(line, f, "\t"); want[f[1]] = 1; wanted++ }
}
/^ *$/ { next }
{
    if (!match($0, / +-?[0-9]+\.[0-9][0-9] (ms|KB|  )/)) {
        if ($0 ~ /^ /) next
        if (inside) { system("kill " pid " 2>/dev/null"); exit }
        inside = $0 ~ /^Main window/
        next
    }
    if (!inside) next
    name = substr($0, 1, RSTART - 1)
    split(substr($0, RSTART, RLENGTH), figure, " ")
    if (name ~ /^ /) key = parent "\034" name; else key = parent = name
    printf "%s\t%s\t%s\n", key, figure[1], figure[2]
    fflush()
    if (wanted && (key in want) && !(key in seen)) {
        seen[key] = 1
        if (++got == wanted) { system("kill " pid " 2>/dev/null"); exit }
    }
}'

# Runs velmora-bench.exe in FOLDER with the arguments that follow; its window rows go to OUT
# (see window_rows_awk), stopping it early once it has every row of the file EXPECTED.
window_rows() {
    local folder=$1 out=$2 expected=$3 pid
    shift 3
    : >"$out.log"
    (cd "$folder" && exec wine velmora-bench.exe "$@" >"$out.log" 2>"$out.err" </dev/null) &
    pid=$!
    # Stopping the program ends awk first: tail then dies of a broken pipe, as it should.
    (tail -n +1 -f --pid="$pid" "$out.log" || true) | awk -v pid="$pid" -v expected="$expected" "$window_rows_awk" >"$out"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Each build's median over the rounds, side by side, in this build's order of rows.
# shellcheck disable=SC2016
window_table_awk='
BEGIN { FS = "\t" }
{
    side = FILENAME ~ /earlier-[0-9]+$/ ? "earlier" : "this"
    if (!($1 in known)) { known[$1] = 1; order[++rows] = $1 }
    n = ++count[side, $1]
    value[side, $1, n] = $2 + 0
    unit[$1] = $3
}
function median(side, key,    k, i, j, t, a) {
    k = count[side, key]
    if (!k) return -1
    for (i = 1; i <= k; i++) a[i] = value[side, key, i]
    for (i = 2; i <= k; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return k % 2 ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
}
function figure(v, u) { return v < 0 ? sprintf("%9s %-2s", "-", "") : sprintf("%9.2f %-2s", v, u) }
END {
    printf "\nMain window on the simulated network, by turns (median over %d rounds of each build, run alternately%s)\n", rounds, note
    printf "%-52s %12s %12s %10s\n", "", "earlier", "this build", "vs earlier"
    for (r = 1; r <= rows; r++) {
        key = order[r]
        name = key
        sub(/^.*\034/, "", name)
        e = median("earlier", key)
        t = median("this", key)
        ratio = e > 0 && t >= 0 ? sprintf("%9.2fx", t / e) : ""
        printf "%-52s %s %s %s\n", name, figure(e, unit[key]), figure(t, unit[key]), ratio
    }
}'

# Runs the window section of this build and of the earlier one alternately, ROUNDS times each.
window_by_turns() {
    local rounds=$1 runs=$against_root/runs round note="" sections=(window) earlier_sections=(window)
    # An earlier velmora-bench whose main takes no arguments runs every section, the store's
    # before the window's; the store's after-effects slow the first window rows severalfold, so
    # this build then runs the store section first too, and both are stopped after the window rows.
    if ! grep -Eq 'main\(int' "$earlier_src/bench/velmora_bench.cpp"; then
        sections=(store window)
        earlier_sections=()
        note="; the earlier build has no sections: both run the store section first"
    fi
    rm -rf "$runs"
    mkdir -p "$runs"
    for round in $(seq "$rounds"); do
        window_rows "$build/bench" "$runs/this-$round" "" "${sections[@]}"
        # A run that failed (a message box, a list shorter than its row says) says why on a line of its own.
        if grep -q '^FAILED' "$runs/this-$round.log"; then
            grep '^FAILED' "$runs/this-$round.log" >&2
            exit 1
        fi
        window_rows "$earlier_bench" "$runs/earlier-$round" "$runs/this-1" "${earlier_sections[@]}"
    done
    # shellcheck disable=SC2046
    awk -v rounds="$rounds" -v note="$note" "$window_table_awk" \
        $(for r in $(seq "$rounds"); do echo "$runs/this-$r"; done) \
        $(for r in $(seq "$rounds"); do echo "$runs/earlier-$r"; done)
}
