#!/usr/bin/env bash
# Faults through the real game (Initialise, MainLoop and the game's own code, driven by the
# scripted_game helper) in a scratch directory: missing, empty, cut and damaged pictures, pictures
# smaller than the window and the band, a missing and a damaged font, a record that must be kept.
# Each run must print exactly the expected lines, play to the game over, exit with status 0, and
# leave the right record and no other file. Usage: program_faults.sh <scripted_game> <source> <case>
set -u
game=$(realpath "$1")
source=$2
case_name=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/assets"
cp "$source/assets/bg.jpg" "$source/assets/fire_bg_full.jpg" "$dir/assets/"
cp "$source/assets/Cornerstone Regular.ttf" "$dir/"
small="$source/fuzz/corpus/fuzz_image/wide.jpg"
printf '0\n' >"$dir/highScore.txt"

# Replaces bytes 20..2019 of the file with the letter Q (the picture's header and first data).
damage() { head -c 2000 /dev/zero | tr '\0' Q | dd of="$1" bs=1 seek=20 conv=notrunc 2>/dev/null; }
# Keeps the first half of the file.
cut_half() { head -c $(($(stat -c %s "$1") / 2)) "$1" >"$1.cut" && mv "$1.cut" "$1"; }

font_line="Loading font: 24 point Cornerstone Regular.ttf
"
free_line="Free font: 24 point Cornerstone Regular.ttf
"
band_lost="Background image not loaded!!!!Background image not loaded!!!!"
best=0
score=1
band=""
case $case_name in
  normal) ;;
  bg_missing) rm "$dir/assets/bg.jpg" ;;
  bg_empty) : >"$dir/assets/bg.jpg" ;;
  bg_truncated) cut_half "$dir/assets/bg.jpg" ;;
  bg_corrupt) damage "$dir/assets/bg.jpg" ;;
  bg_small) cp "$small" "$dir/assets/bg.jpg" ;;
  band_missing) rm "$dir/assets/fire_bg_full.jpg"; band=$band_lost ;;
  band_empty) : >"$dir/assets/fire_bg_full.jpg"; band=$band_lost ;;
  # A JPEG cut in its scan data still decodes (the missing rows come out grey); one cut in its
  # header does not.
  band_truncated) cut_half "$dir/assets/fire_bg_full.jpg" ;;
  band_cut_header) head -c 300 "$source/assets/fire_bg_full.jpg" >"$dir/assets/fire_bg_full.jpg"
    band=$band_lost ;;
  band_corrupt) damage "$dir/assets/fire_bg_full.jpg"; band=$band_lost ;;
  band_small) cp "$small" "$dir/assets/fire_bg_full.jpg" ;;
  font_missing) rm "$dir/Cornerstone Regular.ttf"; font_line+="Font loading failed.
"; free_line="" ;;
  font_corrupt) damage "$dir/Cornerstone Regular.ttf"; font_line+="Font loading failed.
"; free_line="" ;;
  record_kept) printf '1000\n' >"$dir/highScore.txt"; best=1000 ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
record=$score
[ "$best" -ge "$score" ] && record=$best
expected="${font_line}
Game Opened
Highest Score Read -> $best
Game Started${band}
Game Over
Game Exit${free_line}"

actual=$(cd "$dir" && "$game"; echo "[status $?]")
status=${actual##*\[status }
status=${status%\]}
actual=${actual%\[status *}
files=$(cd "$dir" && find . -path ./assets -prune -o -type f -print | sort | tr '\n' ' ')
expected_files="./Cornerstone Regular.ttf ./highScore.txt "
[ "$case_name" = font_missing ] && expected_files="./highScore.txt "
failed=0
if [ "$actual" != "$expected" ]; then
  echo "$case_name: console differs"
  diff <(printf '%s' "$expected") <(printf '%s' "$actual")
  failed=1
fi
[ "$status" = 0 ] || { echo "$case_name: exit status $status"; failed=1; }
[ "$(cat "$dir/highScore.txt")" = "$record" ] ||
  { echo "$case_name: record '$(cat "$dir/highScore.txt")', expected $record"; failed=1; }
[ "$files" = "$expected_files" ] || { echo "$case_name: files '$files'"; failed=1; }
[ $failed -eq 0 ] && echo "$case_name: expected lines, game over with score $score, status 0, record $record"
exit $failed
