#!/usr/bin/env bash
# Times generate and extract on the three benchmark guides with hyperfine,
# next to the program's own shortest run (a usage error: process start and
# banner), counts each run's system calls with strace, and runs the
# in-process format benchmarks. Installs hyperfine, strace and Google
# Benchmark when missing (as root).
#   bench/run.sh
set -uo pipefail
cd "$(dirname "$0")/.."

if ! command -v hyperfine >/dev/null || ! command -v strace >/dev/null || ! dpkg -s libbenchmark-dev >/dev/null 2>&1; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends hyperfine strace libbenchmark-dev
fi

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
program=$PWD/build-bench/skedmill

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build-bench/bench/skedmill_make_listings "$work"
# Extract works on copies of the pairs (x*), so that the two modes never feed
# each other: a listing with empty titles does not read back as it was written.
for guide in a b c; do
  "$program" "$work/$guide" >/dev/null
  cp "$work/$guide.ndx" "$work/x$guide.ndx"
  cp "$work/$guide.pdt" "$work/x$guide.pdt"
done

names=(usage "generate a" "extract a" "generate b" "extract b" "generate c" "extract c")
commands=("$program" "$program $work/a" "$program $work/xa /extract" "$program $work/b" "$program $work/xb /extract"
          "$program $work/c" "$program $work/xc /extract")
arguments=()
for i in "${!names[@]}"; do arguments+=(-n "${names[$i]}" "${commands[$i]}"); done
hyperfine -N -i --warmup 50 --min-runs 300 --style none --export-csv "$work/times.csv" "${arguments[@]}" >/dev/null

echo "guides: a = 32,755 entries, empty titles; b = 2,900 entries, 20-byte titles; c = a week, 400 entries"
printf '%-12s %12s %10s %10s %14s\n' run "mean (ms)" "min (ms)" ratio "system calls"
baseline=$(awk -F, 'NR == 2 { print $2 }' "$work/times.csv")
for i in "${!names[@]}"; do
  read -r -a words <<<"${commands[$i]}"
  calls=$(strace -f -c -o "$work/strace.txt" "${words[@]}" >/dev/null 2>&1; awk '/total/ { print $4 }' "$work/strace.txt")
  awk -F, -v name="${names[$i]}" -v base="$baseline" -v calls="$calls" \
    'NR > 1 && $1 == name { printf "%-12s %12.3f %10.3f %10.2f %14s\n", $1, $2 * 1000, $7 * 1000, $2 / base, calls }' \
    "$work/times.csv"
done
echo
build-bench/bench/skedmill_formats_bench --benchmark_min_time=0.5
