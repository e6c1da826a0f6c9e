#!/usr/bin/env bash
# Builds the engine alone as `make install` does and installs it twice into a scratch prefix with a
# space in its path; builds against it the brick breaker (through the CMake package and through
# pkg-config), a game of the first installed layout with its own Clock, Font, TextCache and Random,
# and the README's example, copied out of the README; plays each headless. The brick breaker's
# best score is kept beside it.
# Usage: package_test.sh <source dir>
set -uo pipefail
src=$1
here=$src/tests/package
. "$src/tests/reliability/common.sh"
need convert
make_scratch
prefix="$work/pre fix"

cmake -S "$src" -B "$work/engine" -DCMAKE_BUILD_TYPE=Release -DQUENDAL_GAME=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev >"$work/engine.log" 2>&1 &&
  cmake --build "$work/engine" -j 2 >>"$work/engine.log" 2>&1 || stop "engine build: $(tail -20 "$work/engine.log")"
for round in first second; do
  cmake --install "$work/engine" >"$work/install.log" 2>&1 || stop "$round install: $(cat "$work/install.log")"
done
installed=$(cd "$prefix" && find . -type f | sort | grep -v '/include/' | tr '\n' ' ')
[ "$installed" = "$(tr '\n' ' ' <"$here/installed.txt")" ] && pass "installed twice into '$prefix'" ||
  fail "installed files: $installed"

# Configures and builds a game in $work/NAME: build_game NAME SOURCE [CMAKE ARGUMENTS...]
build_game() {
  local name=$1 source=$2
  shift 2
  cmake -S "$source" -B "$work/$name" -DCMAKE_PREFIX_PATH="$prefix" "$@" >"$work/$name.log" 2>&1 &&
    cmake --build "$work/$name" -j 2 >>"$work/$name.log" 2>&1 || { fail "$name build: $(tail -20 "$work/$name.log")"; return 1; }
}
build_game package "$src/examples/bricks"
PKG_CONFIG_PATH="$prefix/lib/pkgconfig" build_game pkgconfig "$src/examples/bricks" -DBRICKS_WITH_PKG_CONFIG=ON
build_game own_names "$here/own_names"
# The README's example: each block after a line <!-- file: NAME --> is the file NAME.
mkdir -p "$work/readme"
awk -v dir="$work/readme" '/^<!-- file: .* -->$/ { name = dir "/" $3; next }
  name && /^```/ { if (open) { name = ""; open = 0 } else open = 1; next }
  name && open { print > name }' "$src/README.md"
build_game hello "$work/readme"

if cmake -S "$src/examples/bricks" -B "$work/missing" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_DISABLE_FIND_PACKAGE_SDL2_ttf=ON >"$work/missing.log" 2>&1; then
  fail "configuring without SDL2_ttf succeeded"
elif grep -q "install the Debian package libsdl2-ttf-dev" "$work/missing.log"; then
  pass "a missing SDL2_ttf names its Debian package"
else
  fail "a missing SDL2_ttf does not name its package: $(cat "$work/missing.log")"
fi

# Each row: build, its program and arguments, what is wrong in its working directory, the expected
# stdout (the prefix written PREFIX) and last frame. The games name no font: their text is drawn
# with the font installed with the engine.
printf 'quendal-recording 1\n40 end\n' >"$work/end.rec"
while read -r name exe fault expected; do
  run=$work/run-$name
  cp -r "$work/$exe" "$run"
  case $exe in
    hello | own_names) set -- "./$exe" --replay "$work/end.rec" --headless --fast --screenshot shot.png ;;
    *) set -- ./bricks --demo 400 shot.png ;;
  esac
  [ "$fault" = broken ] && printf 'not a picture' >"$run/assets/orb.png"
  (cd "$run" && SDL_VIDEODRIVER=dummy timeout 60 "$@" >stdout 2>stderr)
  status=$?
  [ "$status" -eq 0 ] && pass "$name: exit status 0" || fail "$name: exit status $status: $(cat "$run/stderr")"
  sed -i "s|$prefix|PREFIX|" "$run/stdout"
  [ -z "${UPDATE:-}" ] || { cp "$run/stdout" "$here/$expected.out"; frame_sum "$run/shot.png" >"$here/$expected.frame"; }
  check_bytes "$name: console" "$run/stdout" "$here/$expected.out"
  frame_sum "$run/shot.png" >"$run/frame"
  check_bytes "$name: the last frame" "$run/frame" "$here/$expected.frame"
  [ "$fault" != broken ] || grep -q "^assets/orb.png: " "$run/stderr" && pass "$name: stderr" ||
    fail "$name: stderr lacks the picture's name: $(cat "$run/stderr")"
done <<'END'
package    package    none    demo
pkgconfig  pkgconfig  none    demo
broken     package    broken  broken
own_names  own_names  none    own_names
hello      hello      none    hello
END
# The player's best score (never the demo's) is saved at quit when beaten, and left alone otherwise.
printf 'quendal-recording 1\n5 keydown space\n400 keydown Escape\n400 end\n' >"$work/quit.rec"
for before in 7 20; do
  printf '%s\n' "$before" >"$work/package/bricksBest.txt"
  (cd "$work/package" && SDL_VIDEODRIVER=dummy timeout 60 ./bricks --replay "$work/quit.rec" --headless --fast >/dev/null)
  check_bytes "best score $before, then a game of 10" "$work/package/bricksBest.txt" \
    <(printf '%s\n' $((before > 10 ? before : 10)))
done
finish "the installed engine builds and runs the games"
