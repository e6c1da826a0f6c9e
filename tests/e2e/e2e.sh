#!/usr/bin/env bash
# The real program in a real X window: click PLAY, wait for the game over, check a screenshot, press
# Escape, then compare the whole console output, the exit status and the best-score file.
# Usage: e2e.sh <quendal binary> <source dir>. Starts its own X server with xvfb-run; E2E_TRACE=1 traces.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 <quendal binary> <source dir>" >&2
  exit 2
fi
binary=$(realpath "$1")
src=$(realpath "$2")

if [ -z "${QUENDAL_E2E_INSIDE:-}" ]; then
  for tool in xvfb-run Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (make deps installs it)"; exit 1; }
  done
  exec env QUENDAL_E2E_INSIDE=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash ${E2E_TRACE:+-x} "$0" "$@"
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/run" "$work/run/assets"
cp "$src/assets/Cornerstone Regular.ttf" "$work/run/"
cp "$src/assets/bg.jpg" "$src/assets/fire_bg_full.jpg" "$work/run/assets/"
out=$work/stdout
err=$work/stderr

# Polls a command every 0.1 s until it succeeds or the limit (in seconds) passes.
wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
printed() { grep -q "$1" "$out"; }
running() { kill -0 "$pid" 2>/dev/null; }
finished() { ! running; }
show_logs() {
  echo "--- stdout:"; cat -A "$out" || true
  echo "--- stderr:"; cat "$err" || true
}

: >"$out"
: >"$err"
(cd "$work/run" && SDL_VIDEODRIVER=x11 exec "$binary" >"$out" 2>"$err") &
pid=$!

if ! wait_for 30 printed "Highest Score Read"; then
  fail "the start screen did not open within 30 s"
  show_logs
  exit 1
fi
window=$(timeout 30 xdotool search --sync --onlyvisible --name "Quendal The Warden" | head -n 1) || true
if [ -z "$window" ]; then
  fail "no visible window named 'Quendal The Warden' within 30 s"
  show_logs
  exit 1
fi
pass "window $window is up"

# A click that lands before the window takes input is lost; clicks during play do nothing, so
# clicking again until play starts is safe.
started=no
for attempt in 1 2 3 4 5 6; do
  xdotool mousemove --window "$window" 400 257 click 1
  if wait_for 5 printed "Game Started"; then
    started=yes
    break
  fi
done
if [ "$started" != yes ]; then
  fail "PLAY did not start the game"
  show_logs
  exit 1
fi
pass "PLAY started the game"

if ! wait_for 60 printed "Game Over"; then
  fail "no game over within 60 s"
  show_logs
  exit 1
fi
pass "the still-paddle game ended"

# The hex colour of pixel (x, y) of a picture.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
# White pixels of the picture in a box w x h at x, y.
whites() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 rgb:- | od -An -v -tu1 | tr -s ' ' '\n' |
    grep -v '^$' | paste - - - | awk '$1 == 255 && $2 == 255 && $3 == 255 {n++} END {print n + 0}'
}

# The game-over frame is presented in the pass of the miss, just after the message: take shots until
# the score lines are gone, then the frame stands still.
shot=$work/shot.png
frozen() { import -window "$window" "$shot" 2>/dev/null && [ "$(whites "$shot" 75 0 459 50)" -eq 0 ]; }
if wait_for 20 frozen; then pass "the score lines are gone from the frozen frame"; else fail "the score lines are still shown"; fi

size=$(identify -format '%w %h' "$shot")
if [ "$size" = "800 600" ]; then pass "screenshot is 800x600"; else fail "screenshot is '$size'"; fi
while read -r x y want what; do
  got=$(pixel "$shot" "$x" "$y")
  if [ "$got" = "$want" ]; then pass "$what at ($x,$y) is $want"; else fail "$what at ($x,$y) is $got, wanted $want"; fi
done <<END
0 0 505050 header-tile-1
266 49 505050 header-tile-1
267 0 404040 header-tile-2
533 49 404040 header-tile-2
534 0 707070 header-tile-3
799 49 707070 header-tile-3
326 541 996600 paddle
400 555 996600 paddle
474 569 996600 paddle
509 532 FFFF00 ball-B
533 532 FFFF00 ball-B-right-edge
625 204 FF3366 ball-A
END
for xy in "325 555" "475 555" "400 540" "400 570"; do
  got=$(pixel "$shot" $xy)
  if [ "$got" != 996600 ]; then pass "no paddle at ($xy)"; else fail "paddle colour at ($xy)"; fi
done
title=$(whites "$shot" 590 0 210 50)
if [ "$title" -gt 50 ]; then pass "the title shows ($title white pixels)"; else fail "the title is missing ($title white pixels)"; fi

xdotool key --window "$window" Escape
if ! wait_for 30 finished; then
  fail "the program did not end within 30 s of Escape"
  show_logs
  exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
if [ "$status" -eq 0 ]; then pass "exit status 0"; else fail "exit status $status"; fi

expected=$work/expected
printf 'Loading font: 24 point Cornerstone Regular.ttf\n\nGame Opened\nHighest Score Read -> 0\nGame Started\nGame Over\nGame ExitFree font: 24 point Cornerstone Regular.ttf\n' >"$expected"
if cmp -s "$out" "$expected"; then
  pass "console output is byte for byte as expected"
else
  fail "console output differs"
  echo "--- expected:"; cat -A "$expected"
  show_logs
fi
printf '2\n' >"$expected"
if cmp -s "$work/run/highScore.txt" "$expected"; then
  pass "highScore.txt holds \"2\\n\""
else
  fail "highScore.txt holds '$(cat -A "$work/run/highScore.txt" 2>&1)'"
fi
left=$(cd "$work/run" && ls -A | sort | tr '\n' ' ')
if [ "$left" = "Cornerstone Regular.ttf assets highScore.txt " ]; then pass "no other file was left"; else fail "files left: $left"; fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "end-to-end run passed"
