#!/usr/bin/env bash
# The real program in a real X window: click PLAY, wait for the game over, check a screenshot, press
# Escape, then compare the whole console output, the exit status and the best-score file; then end a
# run whose console has gone away.
# Usage: e2e.sh <quendal binary> <source dir>. Runs under its own X server (xvfb-run).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <quendal binary> <source dir>" >&2; exit 2; }
source "$(dirname "$0")/../reliability/common.sh"
need xdotool import convert
under_xvfb "$0" "$@"
make_scratch "$2"
start_program "$(realpath "$1")"

wait_for 30 printed "Highest Score Read" || stop "the start screen did not open within 30 s"
window=$(timeout 30 xdotool search --sync --onlyvisible --name "Quendal The Warden" | head -n 1) || true
[ -n "$window" ] || stop "no visible window named 'Quendal The Warden' within 30 s"
# A click that lands before the window takes input is lost; clicks during play do nothing, so
# clicking again until play starts is safe.
click_play() { xdotool mousemove --window "$window" 400 257 click 1; wait_for 5 printed "Game Started"; }
wait_for 30 click_play || stop "PLAY did not start the game"
wait_for 60 printed "Game Over" || stop "no game over within 60 s"
pass "PLAY started the game and the still-paddle game ended"

shot=$work/shot.png
# The hex colour of pixel (x, y) of the screenshot.
pixel() { convert "$shot" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
# The white pixels of the screenshot in the box w x h at (x, y): whites X Y W H.
whites() {
  convert "$shot" -crop "$3x$4+$1+$2" +repage -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:
}
# The game-over frame is presented in the pass of the miss, just after the message: take shots until
# the score lines are gone, then the frame stands still.
frozen() { import -window "$window" "$shot" 2>/dev/null && [ "$(whites 75 0 459 50)" -eq 0 ]; }
wait_for 20 frozen || fail "the score lines are still shown"
size=$(identify -format '%w %h' "$shot")
[ "$size" = "800 600" ] || fail "screenshot is '$size'"
while read -r x y want what; do
  got=$(pixel "$x" "$y")
  if [ "${want#!}" != "$want" ]; then [ "$got" != "${want#!}" ]; else [ "$got" = "$want" ]; fi &&
    pass "$what at ($x,$y): $got" || fail "$what at ($x,$y) is $got, wanted $want"
done <<END
0 0 505050 header-tile-1
533 49 404040 header-tile-2
799 49 707070 header-tile-3
326 541 996600 paddle
474 569 996600 paddle
325 555 !996600 left-of-the-paddle
400 570 !996600 below-the-paddle
509 532 FFFF00 ball-B
625 204 FF3366 ball-A
END
# Unmapped and mapped again, the window shows its frame again though nothing is redrawn.
xdotool windowunmap --sync "$window" windowmap --sync "$window"
sleep 0.5
import -window "$window" "$work/again.png"
[ "$(compare -metric AE "$shot" "$work/again.png" null: 2>&1)" = 0 ] &&
  pass "the frame is back after an unmap and map" || fail "the frame is lost after an unmap and map"
title=$(whites 590 0 210 50)
[ "$title" -gt 50 ] && pass "the title shows ($title white pixels)" || fail "the title is missing"

finished() { ! kill -0 "$pid" 2>/dev/null; }
# A key sent before the window has the focus is lost; a second Escape is sent only after the
# program had 10 s to end on the first.
escape() { xdotool windowfocus --sync "$window" key --window "$window" Escape; wait_for 10 finished; }
# Presses Escape and passes when the program then ends with status 0: ends_on_escape [WHAT].
ends_on_escape() {
  wait_for 30 escape || stop "the program did not end within 30 s of Escape"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] && pass "exit status 0$*" || fail "exit status $status$*"
}
ends_on_escape
check_bytes "the console" "$work/stdout" <(console 0 $'\nGame Started\nGame Over\nGame Exit')
check_bytes "the record" "$work/run/highScore.txt" <(printf '2\n')
left=$(cd "$work/run" && LC_ALL=C ls -A | tr '\n' ' ')
[ "$left" = "Cornerstone Regular.ttf assets highScore.txt " ] || fail "files left: $left"

# A console that goes away after its first byte loses nothing but the lines.
mkfifo "$work/pipe"
head -c 1 "$work/pipe" >/dev/null &
reader=$!
start_program "$(realpath "$1")" "$work/pipe"
wait "$reader"
window=$(timeout 30 xdotool search --sync --onlyvisible --name "Quendal The Warden" | head -n 1) || true
ends_on_escape " with the console closed"
finish "end-to-end run passed"
