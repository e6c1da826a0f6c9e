#!/usr/bin/env bash
# The best-score file through the real game, one table row per case: what is read from plain,
# edited and hostile files when Escape is pressed on the start screen (tests/tables/record_reading.tsv),
# and what the committed game-over recording's save of 2 leaves among links, modes, other games and
# folders the player may not write (tests/tables/record_saving.tsv). Each run's console, standard
# error in its place, and the folder's listing after are compared byte for byte.
# Usage: records.sh <quendal binary> <source dir> reading|saving (the table to run)
set -u
case ${3:-} in reading|saving) ;; *) echo "usage: $0 <quendal binary> <source dir> reading|saving" >&2; exit 2 ;; esac
source "$(dirname "$0")/reliability/common.sh"
tables=$2/tests/tables
make_scratch "$2"
run=$work/run
cp "$1" "$work/quendal"
chmod 755 "$work"
printf 'quendal-recording 1\n0 keydown Escape\n0 end\n' >"$work/escape.rec"
cp "$2/tests/recordings/gameover.rec" "$work/"
export SDL_VIDEODRIVER=dummy
umask 022

# Empties the folder but for the font and the pictures, opens it to everyone, then writes the
# bytes (printf %b; none for <missing>) to highScore.txt and runs the command: prepare BYTES COMMAND.
prepare() {
  find "$run" -mindepth 1 -maxdepth 1 ! -name assets ! -name 'Cornerstone Regular.ttf' -exec rm -rf {} +
  chmod 777 "$run"
  [ "$1" = "<missing>" ] || printf '%b' "$1" >"$run/highScore.txt"
  [ -z "$2" ] || (cd "$run" && sh -c "$2") || fail "the command failed: $2"
}

# Replays the recording within 60 s (in real time while a command must run during play, run once
# "Game Started" is printed), as nobody when asked; the console with standard error goes to
# $work/stdout.
play() {
  local recording=$1 user=$2 during=$3 as=()
  [ "$user" != nobody ] || as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  : >"$work/stdout"
  (cd "$run" && exec timeout 60 "${as[@]}" "$work/quendal" --replay "$recording" --headless \
     $([ -n "$during" ] || echo --fast) >"$work/stdout" 2>&1) &
  local game=$!
  if [ -n "$during" ]; then
    wait_for 30 printed "Game Started" && (cd "$run" && sh -c "$during") || fail "could not run: $during"
  fi
  wait "$game" || fail "exit status $?"
}
nl=$'\n'

# Reads a table's rows, fields split at tabs (empty ones kept): rows FILE, then read -r from fd 3.
rows() { grep -v '^#' "$1" | tr '\t' '\001' >"$work/rows"; exec 3<"$work/rows"; }

# The reading table, row by row.
reading() {
  rows "$tables/record_reading.tsv"
  while IFS=$'\001' read -r -u 3 content command user best reading after; do
    prepare "$content" "$command"
    before=$(listing)
    play "$work/escape.rec" "$user" ""
    what="reading '$content' $command"
    check_bytes "$what: console" "$work/stdout" \
      <(console "$best" $'\nGame Exit' "${reading:+$reading$nl}")
    [ "$(listing)" = "${after:-$before}" ] && pass "$what: the folder" ||
      fail "$what: the folder holds $(listing), wanted ${after:-$before}"
  done
}

# The saving table, row by row.
saving() {
  rows "$tables/record_saving.tsv"
  while IFS=$'\001' read -r -u 3 command after reading saving user during; do
    prepare "<missing>" "$command"
    play "$work/gameover.rec" "$user" "$during"
    best=$(sed -n 's/^Highest Score Read -> //p' "$work/stdout")
    what="saving after $command $during"
    check_bytes "$what: console" "$work/stdout" \
      <(console "$best" $'\nGame Started'"${saving:+$saving$nl}"$'\nGame Over\nGame Exit' "${reading:+$reading$nl}")
    [ "$(listing)" = "$after" ] && pass "$what: the folder" ||
      fail "$what: the folder holds $(listing), wanted $after"
  done
}

"$3"
finish "records: the $3 table passed"
