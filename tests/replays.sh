#!/usr/bin/env bash
# Replays each committed recording headless and fast and compares what it printed on stdout and
# stderr, the record it left, the last frame's pixel checksum, the sound stream's checksum and the
# recording written again while replaying; then runs the table of bad command lines and
# recordings: each must print its one line on stderr, exit 2, print nothing else and leave the
# record alone. Last, the sound played live through SDL's disk driver.
# Usage: replays.sh <quendal binary> <source dir> [--update] (--update rewrites the expectations).
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 <quendal binary> <source dir> [--update]" >&2; exit 2; }
source "$(dirname "$0")/reliability/common.sh"
need convert
binary=$(realpath "$1")
recordings=$(realpath "$2/tests/recordings")
make_scratch "$2"
run=$work/run

for recording in "$recordings"/*.rec; do
  name=${recording%.rec}
  rm -f "$run/highScore.txt" "$work/frame.png"
  # A record given before the run is dated far back, so that one written again shows.
  [ ! -e "$name.before" ] || { cp "$name.before" "$run/highScore.txt" && touch -d @1000000000 "$run/highScore.txt"; }
  status=0
  (cd "$run" && exec timeout 60 "$binary" --replay "$recording" --headless --fast \
     --screenshot "$work/frame.png" --record "$work/again.rec" --audio-out "$work/sound.wav" \
     >"$work/stdout" 2>"$work/stderr") || status=$?
  frame_sum "$work/frame.png" >"$work/frame"
  sha256sum <"$work/sound.wav" | cut -d' ' -f1 >"$work/sound"
  if [ "${3:-}" = --update ]; then
    cp "$work/stdout" "$name.console"
    cp "$work/frame" "$name.frame"
    cp "$work/sound" "$name.sound"
    if [ -e "$run/highScore.txt" ]; then cp "$run/highScore.txt" "$name.score"; else rm -f "$name.score"; fi
  fi
  what=$(basename "$name")
  [ "$status" -eq 0 ] && pass "$what: exit status 0" || fail "$what: exit status $status"
  check_bytes "$what: the console" "$work/stdout" "$name.console"
  # What it says on stderr, with the recordings' folder left out ($name.stderr; nothing if absent).
  sed -i "s|$recordings/||" "$work/stderr"
  check_bytes "$what: stderr" "$work/stderr" "$([ -e "$name.stderr" ] && echo "$name.stderr" || echo /dev/null)"
  check_bytes "$what: the last frame" "$work/frame" "$name.frame"
  check_bytes "$what: the sound stream" "$work/sound" "$name.sound"
  # A recording cut short (one with a .stderr) is written again with the end where it stopped.
  [ -e "$name.stderr" ] || check_bytes "$what: recorded again" "$work/again.rec" "$recording"
  if [ -e "$name.score" ]; then check_bytes "$what: the record" "$run/highScore.txt" "$name.score"
    if cmp -s "$name.score" "$name.before"; then
      [ "$(stat -c %Y "$run/highScore.txt")" = 1000000000 ] && pass "$what: the record untouched" ||
        fail "$what: the record written again"
    fi
  else [ ! -e "$run/highScore.txt" ] && pass "$what: no record" || fail "$what: a record was written"; fi
done

# Bad input, one case a line: arguments, a file made before the run ("-": none; "@dir" and "@fifo"
# make a directory and a FIFO, "@line:N" a recording whose second line is a comment of N bytes and
# whose third is bad, "@size:N" a file of N zero bytes; otherwise printf %b of the text), stderr.
while IFS=$'\t' read -r args file content expected; do
  [ -n "$args" ] && [ "${args:0:1}" != "#" ] || continue
  printf '7\n' >"$run/highScore.txt"
  case "$content" in
    -) ;;
    @dir) mkdir "$run/$file" ;;
    @fifo) mkfifo "$run/$file" ;;
    @line:*) { printf 'quendal-recording 1\n#'; head -c $((${content#@line:} - 1)) /dev/zero | tr '\0' x
               printf '\n1 jump\n'; } >"$run/$file" ;;
    @size:*) truncate -s "${content#@size:}" "$run/$file" ;;
    *) printf '%b' "$content" >"$run/$file" ;;
  esac
  status=0
  eval "arguments=($args)"  # split as the shell splits them, so '' is an empty argument
  (cd "$run" && exec timeout 20 bash -c 'exec -a quendal "$@"' - "$binary" "${arguments[@]}" \
     >"$work/stdout" 2>"$work/stderr") || status=$?
  [ "$file" = - ] || rm -rf "${run:?}/$file"
  [ "$status" -eq 2 ] && [ ! -s "$work/stdout" ] && pass "$args: exit status 2, nothing printed" ||
    fail "$args: exit status $status, stdout $(head -c 80 "$work/stdout")"
  check_bytes "$args: stderr" "$work/stderr" <(printf '%s\n' "$expected")
  check_bytes "$args: the record" "$run/highScore.txt" <(printf '7\n')
done <"$recordings/bad.tsv"
# Presses on the start screen, one a line (presses.tsv), each followed by Escape four updates on:
# a press on PLAY starts the game, one on EXIT ends the run at once, any other does nothing.
while read -r button x y hits; do
  [ "${button:0:1}" != "#" ] || continue
  printf 'quendal-recording 1\n5 mousedown %s %s %s\n9 keydown Escape\n9 end\n' "$button" "$x" "$y" \
    >"$work/press.rec"
  (cd "$run" && exec "$binary" --replay "$work/press.rec" --headless --fast \
     --record "$work/again.rec" >"$work/stdout" 2>&1) || true
  case $hits in play) want="1 9 end" ;; exit) want="0 5 end" ;; *) want="0 9 end" ;; esac
  got="$(grep -c '^Game Started' "$work/stdout") $(tail -n 1 "$work/again.rec")"
  [ "$got" = "$want" ] && pass "press $button at $x, $y: $hits" ||
    fail "press $button at $x, $y: $got, wanted $want"
done <"$recordings/presses.tsv"
# A game left on the start screen for 1,000,000 updates (over four hours in real time) replays
# fast well within the time limit: with --fast no pass waits.
printf 'quendal-recording 1\n1000000 keydown Escape\n1000000 end\n' >"$work/idle.rec"
rm -f "$run/highScore.txt"
status=0
(cd "$run" && exec timeout 60 "$binary" --replay "$work/idle.rec" --headless --fast >"$work/stdout" 2>&1) ||
  status=$?
[ "$status" -eq 0 ] && pass "four idle hours replayed fast" || fail "four idle hours: exit status $status"
check_bytes "four idle hours: the console" "$work/stdout" <(console 0 $'\nGame Exit')

# The sound played live, through SDL's disk driver at twice real time, holds the frames of the
# stream written beside it, in order, with only silence between (the stream's silent frames left
# out of both); a machine too busy to let the device keep up may cost a block or two, which the
# feed drops rather than fall behind. Muted, the device gets silence and the stream is the same;
# without a device the game says why and plays on, silent.
frames() { od -An -v -tx4 -w4 -j44 "$1" | grep -vx ' 00000000'; }
in_order() {
  awk 'BEGIN { j = 0 } NR == FNR { want[n++] = $0; next }
       { while (j < n && want[j] != $0) j++; if (j++ >= n) lost = 1; got++ }
       END { exit lost || got < n - 2 * 720 || n < 10000 }' "$@"
}
live() {
  (cd "$run" && exec env SDL_AUDIODRIVER="$1" SDL_DISKAUDIOFILE="$work/live.raw" SDL_DISKAUDIODELAY=5 \
     timeout 60 "$binary" --replay "$recordings/play.rec" --headless --audio-out "$work/live.wav" \
     "${@:2}" >/dev/null 2>"$work/stderr") || return
  sed -i '/^CRITICAL: /d' "$work/stderr"  # the disk driver's own notice of where it writes
}
live disk && in_order <(frames "$work/live.wav") <(od -An -v -tx4 -w4 "$work/live.raw" | grep -vx ' 00000000') &&
  pass "live: the sounds in order" || fail "live: the device's frames differ from the stream's"
check_bytes "live: stderr" "$work/stderr" /dev/null
live disk --mute && [ -z "$(od -An -v -tx4 -w4 "$work/live.raw" | grep -vx ' 00000000')" ] &&
  [ "$(sha256sum <"$work/live.wav" | cut -d' ' -f1)" = "$(cat "$recordings/play.sound")" ] &&
  pass "muted: a silent device, the same stream" || fail "muted: the device played or the stream changed"
live nonexistent --fast && pass "no device: the game plays on" || fail "no device: exit status $?"
check_bytes "no device: stderr" "$work/stderr" <(echo "No sound: Audio target 'nonexistent' not available")
finish "replays passed"
