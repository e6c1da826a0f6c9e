#!/usr/bin/env bash
# Two games saving side by side into one record, killed with SIGKILL at random moments: writer a
# saves 2, 4, 6 ..., writer b 3, 5, 7 ..., each <saves> saves, restarted after a kill where it
# stopped. Each round kills both, each 0 to 9 ms after a save of its own. Then the file holds one
# complete decimal line, never below a save that either writer completed; no save fails; at the
# end the file holds the highest and no temporary file is left.
# Usage: kill_loop.sh <score_writer> <saves> [<record's name>, highScore.txt by default];
# KILL_LOOP_SAVES, when set, overrides <saves>.
set -u
binary=$(realpath "$1")
saves=${KILL_LOOP_SAVES:-${2:-1000}}
name=${3:-highScore.txt}
source "$(dirname "$0")/common.sh"
# A writer killed while the leak check runs at its exit leaves that check's complaint on stderr;
# leaks are for the sanitizer runs of the other tests.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
make_scratch
file=$work/run/$name
printf '0\n' >"$file"
declare -A resumed=() first=([a]=2 [b]=3) last=([a]=$((2 * saves)) [b]=$((2 * saves + 1)))
declare -A writer=([a]="" [b]="")
: | tee "$work/a.log" "$work/b.log" >"$work/errors"
# The highest save completed by the writers named.
completed() { cat "${@/#/$work/}" | grep -E '^[0-9]+$' | sort -n | tail -n 1; }
kills=0 seen_temporary=0 torn=0
while :; do
  for w in a b; do
    resumed[$w]=$(completed "$w.log")
    from=$((${resumed[$w]:-$((first[$w] - 2))} + 2))
    if [ "$from" -le "${last[$w]}" ]; then
      "$binary" loop "$file" "$from" 2 "${last[$w]}" >>"$work/$w.log" 2>>"$work/errors" &
      writer[$w]=$!
    fi
  done
  [ -z "${writer[a]}${writer[b]}" ] && break
  order=(a b)
  ((RANDOM % 2)) && order=(b a)
  # Each writer in random order.
  for victim in "${order[@]}"; do
    [ -n "${writer[$victim]}" ] || continue
    while [ "$(completed "$victim.log")" = "${resumed[$victim]}" ] &&
          kill -0 "${writer[$victim]}" 2>/dev/null; do
      sleep 0.001
    done
    sleep "0.00$((RANDOM % 10))"
    kill -KILL "${writer[$victim]}" 2>/dev/null && kills=$((kills + 1))
    wait "${writer[$victim]}" 2>/dev/null
    writer[$victim]=""
  done
  # The logs first, then one copy of the file: whatever was completed is in that copy.
  best=$(completed a.log b.log)
  cp "$file" "$work/seen" 2>/dev/null || : >"$work/seen"
  content=$(cat "$work/seen")
  ls "$work/run" | grep -qF "$name.tmp" && seen_temporary=$((seen_temporary + 1))
  if [[ ! $content =~ ^[0-9]+$ ]] || ! cmp -s "$work/seen" <(printf '%s\n' "$content") ||
     [ "$content" -lt "${best:-0}" ] || [ "$content" -gt "${last[b]}" ]; then
    torn=$((torn + 1))
    echo "kill $kills: torn or lost record '$(cat -A "$work/seen")' after a completed save of ${best:-none}"
  fi
done
left=$(ls "$work/run" | grep -cF "$name.tmp")
echo "kills: $kills; saves completed: $(cat "$work/a.log" "$work/b.log" | wc -l);" \
     "rounds with a temporary file present: $seen_temporary; torn or lost: $torn;" \
     "record at the end: $(cat "$file"); temporary files left: $left; failed saves:"
cat "$work/errors"
[ "$torn" -eq 0 ] && [ "$left" -eq 0 ] && [ ! -s "$work/errors" ] &&
  cmp -s "$file" <(printf '%s\n' "${last[b]}")
