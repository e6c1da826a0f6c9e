#!/usr/bin/env bash
# Faults through the real game replaying the committed game-over recording fast, one table row per
# case: missing, damaged or special files in place of the pictures and the font, closed standard
# streams (a real X window), a start from another folder, a display that is not there, Escape
# pressed three times, and a valgrind run (status 77 without valgrind). Each run ends within its
# time limit with the expected status and exactly the expected bytes on stdout and stderr, keeps
# the right record in the working directory and leaves no other file.
# Usage: program_faults.sh <quendal> <source dir> <case>
set -u
game=$(realpath "$1")
src=$2
source "$(dirname "$0")/common.sh"
case $3 in std*_closed) under_xvfb "$0" "$@" ;; esac
make_scratch "$src"
run=$work/run
# The program finds its font and pictures beside itself: a copy of it goes beside the run's own.
cp "$game" "$run/" && game=$run/${game##*/}
printf '0\n' >"$run/highScore.txt"
bg=assets/bg.jpg
band=assets/fire_bg_full.jpg
font="Cornerstone Regular.ttf"
small=$src/fuzz/corpus/fuzz_image/wide.jpg  # 16 x 9 pixels

# Replaces bytes 20..2019 of the file with the letter Q (the picture's header and first data).
damage() { head -c 2000 /dev/zero | tr '\0' Q | dd of="$1" bs=1 seek=20 conv=notrunc 2>/dev/null; }
# Keeps the first half of the file.
cut_half() { head -c $(($(stat -c %s "$1") / 2)) "$1" >"$1.cut" && mv "$1.cut" "$1"; }
errors=""         # the expected stderr
band_lost=""      # the band's lines on stdout
dir=$run          # where the game runs
shown=yes         # whether stdout shows the game
closed=""         # a standard descriptor closed for the run
status=0 record=2 limit=30
env=(env) runner=() args=(--replay "$src/tests/recordings/gameover.rec" --fast)
# A real X window; what the X and D-Bus libraries keep to the end is passed over by tests/lsan.supp.
x11=(env SDL_VIDEODRIVER=x11)
# The stderr line of a file that failed: says FILE REASON.
says() { errors+="$1: $2"$'\n'; }
# The band's lines, one per band on stdout and on stderr.
lost() { for _ in 1 2; do band_lost+=$'\nBackground image not loaded!!!!'; says "$band" "$1"; done; }
font_failed() { font_loaded+=$'Font loading failed.\n'; font_freed=""; says "$font" "$1"; }
cd "$run" || exit 1
case $3 in
  normal) ;;
  valgrind)
    command -v valgrind >/dev/null || { echo "SKIPPED: valgrind is not installed"; exit 77; }
    limit=300
    runner=(valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite
            --errors-for-leak-kinds=definite --error-exitcode=99 --log-file="$work/valgrind.log") ;;
  stdin_closed) closed=0 env=("${x11[@]}") ;;
  stdout_closed) closed=1 env=("${x11[@]}") shown="" ;;
  stderr_closed) closed=2 env=("${x11[@]}"); rm "$bg" ;;
  bg_missing) rm "$bg"; says "$bg" "No such file or directory" ;;
  bg_truncated) cut_half "$bg" ;;
  bg_small) cp "$small" "$bg" ;;
  band_missing) rm "$band"; lost "No such file or directory" ;;
  # A JPEG cut in its scan data still decodes (the missing rows come out grey); one cut in its
  # header does not.
  band_truncated) cut_half "$band" ;;
  band_cut_header) head -c 300 "$src/assets/fire_bg_full.jpg" >"$band"
                   lost "JPEG decoder: Invalid JPEG file structure: missing SOS marker" ;;
  band_small) cp "$small" "$band" ;;
  font_missing) rm "$font"; font_failed "No such file or directory" ;;
  font_fifo) rm "$font"; mkfifo "$font"; font_failed "not a regular file" ;;
  font_directory) rm "$font"; mkdir "$font"; font_failed "not a regular file" ;;
  font_corrupt) damage "$font"; font_failed "Couldn't load font file" ;;
  # The font and pictures are found beside the program; the record is kept where the game runs.
  other_folder) dir=$work/elsewhere; mkdir "$dir" ;;
  wrong_display)
    env=(env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=:9183 XDG_RUNTIME_DIR="$work")
    status=1 record=0 shown=""
    errors="Unable to init SDL: x11 not available (DISPLAY=:9183); a script that needs no window"
    errors+=$' can run with SDL_VIDEODRIVER=dummy\n' ;;
  escape_thrice) sed 's/^300 keydown Escape$/&\n&\n&/' "${args[1]}" >"$work/thrice.rec"
                 args[1]=$work/thrice.rec ;;
  *) echo "unknown case $3"; exit 2 ;;
esac

code=0
(cd "$dir" && { [ -z "$closed" ] || eval "exec $closed>&-"; } &&
  exec "${env[@]}" timeout -k 5 "$limit" "${runner[@]}" "$game" "${args[@]}") \
  >"$work/stdout" 2>"$work/stderr" || code=$?
[ "$code" -eq "$status" ] && pass "exit status $code" || fail "exit status $code, wanted $status"
if [ -e "$work/valgrind.log" ]; then
  grep -E 'ERROR SUMMARY|definitely lost' "$work/valgrind.log" | sed 's/^==[0-9]*== */valgrind: /'
  [ "$code" -eq 0 ] || cat "$work/valgrind.log"
fi
check_bytes "the console" "$work/stdout" \
  <([ -z "$shown" ] || console 0 $'\nGame Started'"$band_lost"$'\nGame Over\nGame Exit')
check_bytes "the errors" "$work/stderr" <(printf '%s' "$errors")
check_bytes "the record" "$dir/highScore.txt" <(printf '%s\n' "$record")
[ "$dir" = "$run" ] || check_bytes "the record beside the program" "$run/highScore.txt" <(printf '0\n')
others=$(find "$run" "$dir" -path "$run/assets" -prune -o -type f ! -name highScore.txt \
         ! -name "$font" ! -path "$game" -print)
[ -z "$others" ] || fail "files left: $others"
finish "$3: status $status, the expected lines on stdout and stderr, record $record"
