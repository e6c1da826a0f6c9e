#!/usr/bin/env bash
# Runs each fuzz target (or the one named) for the given seconds over a copy of its seed corpus.
# Usage: fuzz/run.sh <build-dir> <seconds> [target]; prints the inputs tried per target.
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")" && pwd)
targets=${3:-"fuzz_high_score fuzz_image fuzz_drawing fuzz_recording fuzz_wav"}
export SDL_VIDEODRIVER=dummy
status=0
for target in $targets; do
  binary="$build/fuzz/$target"
  [ -x "$binary" ] || { echo "$target: not built in $build" >&2; exit 1; }
  work="$build/fuzz-work/$target"
  mkdir -p "$work/new" "$work/crashes"
  log="$work/last.log"
  # Pictures and sounds also start from their loader's test files; a picture that takes seconds
  # fails the run.
  limits=(-timeout=20) seeds=("$source_dir/corpus/$target")
  if [ "$target" = fuzz_image ]; then
    limits=(-timeout=5 -rss_limit_mb=1024) seeds+=("$source_dir/../tests/images")
  fi
  [ "$target" != fuzz_wav ] || seeds+=("$source_dir/../tests/sounds")
  # New inputs go to the first directory, so the committed seeds stay as they are.
  if "$binary" -max_total_time="$seconds" "${limits[@]}" -print_final_stats=1 \
       -artifact_prefix="$work/crashes/" "$work/new" "${seeds[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log")
    echo "$target: ${seconds}s, ${runs} inputs tried, peak RSS ${peak} MB, no failure"
  else
    echo "$target: FAILED (log: $log)"
    tail -n 40 "$log"
    status=1
  fi
done
exit $status
