#!/usr/bin/env bash
# Renders docs/start.png, play.png and gameover.png by replaying the committed recordings of the
# same names headless and fast, in a scratch copy of the runtime files (the record stays apart).
# Usage: screenshots.sh <quendal binary> <source dir>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <quendal binary> <source dir>" >&2; exit 2; }
binary=$(realpath "$1")
source=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/assets"
cp "$source/assets/Cornerstone Regular.ttf" "$work/"
cp "$source/assets/bg.jpg" "$source/assets/fire_bg_full.jpg" "$work/assets/"
for name in start play gameover; do
  recording="$source/tests/recordings/$name"
  rm -f "$work/highScore.txt"
  [ ! -e "$recording.before" ] || cp "$recording.before" "$work/highScore.txt"
  (cd "$work" && "$binary" --replay "$recording.rec" --headless --fast \
     --screenshot "$source/docs/$name.png" >/dev/null)
  echo "Wrote docs/$name.png"
done
