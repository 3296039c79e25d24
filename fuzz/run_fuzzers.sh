#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each from its seed corpus
# for a bounded time (seconds, default 60). New inputs go to a scratch copy of
# the corpus; a crash fails the run and prints its reproducer.
#   fuzz/run_fuzzers.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for target in listing_reader extract round_trip; do
  mkdir -p "$scratch/$target" "$scratch/artifacts"
  cp fuzz/corpus/$target/* "$scratch/$target/"
  dictionary=()
  [[ $target != extract ]] && dictionary=(-dict=fuzz/listing.dict)
  echo "fuzzing $target for ${seconds} s"
  if ! build-fuzz/fuzz/skedmill_fuzz_$target "${dictionary[@]}" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$scratch/artifacts/$target-" "$scratch/$target" > "$scratch/$target.log" 2>&1; then
    status=1
    tail -n 60 "$scratch/$target.log"
    for reproducer in "$scratch/artifacts/$target-"*; do
      echo "reproducer $(basename "$reproducer") (add it to fuzz/corpus/$target/ with a name that says what it caught):"
      od -A d -t x1 "$reproducer" | head -n 200
    done
  else
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' "$scratch/$target.log" || true
  fi
done
exit $status
