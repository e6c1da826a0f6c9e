#!/usr/bin/env bash
# Measures the real program's CPU seconds per wall second under Xvfb: on the start screen, and in
# play (games are restarted until enough play time is measured, since an unsteered game ends fast).
# Usage: cpu_usage.sh <quendal binary> <source dir> [seconds]. Prints two lines:
#   start <cpu-per-wall> <wall seconds>
#   play <cpu-per-wall> <wall seconds> <games>
# A measurement, not a test: it asserts nothing. Reads utime + stime from /proc/PID/stat.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <quendal binary> <source dir> [seconds]" >&2
  exit 2
fi
binary=$(realpath "$1")
src=$(realpath "$2")
seconds=${3:-10}

if [ -z "${QUENDAL_CPU_INSIDE:-}" ]; then
  for tool in xvfb-run Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
  done
  exec env QUENDAL_CPU_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    bash "$0" "$@"
fi

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/assets"
cp "$src/assets/Cornerstone Regular.ttf" "$work/"
cp "$src/assets/bg.jpg" "$src/assets/fire_bg_full.jpg" "$work/assets/"
ticks_per_second=$(getconf CLK_TCK)

# CPU clock ticks (user + system) of the running game.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
now() { date +%s.%N; }
# Evaluates an arithmetic expression; calc FORMAT EXPRESSION.
calc() { awk "BEGIN { printf \"$1\", $2 }"; }
# Polls a command every 0.1 s until it succeeds or the limit (in seconds) passes.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
printed() { grep -q "$1" "$work/stdout"; }

# Starts the game and waits for its start screen and window; sets pid and window.
start_game() {
  rm -f "$work/highScore.txt"
  (cd "$work" && SDL_VIDEODRIVER=x11 exec "$binary" >"$work/stdout" 2>"$work/stderr") &
  pid=$!
  wait_for 30 printed "Highest Score Read" || { echo "the start screen did not open" >&2; exit 1; }
  wait_for 30 xdotool search --name "Quendal The Warden" >/dev/null ||
    { echo "no game window" >&2; exit 1; }
  window=$(xdotool search --name "Quendal The Warden" | head -n 1)
  sleep 1
}

stop_game() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}

start_game
ticks0=$(cpu_ticks)
wall0=$(now)
sleep "$seconds"
ticks1=$(cpu_ticks)
wall1=$(now)
echo "start $(calc %.2f "($ticks1 - $ticks0) / $ticks_per_second / ($wall1 - $wall0)") $(
  calc %.1f "$wall1 - $wall0")"

# Play: from the click on PLAY to the last sample taken before "Game Over" appears.
play_ticks=0
play_wall=0
games=0
while [ "$(calc %d "$play_wall < $seconds")" = 1 ]; do
  [ -n "$pid" ] || start_game
  xdotool mousemove --window "$window" 400 258 click 1
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
echo "play $(calc %.2f "$play_ticks / $ticks_per_second / $play_wall") $(
  calc %.1f "$play_wall") $games"
