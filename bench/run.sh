#!/usr/bin/env bash
# Runs the benchmarks of a build tree and the whole-program CPU measurement; prints one table.
# Usage: bench/run.sh <build dir> (make bench builds build-bench and runs this). Always exits 0.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
log="$build/bench.log"
# Every X server of the run holds a 2400x1800 window: the frame at 3x.
export QUENDAL_XVFB_SCREEN=2560x1920x24
table=$(mktemp)

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

# One table row: row LABEL OURS BASELINE GOAL, where GOAL is "<= X" or ">= X" on ours / baseline,
# or "report"; a missing figure prints "-".
row() {
  awk -v label="$1" -v ours="$2" -v base="$3" -v goal="$4" 'BEGIN {
    ratio = "-"; met = "-"
    if (ours != "" && base != "" && base + 0 != 0) {
      ratio = sprintf(ours / base < 0.1 ? "%.4f" : "%.2f", ours / base)
      if (goal ~ /^<=/) met = ours / base <= substr(goal, 4) + 0 ? "yes" : "no"
      if (goal ~ /^>=/) met = ours / base >= substr(goal, 4) + 0 ? "yes" : "no"
    }
    printf "%-44s %10s %10s %7s %8s %4s\n", label, ours == "" ? "-" : ours,
           base == "" ? "-" : base, ratio, goal, met }'
}
# A field of a line of the measurement: field FILE KEY N.
field() { awk -v key="$2" -v n="$3" '$1 == key { print $n }' "$1"; }

# The whole program in a real window under Xvfb: CPU seconds per wall second, updates per 10 s of
# play and the time from an event to its hook. Baselines measured in the same run: the earlier
# pacing rule (a pass sleeps 9 ms when 9 ms or more remain, otherwise polls again) with today's
# presenting, and the earlier engine: that rule with SDL's default renderer (OpenGL, here llvmpipe).
cpu_new=$(mktemp) cpu_old=$(mktemp) cpu_was=$(mktemp) lat_new=$(mktemp) lat_old=$(mktemp)
cpu_2x=$(mktemp) present=$(mktemp)
trap 'rm -f "$table" "$cpu_new" "$cpu_old" "$cpu_was" "$lat_new" "$lat_old" "$cpu_2x" "$present"' EXIT
game="$build/bench/bench_game"
measure() { bash "$here/bench/cpu_usage.sh" "$game" "$here" "$@" 2>>"$log"; }
if measure 10 >"$cpu_new" && measure 10 old >"$cpu_old" &&
   SDL_RENDER_DRIVER=opengl measure 10 old >"$cpu_was"; then
  measure 8 latency >"$lat_new"
  measure 8 latency old >"$lat_old"
  measure 10 --scale 2 >"$cpu_2x"
  echo
  echo "Whole program under Xvfb (no GPU); baseline = the earlier engine (its pacing rule, OpenGL)"
  row "Start screen, CPU s / wall s" "$(field "$cpu_new" start 2)" "$(field "$cpu_was" start 2)" "<= 0.10"
  row "Play, CPU s / wall s" "$(field "$cpu_new" play 2)" "$(field "$cpu_was" play 2)" "<= 0.20"
  row "Updates in 10 s of play" "$(field "$cpu_new" updates 2)" "$(field "$cpu_was" updates 2)" ">= 1.00"
  echo "Baseline = the earlier pacing rule alone, with today's presenting"
  row "Start screen, CPU s / wall s" "$(field "$cpu_new" start 2)" "$(field "$cpu_old" start 2)" report
  row "Play, CPU s / wall s" "$(field "$cpu_new" play 2)" "$(field "$cpu_old" play 2)" report
  row "Updates in 10 s of play" "$(field "$cpu_new" updates 2)" "$(field "$cpu_old" updates 2)" ">= 1.00"
  row "Event to hook in play, median ms" "$(field "$lat_new" latency 2)" "$(field "$lat_old" latency 2)" report
  row "Event to hook in play, p99 ms" "$(field "$lat_new" latency 3)" "$(field "$lat_old" latency 3)" report
  echo "Baseline = play in the 1x window"
  row "Play in a 2x window, CPU s / wall s" "$(field "$cpu_2x" play 2)" "$(field "$cpu_new" play 2)" report
  echo "(goals: start <= 0.02, play <= 0.06 at 1x and 2x, median <= 1 ms, p99 <= 2 ms;" \
       "$(field "$cpu_new" play 3) s of play over $(field "$cpu_new" play 4) games)"
else
  echo "Whole program: not measured (needs Xvfb and xdotool; see $log)"
fi

# Headless fast replays of a recorded game, beside real time (one update per 15 ms).
replay=$(mktemp)
if (cd "$build" && "$build/bench/replay_bench" "$replay" >/dev/null 2>>"$log"); then
  echo
  echo "Replay, headless and fast, updates per second; baseline = real time, 66.7"
  row "Replay with rendering, updates / s" "$(field "$replay" render 2)" 66.7 ">= 75"
  row "Replay without rendering, updates / s" "$(field "$replay" logic 2)" 66.7 ">= 15000"
  # The same game recorded with its seed and a clock line at every update; baseline = the same
  # replay without them, measured just before.
  row "Replay with clock lines, rendering" "$(field "$replay" render-timed 2)" \
    "$(field "$replay" render 2)" ">= 0.95"
  row "Replay with clock lines, logic only" "$(field "$replay" logic-timed 2)" \
    "$(field "$replay" logic 2)" ">= 0.95"
  row "10 minutes of play recorded, bytes / 1 MB" "$(field "$replay" size-10min 2)" 1048576 "<= 1"
  # Reading a recording of the largest size accepted (256 MB), in a process of its own; the goal
  # is 300 MB at most.
  echo "Reading a 256 MB recording; baselines = the file's size in MB, reading its bytes alone"
  for kind in play densest; do
    row "Read $kind, peak RSS MB / file MB" "$(field "$replay" "read-$kind" 2)" 256 "<= 1.17"
    row "Read $kind, s / s to read the bytes" "$(field "$replay" "read-$kind" 3)" \
      "$(field "$replay" "read-$kind" 4)" report
  done
else
  echo "Replay: not measured (see $log)"
fi
rm -f "$replay"

# Putting one frame on a real window, per path SDL offers, against a memcpy of the frame.
if bash "$here/tests/with_xvfb.sh" env SDL_VIDEODRIVER=x11 "$build/bench/present_bench" >"$present" \
    2>>"$log"; then
  echo
  echo "Presenting an 800x600 frame under Xvfb, CPU us per frame, every row changed; baseline ="
  echo "memcpy of the bytes the window shows. The engine's presenter in a window of 1, 2, 3 times"
  echo "the frame, then each path SDL offers at 1x"
  for scale in 1 2 3; do
    row "Present: engine at ${scale}x" "$(field "$present" "engine-${scale}x" 2)" \
      "$(field "$present" "memcpy-${scale}x" 2)" "<= 2.00"
  done
  bound=$(field "$present" memcpy-1x 2)
  for path in opengl software-renderer-gl-framebuffer software-renderer-shm-framebuffer \
              window-surface-shm; do
    row "Present: $path" "$(field "$present" "$path" 2)" "$bound" report
  done
else
  echo "Presenting: not measured (needs Xvfb; see $log)"
fi
exit 0
