#!/usr/bin/env bash
# Installs the engine twice into a scratch prefix with a space in its path, builds the brick breaker
# against it through the CMake package and through pkg-config, and plays each build headless; the
# player's best score is kept beside it.
# Usage: package_test.sh <source dir> <engine build dir>
set -uo pipefail
src=$1 build=$2
here=$src/tests/package
. "$src/tests/reliability/common.sh"
make_scratch
prefix="$work/pre fix"

for round in first second; do
  cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || stop "$round install: $(cat "$work/install.log")"
done
pass "installed twice into '$prefix'"

# Configures and builds the example in $work/NAME: build_example NAME [CMAKE ARGUMENTS...]
build_example() {
  local name=$1
  shift
  cmake -S "$src/examples/bricks" -B "$work/$name" "$@" >"$work/$name.log" 2>&1 &&
    cmake --build "$work/$name" -j 2 >>"$work/$name.log" 2>&1
}
build_example package -DCMAKE_PREFIX_PATH="$prefix" || stop "find_package build: $(tail -20 "$work/package.log")"
PKG_CONFIG_PATH="$prefix/lib/pkgconfig" build_example pkgconfig -DBRICKS_WITH_PKG_CONFIG=ON ||
  stop "pkg-config build: $(tail -20 "$work/pkgconfig.log")"
pass "the example builds with find_package and with pkg-config"

if build_example missing -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_DISABLE_FIND_PACKAGE_SDL2_ttf=ON; then
  fail "configuring without SDL2_ttf succeeded"
elif grep -q "install the Debian package libsdl2-ttf-dev" "$work/missing.log"; then
  pass "a missing SDL2_ttf names its Debian package"
else
  fail "a missing SDL2_ttf does not name its package: $(cat "$work/missing.log")"
fi

# Each row: build, what is wrong in its working directory, the expected stdout, text stderr must hold.
while read -r name exe fault expected errors; do
  run=$work/run-$name
  cp -r "$work/$exe" "$run"
  case $fault in
    broken) printf 'not a picture' >"$run/assets/orb.png"; rm "$run/Cornerstone Regular.ttf" ;;
  esac
  (cd "$run" && SDL_VIDEODRIVER=dummy timeout 60 ./bricks --demo 400 >stdout 2>stderr)
  status=$?
  [ "$status" -eq 0 ] && pass "$name: exit status 0" || fail "$name: exit status $status"
  check_bytes "$name: console" "$run/stdout" "$here/$expected"
  if [ "$errors" = "-" ] || grep -q "$errors" "$run/stderr"; then
    pass "$name: stderr"
  else
    fail "$name: stderr lacks '$errors': $(cat "$run/stderr")"
  fi
done <<'END'
package    package   none    demo.out    -
pkgconfig  pkgconfig none    demo.out    -
broken     package   broken  broken.out  ^assets/orb.png: 
END
# The player's best score (never the demo's) is saved at quit when beaten, and left alone otherwise.
printf 'quendal-recording 1\n5 keydown space\n400 keydown Escape\n400 end\n' >"$work/quit.rec"
for before in 7 20; do
  printf '%s\n' "$before" >"$work/package/bricksBest.txt"
  (cd "$work/package" && SDL_VIDEODRIVER=dummy timeout 60 ./bricks --replay "$work/quit.rec" --headless --fast >/dev/null)
  check_bytes "best score $before, then a game of 10" "$work/package/bricksBest.txt" \
    <(printf '%s\n' $((before > 10 ? before : 10)))
done
finish "the installed engine builds and runs the example"
