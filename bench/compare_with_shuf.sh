#!/usr/bin/env bash
# Whole process against whole process: `cli_shuffle < file` (read stdin, split,
# draw, join, write) beside coreutils' `shuf file`, on files of 10^3 to 10^6
# lines like "linje 123456". The two run in turn, A B A B ..., so that a drift
# of the machine's speed hits both; the table gives each one's median wall
# time and the median of the ratios run by run.
#
#   bench/compare_with_shuf.sh [path/to/cli_shuffle] [runs]
#
# Build cli_shuffle in a Release tree for figures worth quoting:
#   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-bench --target cli_shuffle
#   bench/compare_with_shuf.sh build-bench/bin/cli_shuffle
set -euo pipefail

cd "$(dirname "$0")/.."
cli=${1:-build/bin/cli_shuffle}
runs=${2:-11}
command -v shuf >/dev/null || { echo "shuf (coreutils) is not installed" >&2; exit 2; }
[[ -x $cli ]] || { echo "$cli is not built" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Wall seconds of one run, from bash's own clock (no process of its own).
elapsed() {
    local start=$EPOCHREALTIME
    "$@"
    local end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f\n", b - a }'
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

printf '%-9s %12s %12s %12s\n' lines "ours (ms)" "shuf (ms)" "ours/shuf"
for lines in 1000 10000 100000 1000000; do
    data=$work/lines_$lines.txt
    seq -f 'linje %.0f' 100001 $((100000 + lines)) >"$data"

    # Both must give the same lines back, only reordered.
    sort "$data" >"$work/expected"
    "$cli" <"$data" | sort | cmp -s - "$work/expected" || { echo "cli_shuffle lost or changed lines ($lines)" >&2; exit 1; }
    shuf "$data" | sort | cmp -s - "$work/expected" || { echo "shuf lost or changed lines ($lines)" >&2; exit 1; }

    ours=() theirs=() ratios=()
    run_ours() { "$cli" <"$data" >/dev/null; }
    run_shuf() { shuf "$data" >/dev/null; }
    run_ours; run_shuf # warm-up: file cache, page cache of the programs
    for ((run = 0; run < runs; ++run)); do
        a=$(elapsed run_ours)
        b=$(elapsed run_shuf)
        ours+=("$a") theirs+=("$b") ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.6f\n", a / b }')")
    done
    a=$(printf '%s\n' "${ours[@]}" | median)
    b=$(printf '%s\n' "${theirs[@]}" | median)
    r=$(printf '%s\n' "${ratios[@]}" | median)
    awk -v n="$lines" -v a="$a" -v b="$b" -v r="$r" 'BEGIN { printf "%-9s %12.1f %12.1f %12.2f\n", n, a * 1000, b * 1000, r }'
done
echo "(medians of $runs runs each, wall time of the whole process; ratio: median of the run-by-run ratios)"
