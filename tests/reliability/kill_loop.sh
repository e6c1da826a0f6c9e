#!/usr/bin/env bash
# The record survives SIGKILL at random moments of saving: a writer saves increasing scores in a
# loop and is killed again and again; after each kill the file must hold one complete decimal line
# that is not below the last one seen. Usage: kill_loop.sh <score_writer> <kills>
set -u
binary=$(realpath "$1")
kills=${2:-100}
source "$(dirname "$0")/common.sh"
make_scratch
file=$work/run/highScore.txt
printf '0\n' >"$file"
previous=0
torn=0
mid_save=0
for ((kill_number = 1; kill_number <= kills; kill_number++)); do
  "$binary" loop "$file" &
  writer=$!
  # Wait until the first save of this run is in the file, then kill 0 to 9.9 ms later.
  while [ "$(cat "$file" 2>/dev/null)" = "$previous" ] && kill -0 "$writer" 2>/dev/null; do :; done
  sleep "0.00$((RANDOM % 10))$((RANDOM % 10))"
  kill -KILL "$writer"
  wait "$writer" 2>/dev/null
  [ -e "$file.tmp" ] && mid_save=$((mid_save + 1))
  content=$(cat "$file" 2>/dev/null)
  # One complete line: digits and a newline, and nothing else.
  if [[ ! $content =~ ^[0-9]+$ ]] || ! cmp -s "$file" <(printf '%s\n' "$content") ||
     [ "$content" -lt "$previous" ]; then
    torn=$((torn + 1))
    echo "kill $kill_number: torn or lost record '$(cat -A "$file" 2>&1)' after $previous"
  else
    previous=$content
  fi
done
echo "kills survived: $((kills - torn)) of $kills; saves completed: $previous;" \
     "kills during a save (temporary file left): $mid_save; torn or empty files: $torn"
[ "$torn" -eq 0 ] && [ "$previous" -ge "$kills" ]
