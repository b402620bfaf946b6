#!/usr/bin/env bash
# Whole process against whole process: `cli_shuffle < file` (read stdin, split,
# draw, write) beside coreutils' `shuf file`, on files of ordinary text: lines
# of Danish words (æ, ø and å included) of about 20 bytes, some empty, some a
# single short word, some long. The two run in turn, A B A B ..., so that a
# drift of the machine's speed hits both; the table gives each one's median
# wall time, the median of the ratios run by run, and each one's peak memory
# (the largest resident set, from GNU time, in runs of their own).
#
#   bench/compare_with_shuf.sh [path/to/cli_shuffle] [runs] [lines ...]
#
# cli_shuffle defaults to build/bin/cli_shuffle, runs to 11, lines to 10^5,
# 10^6 and 10^7. For figures worth quoting, build it in a Release tree:
#   cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
#   cmake --build build --target cli_shuffle
#   bench/compare_with_shuf.sh
set -euo pipefail

cd "$(dirname "$0")/.."
cli=${1:-build/bin/cli_shuffle}
runs=${2:-11}
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[[ ${#sizes[@]} -gt 0 ]] || sizes=(100000 1000000 10000000)
memory_runs=3
command -v shuf >/dev/null || { echo "shuf (coreutils) is not installed" >&2; exit 2; }
[[ -x /usr/bin/time ]] || { echo "GNU time is not installed (apt-get install time)" >&2; exit 2; }
[[ -x $cli ]] || { echo "$cli is not built" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# `count` lines of text, the same for the same count.
text() {
    awk -v lines="$1" 'BEGIN {
        srand(1)
        n = split("og i at en det er på til med som for ikke æble øl ål får går året søen blå gård rød hvad være kunne købe mælk brød ørred smørrebrød hyggelig rækkefølge tilfældig bjørn fløde kærlighed Århus Ærø Øresund", word, " ")
        for (k = 0; k < lines; ++k) {
            r = rand()
            if (r < 0.05) { print ""; continue }
            if (r < 0.15) { print word[int(rand() * n) + 1]; continue }
            words = r < 0.95 ? 2 + int(rand() * 3) : 10 + int(rand() * 20)
            line = word[int(rand() * n) + 1]
            for (w = 1; w < words; ++w)
                line = line " " word[int(rand() * n) + 1]
            if (rand() < 0.3)
                line = line " " int(rand() * 10000)
            print line
        }
    }'
}

# Wall seconds of one run, from bash's own clock (no process of its own).
elapsed() {
    local start=$EPOCHREALTIME
    "$@"
    local end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f\n", b - a }'
}

# Peak resident set of one run, in KiB: peak COMMAND [ARG ...] <INPUT
peak() {
    /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null
    cat "$work/peak"
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f\n", a / b }'; }

printf '%-9s %8s %10s %10s %7s %10s %10s %7s\n' lines MB "ours ms" "shuf ms" time "ours MiB" "shuf MiB" memory
for lines in "${sizes[@]}"; do
    data=$work/lines_$lines.txt
    text "$lines" >"$data"

    # Both must give the same lines back, only reordered.
    sort "$data" >"$work/expected"
    "$cli" <"$data" | sort | cmp -s - "$work/expected" || { echo "cli_shuffle lost or changed lines ($lines)" >&2; exit 1; }
    shuf "$data" | sort | cmp -s - "$work/expected" || { echo "shuf lost or changed lines ($lines)" >&2; exit 1; }
    rm "$work/expected"

    run_ours() { "$cli" <"$data" >/dev/null; }
    run_shuf() { shuf "$data" >/dev/null; }
    run_ours; run_shuf # warm-up: file cache, page cache of the programs
    ours=() theirs=() ratios=()
    for ((run = 0; run < runs; ++run)); do
        a=$(elapsed run_ours)
        b=$(elapsed run_shuf)
        ours+=("$a") theirs+=("$b") ratios+=("$(ratio "$a" "$b")")
    done
    ours_kib=() shuf_kib=()
    for ((run = 0; run < memory_runs; ++run)); do
        ours_kib+=("$(peak "$cli" <"$data")")
        shuf_kib+=("$(peak shuf "$data" </dev/null)")
    done
    a=$(printf '%s\n' "${ours[@]}" | median)
    b=$(printf '%s\n' "${theirs[@]}" | median)
    r=$(printf '%s\n' "${ratios[@]}" | median)
    ma=$(printf '%s\n' "${ours_kib[@]}" | median)
    mb=$(printf '%s\n' "${shuf_kib[@]}" | median)
    awk -v n="$lines" -v size="$(stat -c %s "$data")" -v a="$a" -v b="$b" -v r="$r" -v ma="$ma" -v mb="$mb" 'BEGIN {
        printf "%-9s %8.2f %10.1f %10.1f %7.2f %10.1f %10.1f %7.2f\n", n, size / 1e6, a * 1000, b * 1000, r, ma / 1024, mb / 1024, ma / mb }'
    rm "$data"
done
echo "(time: medians of $runs runs each, wall time of the whole process, ratio the median of the run-by-run ratios;"
echo " memory: peak resident set, median of $memory_runs runs each, ratio ours/shuf)"
