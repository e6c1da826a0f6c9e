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
# P, then leaving the window (an unmap and map), each freeze the game under its PAUSED panel
# (gold rim at 312, 300) until P; played on, the frame moves again. The replay below holds both.
shot() { sleep 0.4; import -window "$window" "$work/$1.png"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = 0 ]; }
for leave in P unmap; do
  if [ $leave = P ]; then xdotool windowfocus --sync "$window" key p
  else xdotool windowunmap --sync "$window" windowmap --sync "$window"; fi
  shot paused && xdotool windowfocus --sync "$window" keydown Left sleep 0.3 keyup Left && shot still
  rim=$(convert "$work/still.png" -format '%[pixel:p{312,300}]' info:)
  same paused still && [ "$rim" = "srgb(246,206,112)" ] && pass "$leave: frozen under PAUSED" ||
    fail "$leave: not frozen under PAUSED ($rim)"
  xdotool windowfocus --sync "$window" key p && shot going
  same still going && fail "$leave: P did not resume" || pass "$leave: P resumed"
done
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
grep -q "keydown Right" "$work/game.rec" && grep -q focuslost "$work/game.rec" &&
  pass "the keys and the window left were recorded" || fail "no key or window left recorded"

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
