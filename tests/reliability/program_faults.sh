#!/usr/bin/env bash
# Faults through the real game driven by scripted_game: damaged, missing or small pictures and fonts,
# and a valgrind run (status 77 without valgrind). Each run prints exactly the expected lines, exits
# 0, and leaves the record 1 and no other file.
# Usage: program_faults.sh <scripted_game> <source dir> <case>
set -u
game=$(realpath "$1")
src=$2
source "$(dirname "$0")/common.sh"
make_scratch "$src"
run=$work/run
printf '0\n' >"$run/highScore.txt"
bg=$run/assets/bg.jpg
band=$run/assets/fire_bg_full.jpg
font="$run/Cornerstone Regular.ttf"
small=$src/fuzz/corpus/fuzz_image/wide.jpg  # 16 x 9 pixels

# Replaces bytes 20..2019 of the file with the letter Q (the picture's header and first data).
damage() { head -c 2000 /dev/zero | tr '\0' Q | dd of="$1" bs=1 seek=20 conv=notrunc 2>/dev/null; }
# Keeps the first half of the file.
cut_half() { head -c $(($(stat -c %s "$1") / 2)) "$1" >"$1.cut" && mv "$1.cut" "$1"; }
band_lost=""
lost() { band_lost="Background image not loaded!!!!Background image not loaded!!!!"; }
font_failed() { font_loaded+=$'Font loading failed.\n'; font_freed=""; }
runner=()
case $3 in
  normal) ;;
  valgrind)
    command -v valgrind >/dev/null || { echo "SKIPPED: valgrind is not installed"; exit 77; }
    runner=(valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite
            --errors-for-leak-kinds=definite --error-exitcode=99 --log-file="$work/valgrind.log") ;;
  bg_missing) rm "$bg" ;;
  bg_empty) : >"$bg" ;;
  bg_truncated) cut_half "$bg" ;;
  bg_corrupt) damage "$bg" ;;
  bg_small) cp "$small" "$bg" ;;
  band_missing) rm "$band"; lost ;;
  band_empty) : >"$band"; lost ;;
  # A JPEG cut in its scan data still decodes (the missing rows come out grey); one cut in its
  # header does not.
  band_truncated) cut_half "$band" ;;
  band_cut_header) head -c 300 "$src/assets/fire_bg_full.jpg" >"$band"; lost ;;
  band_corrupt) damage "$band"; lost ;;
  band_small) cp "$small" "$band" ;;
  font_missing) rm "$font"; font_failed ;;
  font_corrupt) damage "$font"; font_failed ;;
  *) echo "unknown case $3"; exit 2 ;;
esac

status=0
(cd "$run" && "${runner[@]}" "$game" >"$work/stdout") || status=$?
[ "$status" -eq 0 ] && pass "exit status 0" || fail "exit status $status"
if [ -e "$work/valgrind.log" ]; then
  grep -E 'ERROR SUMMARY|definitely lost' "$work/valgrind.log" | sed 's/^==[0-9]*== */valgrind: /'
  [ "$status" -eq 0 ] || cat "$work/valgrind.log"
fi
check_bytes "the console" "$work/stdout" \
  <(console 0 $'\nGame Started'"$band_lost"$'\nGame Over\nGame Exit')
check_bytes "the record" "$run/highScore.txt" <(printf '1\n')
others=$(cd "$run" && find . -path ./assets -prune -o -type f ! -name highScore.txt \
         ! -name 'Cornerstone Regular.ttf' -print)
[ -z "$others" ] || fail "files left: $others"
finish "$3: expected lines, game over with 1 point, status 0, record 1"
