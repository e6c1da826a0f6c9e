#!/usr/bin/env bash
# The window that fits every screen, through the real game on a 2560x1600 X screen: after each row
# of the table (a resize, a storm of resizes, F11 or Alt+Enter) the window shows the headless frame
# of the same state at the largest whole multiple that fits, or scaled down to fit, centred on
# black bars, pixel for pixel; a press on a bar reaches nothing and one on PLAY's scaled place
# starts the game; a game so recorded in a 3x window replays headless at 1x to the same console,
# record and last frame. Any game it started is stopped when it ends, passed or not.
# Usage: scaling.sh <quendal binary> <source dir>. Runs under its own X server.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <quendal binary> <source dir>" >&2; exit 2; }
source "$(dirname "$0")/../reliability/common.sh"
need xdotool import convert compare identify
export QUENDAL_XVFB_SCREEN=2560x1600x24
under_xvfb "$0" "$@"
make_scratch "$2"
binary=$(realpath "$1")
# In a sanitizer build: the D-Bus library keeps some memory to the end; leaks of ours count.
printf 'leak:libdbus-1.so\n' >"$work/leaks"
export LSAN_OPTIONS=suppressions=$work/leaks:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}
printf '1\n' >"$work/run/highScore.txt"
cp -r "$work/run" "$work/replay"
printf 'quendal-recording 1\n12 quit\n12 end\n' >"$work/start.rec"
(cd "$work/replay" && exec "$binary" --replay "$work/start.rec" --headless --fast \
   --screenshot "$work/start.png" >/dev/null 2>&1) || stop "the headless start frame: status $?"

# Passes once a shot of the window, WIDTHxHEIGHT large, is the frame scaled by the rule within
# 5 s: shows WHAT WIDTH HEIGHT FRAME.
shows() {
  local k=$(($2 / 800 < $3 / 600 ? $2 / 800 : $3 / 600)) w h
  if [ "$k" -ge 1 ]; then w=$((800 * k)) h=$((600 * k))
  elif [ $(($2 * 600)) -le $(($3 * 800)) ]; then w=$2 h=$(($2 * 600 / 800))
  else w=$(($3 * 800 / 600)) h=$3; fi
  w=$((w > 0 ? w : 1)) h=$((h > 0 ? h : 1))
  convert -size "$2x$3" xc:black \( "$4" -sample "${w}x$h!" \) \
    -geometry "+$((($2 - w) / 2))+$((($3 - h) / 2))" -composite "$work/want.png"
  shot() {
    import -window "$window" "$work/shot.png" 2>/dev/null &&
      [ "$(compare -metric AE "$work/shot.png" "$work/want.png" null: 2>&1)" = 0 ]
  }
  wait_for 5 shot && pass "$1: $2x$3 shows the frame at ${w}x$h" ||
    fail "$1: no $2x$3 shot of the frame at ${w}x$h; last: $(identify -format %wx%h "$work/shot.png")"
}

start_program "$binary" "" --scale 3 --record "$work/game.rec" --screenshot "$work/real.png"
wait_for 30 printed "Highest Score Read" || stop "the start screen did not open within 30 s"
wait_for 30 find_window || stop "no visible window within 30 s"
shows "--scale 3 on a 2560x1600 screen" 1600 1200 "$work/start.png"
# action, its argument, the window's size after it.
while read -r action argument size; do
  case $action in
    size) xdotool windowsize "$window" "${argument%x*}" "${argument#*x}" ;;
    storm) resizes=()
           for ((i = 0; i < argument; i++)); do
             resizes+=(windowsize "$window" $((1 + i * 37 % 2500)) $((1 + i * 53 % 1500)))
           done
           xdotool "${resizes[@]}" windowsize "$window" "${size%x*}" "${size#*x}" ;;
    key) xdotool windowfocus --sync "$window" key "$argument" ;;
    press) xdotool mousemove --window "$window" "${argument%,*}" "${argument#*,}" click 1 ;;
  esac
  kill -0 "$pid" 2>/dev/null || stop "$action $argument: the program ended"
  find_window
  shows "$action $argument" "${size%x*}" "${size#*x}" "$work/start.png"
done <<'EOF'
size 800x600 800x600
size 1600x1200 1600x1200
size 2000x1000 2000x1000
size 700x500 700x500
size 1x1 1x1
size 3x1000 3x1000
storm 3000 1600x1200
key F11 2560x1600
key F11 1600x1200
key alt+Return 2560x1600
key alt+Return 1600x1200
size 2000x1000 2000x1000
press 599,456 2000x1000
press 1000,199 2000x1000
press 1400,456 2000x1000
EOF

xdotool windowsize "$window" 2400 1800
sleep 0.5
start_play() { xdotool mousemove --window "$window" 1201 772 click 1; wait_for 5 printed "Game Started"; }
wait_for 30 start_play && pass "a press on PLAY at 3x starts the game" || stop "PLAY at 3x did not start it"
xdotool windowfocus --sync "$window" keydown Right sleep 0.3 keyup Right sleep 0.5 keydown Left \
  sleep 0.2 keyup Left
wait_for 60 printed "Game Over" || stop "no game over within 60 s"
xdotool windowfocus --sync "$window" key Escape
wait "$pid" && pass "recorded at 3x: exit status 0" || fail "recorded at 3x: exit status $?"
pid=""
check_bytes "recorded at 3x: stderr" "$work/stderr" \
  <(printf -- '--scale 3: the window would fit no display; opening it at scale 2\n')
awk '$2 ~ /^mouse/ && ($(NF-1) > 799 || $NF > 599 || $(NF-1) < 0 || $NF < 0) { bad = 1 }
     END { exit bad }' "$work/game.rec" && pass "the recording holds game pixels only" ||
  fail "the recording holds points off the game's 800x600"
# The presses on the bars reached nothing: PLAY's is the only one recorded.
[ "$(grep -c mousedown "$work/game.rec")" = 1 ] && pass "the presses on the bars reach nothing" ||
  fail "presses recorded: $(grep mousedown "$work/game.rec")"
replays_alike "replayed at 1x"
finish "scaling passed"
