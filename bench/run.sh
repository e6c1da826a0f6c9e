#!/usr/bin/env bash
# Runs the benchmarks of a build tree and the whole-program CPU measurement; prints one table.
# Usage: bench/run.sh <build dir> (make bench builds build-bench and runs this). Always exits 0.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
log="$build/bench.log"
table=$(mktemp)
trap 'rm -f "$table"' EXIT

echo "Running the benchmarks (about a minute; the full output goes to $log)..."
if ! SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/bench/quendal_bench" \
    --benchmark_min_time=0.05 --benchmark_repetitions=5 --table="$table" >"$log" 2>&1; then
  echo "The benchmark program failed; see $log"
fi

echo
echo "Quendal benchmarks, $(date +%F), $(nproc) cores ($(uname -m)), Release build."
echo "ours and baseline: CPU time per call, fastest of 5 repetitions; ratio = ours / baseline;"
echo "met = ratio <= goal (goals of 0.33 mean at least 3x faster). Per-object rows divide by N."
cat "$table"

# The whole program under Xvfb: CPU seconds per wall second, from /proc/PID/stat.
if cpu=$(bash "$here/bench/cpu_usage.sh" "$build/quendal" "$here" 10 2>>"$log"); then
  read -r _ start_ratio start_wall <<<"$(grep '^start' <<<"$cpu")"
  read -r _ play_ratio play_wall games <<<"$(grep '^play' <<<"$cpu")"
  printf '%-44s %10s %10s %7s %8s %4s\n' "Whole program: start screen, CPU s / wall s" \
    "$start_ratio" "-" "-" "report" "-"
  printf '%-44s %10s %10s %7s %8s %4s\n' "Whole program: play, CPU s / wall s" \
    "$play_ratio" "-" "-" "report" "-"
  echo "(Xvfb, $start_wall s on the start screen; $play_wall s of play over $games games)"
else
  echo "Whole program: not measured (needs xvfb-run, Xvfb and xdotool; see $log)"
fi
exit 0
