# Shared pieces of the script tests (sourced): a scratch directory, an X server, waits, checks with
# exact byte comparison, and the stop of a program still running at the exit.

work=""     # the scratch directory; the program runs in $work/run
pid=""      # a program started by start_program, stopped at the exit if still running
failures=0

# The exit trap: stops the program still running and removes the scratch directory.
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$work" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT

# Makes $work and $work/run; given a source directory, copies the font, the two pictures and the
# sounds into run.
make_scratch() {
  work=$(mktemp -d)
  mkdir -p "$work/run/assets"
  if [ $# -gt 0 ]; then
    cp "$1/assets/Cornerstone Regular.ttf" "$work/run/"
    cp "$1/assets/bg.jpg" "$1/assets/fire_bg_full.jpg" "$1"/assets/*.wav "$work/run/assets/"
  fi
}

# The SHA-256 of an image's pixels, alpha included (a screenshot is opaque, as the window shows it).
frame_sum() { { convert "$1" -depth 8 rgba:- 2>/dev/null || echo none; } | sha256sum | cut -d' ' -f1; }

# Exits with status 1 unless every named command is installed.
need() {
  for tool; do command -v "$tool" >/dev/null || stop "$tool is not installed (make deps installs it)"; done
}

# Runs the calling script again under its own X server: under_xvfb "$0" "$@".
under_xvfb() {
  [ -z "${QUENDAL_UNDER_XVFB:-}" ] || return 0
  exec env QUENDAL_UNDER_XVFB=1 bash "$(dirname "${BASH_SOURCE[0]}")/../with_xvfb.sh" bash "$@"
}

# Polls a command every 0.1 s until it succeeds or the limit passes: wait_for SECONDS COMMAND...
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Starts the program in $work/run on the X display, output to $work/stdout (or the file given) and
# $work/stderr, with any further arguments; sets pid: start_program BINARY [OUTPUT [ARGUMENT...]].
start_program() {
  : >"$work/stdout"
  (cd "$work/run" && SDL_VIDEODRIVER=x11 exec "$1" "${@:3}" >"${2:-$work/stdout}" 2>"$work/stderr") &
  pid=$!
}

# Sets window to the game's visible window, looked up anew each time: a starting game may replace
# its window. False while there is none.
find_window() {
  window=$(xdotool search --onlyvisible --name "Quendal The Warden" 2>/dev/null | head -n 1)
  [ -n "$window" ]
}

# True once the program's output holds the text.
printed() { grep -q "$1" "$work/stdout"; }

pass() { echo "ok:   $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Fails, shows the program's output if there is one, and exits.
stop() {
  fail "$*"
  if [ -e "$work/stdout" ]; then
    echo "--- stdout:"; cat -A "$work/stdout"; echo "--- stderr:"; cat "$work/stderr"
  fi
  exit 1
}

# Passes when two files hold the same bytes, else fails showing both: check_bytes WHAT ACTUAL EXPECTED
# (the expected one may be a process substitution: check_bytes record "$file" <(printf '2\n')).
check_bytes() {
  cat "$3" >"$work/expected"
  if cmp -s "$2" "$work/expected"; then
    pass "$1"
  else
    fail "$1 differs; got:"
    cat -A "$2" 2>&1
    echo "--- expected:"
    cat -A "$work/expected"
  fi
}

# What $work/run holds besides the font and the pictures, sorted by name: "name -> target",
# "name/", "name|" (a FIFO) or 'name MODE [uid:gid] [links N] "bytes"' (bytes with \n, \r, \t, \0
# and \\ escaped; "<N bytes>" past 64), each followed by "; ".
listing() {
  (cd "$work/run" && find . -mindepth 1 ! -path ./assets ! -path './assets/*' ! -name 'Cornerstone Regular.ttf' |
    sed 's|^\./||' | while IFS= read -r name; do
      if [ -L "$name" ]; then echo "$name -> $(readlink "$name")"
      elif [ -d "$name" ]; then echo "$name/"
      elif [ -p "$name" ]; then echo "$name|"
      else
        read -r mode owner links size <<<"$(stat -c '%a %u:%g %h %s' "$name")"
        line="$name $mode"
        [ "$owner" = 0:0 ] || line+=" $owner"
        [ "$links" = 1 ] || line+=" links $links"
        if [ "$size" -gt 64 ]; then echo "$line <$size bytes>"
        else echo "$line \"$(perl -0777 -pe 's/\\/\\\\/g; s/\n/\\n/g; s/\r/\\r/g; s/\t/\\t/g; s/\0/\\0/g' "$name")\""; fi
      fi
    done | LC_ALL=C sort | sed 's/$/; /' | tr -d '\n')
}

# Replays $work/game.rec headless and fast in $work/replay with $binary and checks that it gives
# the console ($work/stdout), record ($work/run/highScore.txt) and last frame ($work/real.png) of the
# run recorded, and says nothing on stderr: replays_alike WHAT.
replays_alike() {
  (cd "$work/replay" && exec "$binary" --replay "$work/game.rec" --headless --fast \
     --screenshot "$work/replayed.png" >"$work/replayed.out" 2>"$work/replayed.err") ||
    fail "$1: exit status $?"
  check_bytes "$1: the console" "$work/replayed.out" "$work/stdout"
  check_bytes "$1: the record" "$work/replay/highScore.txt" "$work/run/highScore.txt"
  check_bytes "$1: stderr" "$work/replayed.err" /dev/null
  local differ
  differ=$(compare -metric AE "$work/real.png" "$work/replayed.png" null: 2>&1) || true
  [ "$differ" = 0 ] && pass "$1: the last frame, pixel for pixel" ||
    fail "$1: $differ pixels of the last frame differ"
}

# The font's lines around a run (the font-failure cases change them).
font_loaded=$'Loading font: 24 point Cornerstone Regular.ttf\n'
font_freed=$'Free font: 24 point Cornerstone Regular.ttf\n'

# The console of a whole run: the start lines with this best score (said on standard error between
# them), then tail: console BEST TAIL [SAID].
console() {
  printf '%s\nGame Opened%s\nHighest Score Read -> %s%s%s' "$font_loaded" "${3:-}" "$1" "$2" "$font_freed"
}

# Ends the script: status 1 when a check failed.
finish() { [ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }; echo "$1"; }
