#!/usr/bin/env bash
# A test game recorded in a real window while two busy loops load the machine: keys held and
# tapped, clicks, the wheel and a scripted virtual gamepad, with the clock and the dice it reads.
# Replayed headless, fast and in real time, it prints the same console and draws the same last
# frame. Usage: input.sh <input_game binary>. Runs under its own X server.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <input_game binary>" >&2; exit 2; }
source "$(dirname "$0")/../reliability/common.sh"
need xdotool compare
under_xvfb "$0" "$@"
make_scratch
binary=$(realpath "$1")
busy=()
trap 'kill "${busy[@]}" 2>/dev/null; cleanup' EXIT
for _ in 1 2; do { while :; do :; done; } & busy+=($!); done
QUENDAL_TEST_PAD=1 start_program "$binary" "" --record "$work/game.rec" --screenshot "$work/real.png"
wait_for 30 find_window || stop "no visible window within 30 s"
xdotool windowfocus --sync "$window" keydown Right sleep 0.4 keyup Right key shift+a \
  mousemove --window "$window" 40 50 click 1 click 4 click 4 click 5 keydown Left sleep 0.3 keyup Left
wait_for 30 printed "pad 0 off" || stop "the gamepad's script did not end within 30 s"
xdotool windowfocus --sync "$window" key Escape
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] && pass "recorded: exit status 0" || fail "recorded: exit status $status"
for word in keydown keyup mousedown wheel padadded paddown padaxis padremoved time seed; do
  grep -q "^[0-9]* $word " "$work/game.rec" && pass "recorded: $word" || fail "recorded: no $word"
done
for pace in --fast ""; do
  (cd "$work/run" && exec "$binary" --replay "$work/game.rec" --headless $pace \
     --screenshot "$work/replayed.png" >"$work/replayed.out" 2>"$work/replayed.err") ||
    fail "replayed ${pace:-in real time}: exit status $?"
  check_bytes "replayed ${pace:-in real time}: the console" "$work/replayed.out" "$work/stdout"
  differ=$(compare -metric AE "$work/real.png" "$work/replayed.png" null: 2>&1) || true
  [ "$differ" = 0 ] && pass "replayed ${pace:-in real time}: the last frame" ||
    fail "replayed ${pace:-in real time}: $differ pixels of the last frame differ"
done
finish "input recorded and replayed"
