#!/usr/bin/env bash
# The real-window game test: a game recorded in a real X window (OpenGL, so frames reach the window
# as uploaded rows) and replayed headless and fast gives the same console bytes, the same record
# and, pixel for pixel, the same last frame as a screenshot of the real window, which an unmap and
# map shows again; a run whose console goes away still ends on Escape. Any game it started is
# stopped when it ends, passed or not.
# Usage: record_replay.sh <quendal binary> <source dir>. Runs under its own X server.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <quendal binary> <source dir>" >&2; exit 2; }
source "$(dirname "$0")/../reliability/common.sh"
need xdotool import compare
under_xvfb "$0" "$@"
make_scratch "$2"
binary=$(realpath "$1")
printf '1\n' >"$work/run/highScore.txt"
cp -r "$work/run" "$work/replay"
SDL_RENDER_DRIVER=opengl start_program "$binary" "" --record "$work/game.rec"

wait_for 30 printed "Highest Score Read" || stop "the start screen did not open within 30 s"
wait_for 30 find_window || stop "no visible window within 30 s"
click_play() { xdotool mousemove --window "$window" 400 257 click 1; wait_for 5 printed "Game Started"; }
wait_for 30 click_play || stop "PLAY did not start the game"
xdotool windowfocus --sync "$window" keydown Right sleep 0.3 keyup Right sleep 0.5 keydown Left \
  sleep 0.2 keyup Left
wait_for 60 printed "Game Over" || stop "no game over within 60 s"
# The game-over frame stands still: shots are taken until two in a row are the same.
still() {
  import -window "$window" "$work/real.png" && sleep 0.3 && import -window "$window" "$work/next.png" &&
    [ "$(compare -metric AE "$work/real.png" "$work/next.png" null: 2>&1)" = 0 ]
}
wait_for 20 still || stop "the game-over frame does not stand still"
# Unmapped and mapped again, the window shows its frame again though nothing is redrawn.
xdotool windowunmap --sync "$window" windowmap --sync "$window"
sleep 0.5
import -window "$window" "$work/again.png"
[ "$(compare -metric AE "$work/real.png" "$work/again.png" null: 2>&1)" = 0 ] &&
  pass "the frame is back after an unmap and map" || fail "the frame is lost after an unmap and map"
finished() { ! kill -0 "$pid" 2>/dev/null; }
escape() { find_window && xdotool windowfocus --sync "$window" key Escape 2>/dev/null && wait_for 10 finished; }
wait_for 30 escape || stop "the program did not end within 30 s of Escape"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] && pass "recorded: exit status 0" ||
  { fail "recorded: exit status $status; stderr:"; cat "$work/stderr"; }

replays_alike replayed
grep -q "keydown Right" "$work/game.rec" && pass "the keys were recorded" || fail "no key recorded"

# A console that goes away after its first byte loses nothing but the lines: Escape still ends
# the game with status 0.
mkfifo "$work/pipe"
head -c 1 "$work/pipe" >/dev/null &
reader=$!
start_program "$binary" "$work/pipe"
wait "$reader"
wait_for 30 escape || stop "the program did not end within 30 s of Escape with its console gone"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] && pass "console gone: exit status 0" || fail "console gone: exit status $status"
finish "record and replay passed"
