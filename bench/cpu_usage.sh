#!/usr/bin/env bash
# Measures the real program's CPU seconds per wall second under Xvfb: on the start screen, and in
# play (games are restarted until enough play time is measured, since an unsteered game ends fast).
# Usage: cpu_usage.sh <bench_game binary> <source dir> <seconds> [game arguments]. Prints:
#   start <cpu-per-wall> <wall seconds>
#   play <cpu-per-wall> <wall seconds> <games>
#   updates <updates per 10 s of play>
#   latency <median ms> <p99 ms>          (with the game argument "latency")
# A measurement, not a test: it asserts nothing. Reads utime + stime from /proc/PID/stat, and the
# game's "play-updates" and "latency" lines from its standard error.
set -euo pipefail

[ $# -ge 3 ] || { echo "usage: $0 <bench_game binary> <source dir> <seconds> [args]" >&2; exit 2; }
binary=$(realpath "$1")
seconds=$3
game_args=("${@:4}")
# PLAY's place on the window: the start screen's at 1x, times --scale N when given.
scale=1
for ((i = 0; i + 1 < ${#game_args[@]}; i++)); do
  [ "${game_args[i]}" != --scale ] || scale=${game_args[i + 1]}
done
source "$(dirname "$0")/../tests/reliability/common.sh"
need xdotool
under_xvfb "$0" "$@"
make_scratch "$2"
ticks_per_second=$(getconf CLK_TCK)

# CPU clock ticks (user + system) of the running game.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
now() { date +%s.%N; }
# Evaluates an arithmetic expression; calc FORMAT EXPRESSION.
calc() { awk "BEGIN { printf \"$1\", $2 }"; }
# Starts the game and waits for its start screen and window; sets pid and window.
start_game() {
  rm -f "$work/run/highScore.txt"
  start_program "$binary" "" "${game_args[@]}"
  wait_for 30 printed "Highest Score Read" || { echo "the start screen did not open" >&2; exit 1; }
  wait_for 30 find_window || { echo "no game window" >&2; exit 1; }
  sleep 1
}

# Stops the game and keeps what it reported.
stop_game() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
  cat "$work/stderr" >>"$work/reports"
}

start_game
ticks0=$(cpu_ticks)
wall0=$(now)
sleep "$seconds"
ticks1=$(cpu_ticks)
wall1=$(now)
echo "start $(calc %.3f "($ticks1 - $ticks0) / $ticks_per_second / ($wall1 - $wall0)") $(
  calc %.1f "$wall1 - $wall0")"

# Play: from the click on PLAY to the last sample taken before "Game Over" appears.
play_ticks=0
play_wall=0
games=0
while [ "$(calc %d "$play_wall < $seconds")" = 1 ]; do
  [ -n "$pid" ] || start_game
  xdotool mousemove --window "$window" $((400 * scale)) $((258 * scale)) click 1
  wait_for 10 printed "Game Started" || { echo "play did not start" >&2; exit 1; }
  ticks0=$(cpu_ticks)
  wall0=$(now)
  ticks1=$ticks0
  wall1=$wall0
  while ! printed "Game Over"; do
    ticks1=$(cpu_ticks)
    wall1=$(now)
    [ "$(calc %d "$play_wall + $wall1 - $wall0 < $seconds")" = 1 ] || break
    sleep 0.1
  done
  play_ticks=$(calc %d "$play_ticks + $ticks1 - $ticks0")
  play_wall=$(calc %.6f "$play_wall + $wall1 - $wall0")
  games=$((games + 1))
  stop_game
done
echo "play $(calc %.3f "$play_ticks / $ticks_per_second / $play_wall") $(
  calc %.1f "$play_wall") $games"
awk '$1 == "play-updates" { u += $2; ms += $3 }
     END { if (ms > 0) printf "updates %.0f\n", u * 10000 / ms }' "$work/reports"
awk '$1 == "latency" { m += $2 * $4; if ($3 > p) p = $3; n += $4 }
     END { if (n > 0) printf "latency %.2f %.2f\n", m / n, p }' "$work/reports"
