#!/usr/bin/env bash
# The game's Debian package: built with CPack, checked by lintian, its contents listed, unpacked
# into a scratch root and played there headless, finding its data under the scratch /usr/share,
# its record in the working directory or, with --player-folder, in the player's data folder.
# Usage: game_package.sh <source dir> <build dir>
set -uo pipefail
src=$(realpath "$1") build=$2
here=$src/tests/package
. "$src/tests/reliability/common.sh"
need lintian dpkg-deb
make_scratch
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  stop "cpack: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/deb/quendal-the-warden_*_*.deb) || stop "no package named quendal-the-warden_<version>_<arch>.deb"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
lintian --tag-display-limit 0 "$deb" 2>/dev/null | grep '^E:' >"$work/lintian"
[ ! -s "$work/lintian" ] && pass "lintian finds no error" || fail "lintian: $(cat "$work/lintian")"
dpkg-deb --contents "$deb" | awk '{print $1, $6}' >"$work/contents"
check_bytes "the package's contents" "$work/contents" "$here/game_contents.txt"
dpkg -x "$deb" "$work/root" || stop "dpkg -x failed"
zcat "$work/root/usr/share/man/man6/quendal.6.gz" | groff -man -ww -z 2>"$work/groff"
[ ! -s "$work/groff" ] && pass "the manual page has no roff warning" || fail "groff: $(cat "$work/groff")"

# Each row: arguments, what stands where the player's folder goes ("-": nothing, "file": a file,
# "record": the folder with the recording's record before the run; "run" puts it in the working
# directory instead),
# the exit status, stdout ("=gameover": the recording's console), the stderr line, and where the
# record must be ("run": the working directory, "player": the player's folder, "-": nowhere).
recordings=$src/tests/recordings
player=$work/home/.local/share/quendal-the-warden
while IFS='|' read -r args folder status stdout stderr record; do
  rm -rf "$work/home" "$work/run" && mkdir -p "$work/home/.local/share" "$work/run"
  case $folder in
    file) : >"$player" ;;
    record) mkdir -p "$player" && cp "$recordings/gameover.before" "$player/highScore.txt" ;;
    run) cp "$recordings/gameover.before" "$work/run/highScore.txt" ;;
  esac
  eval "arguments=($args)"
  got=0
  (cd "$work/run" && HOME=$work/home XDG_DATA_HOME='' SDL_VIDEODRIVER=dummy timeout 60 \
     "$work/root/usr/games/quendal" "${arguments[@]}" >"$work/stdout" 2>"$work/stderr") || got=$?
  [ "$got" = "$status" ] && pass "$args: exit status $got" || fail "$args: exit status $got, wanted $status"
  case $stdout in
    =*) check_bytes "$args: stdout" "$work/stdout" "$recordings/${stdout#=}.console" ;;
    *) head -n 1 "$work/stdout" >"$work/first"
       check_bytes "$args: stdout" "$work/first" <([ -z "$stdout" ] || printf '%s\n' "$stdout") ;;
  esac
  sed -i "s|$work|WORK|g" "$work/stderr"
  check_bytes "$args: stderr" "$work/stderr" <([ -z "$stderr" ] || printf '%s\n' "$stderr")
  case $record in
    run) check_bytes "$args: the record" "$work/run/highScore.txt" "$recordings/gameover.score" ;;
    player) check_bytes "$args: the record" "$player/highScore.txt" "$recordings/gameover.score" ;;
    -) [ ! -e "$work/run/highScore.txt" ] && pass "$args: no record" || fail "$args: a record was written" ;;
  esac
done <<END
--replay $recordings/gameover.rec --headless --fast|run|0|=gameover||run
--replay $recordings/gameover.rec --headless --fast --player-folder|record|0|=gameover||player
--player-folder --replay $recordings/gameover.rec --headless --fast|-|0|Loading font: 24 point Cornerstone Regular.ttf||player
--player-folder --replay $recordings/gameover.rec --headless --fast|file|0|Loading font: 24 point Cornerstone Regular.ttf|WORK/home/.local/share/quendal-the-warden: Not a directory; playing in the working directory|run
--help --bogus --replay missing.rec|-|0|Quendal The Warden: steer the paddle, send every ball back up.||-
--version --help|-|0|Quendal The Warden 1.0.0||-
--fast -- --version|-|2||WORK/root/usr/games/quendal: unknown option '--version' (--help lists the options)|-
END
finish "the game's package installs and plays"
