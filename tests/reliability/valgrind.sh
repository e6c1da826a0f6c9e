#!/usr/bin/env bash
# Runs the scripted game (start, play to the game over, Escape) under valgrind's memcheck:
# 0 errors and no definitely lost bytes. Exit status 77 when valgrind is missing.
# Usage: valgrind.sh <scripted_game> <source>
set -u
game=$(realpath "$1")
source=$2
command -v valgrind >/dev/null || { echo "SKIPPED: valgrind is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/assets"
cp "$source/assets/bg.jpg" "$source/assets/fire_bg_full.jpg" "$dir/assets/"
cp "$source/assets/Cornerstone Regular.ttf" "$dir/"
log="$dir/valgrind.log"
(cd "$dir" && valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
   --errors-for-leak-kinds=definite --error-exitcode=99 --log-file="$log" "$game" >/dev/null)
status=$?
errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9]*\) errors.*/\1/p' "$log" | tail -n 1)
lost=$(sed -n 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/p' "$log" | tail -n 1)
echo "valgrind memcheck: status $status, errors ${errors:-?}, definitely lost ${lost:-0} bytes"
if [ "$status" != 0 ] || [ "${errors:-1}" != 0 ]; then
  cat "$log"
  exit 1
fi
