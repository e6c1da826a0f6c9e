#!/usr/bin/env bash
# The record survives SIGKILL at random moments of saving: a writer saves increasing scores in a
# loop and is killed again and again; after each kill the file must hold one complete decimal line
# that is not below the last one seen. Usage: kill_loop.sh <score_writer> <kills>
set -u
writer=$(realpath "$1")
kills=${2:-100}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
file="$dir/highScore.txt"
printf '0\n' >"$file"
previous=0
torn=0
mid_save=0
for ((kill_number = 1; kill_number <= kills; kill_number++)); do
  "$writer" loop "$file" &
  writer_pid=$!
  # Wait until the first save of this run is in the file, then kill 0 to 9.9 ms later.
  while [ "$(cat "$file" 2>/dev/null)" = "$previous" ] && kill -0 "$writer_pid" 2>/dev/null; do :; done
  sleep "0.00$((RANDOM % 10))$((RANDOM % 10))"
  kill -KILL "$writer_pid"
  wait "$writer_pid" 2>/dev/null
  [ -e "$file.tmp" ] && mid_save=$((mid_save + 1))
  content=$(cat "$file" 2>/dev/null)
  size=$(stat -c %s "$file" 2>/dev/null || echo 0)
  last_byte=$(tail -c 1 "$file" 2>/dev/null | od -An -tx1 | tr -d ' ')
  if [[ ! $content =~ ^[0-9]+$ ]] || [ "$size" -ne $((${#content} + 1)) ] ||
     [ "$last_byte" != 0a ] || [ "$content" -lt "$previous" ]; then
    torn=$((torn + 1))
    echo "kill $kill_number: torn or lost record: size $size, content '$content' after $previous"
  else
    previous=$content
  fi
done
echo "kills survived: $((kills - torn)) of $kills; saves completed: $previous;" \
     "kills during a save (temporary file left): $mid_save; torn or empty files: $torn"
[ "$torn" -eq 0 ] && [ "$previous" -ge "$kills" ]
