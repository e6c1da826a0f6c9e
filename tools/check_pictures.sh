#!/usr/bin/env bash
# Checks make_pictures: same bytes every run and as committed (both games' pictures), right sizes, a seamless fire band, visible buttons.
# Usage: check_pictures.sh <make_pictures binary> <source dir> (run by ctest as the "pictures" test)
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 <make_pictures binary> <source dir>" >&2; exit 2; }
tool=$1 src=$2
font="$src/assets/Cornerstone Regular.ttf"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/a" "$work/b" "$work/c"

# Two runs into fresh directories.
for run in a b; do
  "$tool" "$work/$run" "$work/$run" "$font" || { echo "FAIL: make_pictures exited with status $? on run $run"; exit 1; }
done

for committed in assets/bg.jpg assets/fire_bg_full.jpg examples/bricks/assets/orb.png "$src"/assets/icons/*.png; do
  name=${committed#*assets/}
  committed=${committed#"$src/"}
  if cmp "$work/a/$name" "$work/b/$name"; then pass "$name is the same in two runs"; else fail "$name differs between two runs"; fi
  if cmp "$work/a/$name" "$src/$committed"; then
    pass "$name matches the committed $committed"
  else
    fail "$name does not match $committed: redraw it with the 'pictures' target and commit it"
  fi
done

# A missing font is reported as a failure, not a crash or a half-written picture.
status=0
"$tool" "$work/c" "$work/c" "$work/no-such-font.ttf" 2>/dev/null || status=$?
if [ "$status" -eq 1 ]; then pass "a missing font gives exit status 1"; else fail "a missing font gave exit status $status"; fi

bg=$work/a/bg.jpg
fire=$work/a/fire_bg_full.jpg

for want in "$bg 800 600" "$fire 800 550"; do
  size=$(identify -format '%w %h' "${want% * *}")
  if [ "$size" = "${want#* }" ]; then pass "$want"; else fail "${want% * *} is '$size', wanted '${want#* }'"; fi
done

# The bytes R G B ... of a W x H area at X,Y, one number a line.
area() { convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 rgb:- | od -An -v -tu1 | tr -s ' ' '\n' | grep -v '^$'; }
# Mean absolute difference per channel between two equal areas given as files of numbers.
meandiff() { paste "$1" "$2" | awk '{d = $1 - $2; s += (d < 0 ? -d : d); n++} END {printf "%.3f\n", n ? s / n : 999}'; }
# Sum over R, G, B of the absolute difference between two pixels.
pixdiff() { paste <(area "$1" "$2" "$3" 1 1) <(area "$1" "$4" "$5" 1 1) | awk '{d = $1 - $2; s += (d < 0 ? -d : d)} END {print s}'; }
# Is a greater than b (both decimals)?
above() { awk -v a="$1" -v b="$2" 'BEGIN {exit !(a > b)}'; }

# The band is laid side by side: column 799 must run on into column 0 like any two neighbouring columns.
seam=$(meandiff <(area "$fire" 799 0 1 550) <(area "$fire" 0 0 1 550))
inner=$(meandiff <(area "$fire" 399 0 1 550) <(area "$fire" 400 0 1 550))
limit=$(awk -v i="$inner" 'BEGIN {printf "%.3f\n", 2 * i + 1.5}')
if above "$seam" "$limit"; then
  fail "visible seam: columns 799|0 differ by $seam on average, neighbours 399|400 by $inner (limit $limit)"
else
  pass "no seam: columns 799|0 differ by $seam on average, neighbours 399|400 by $inner"
fi
# Guards the seam check against a flat picture, where every pair of columns would agree: in the flames
# (the lower 250 rows) columns far apart must differ clearly.
apart=$(meandiff <(area "$fire" 0 300 1 250) <(area "$fire" 200 300 1 250))
if above "$apart" 4; then pass "the flames vary across the band (columns 0 and 200 differ by $apart)"; else fail "the band looks flat: columns 0 and 200 differ by only $apart"; fi

# Each button face must stand apart from the pixels just outside its click area, on all four sides,
# and carry its word: the middle of the face is far from one flat colour.
check_button() {
  local label=$1 x0=$2 y0=$3 x1=$4 y1=$5
  local ym=$(((y0 + y1) / 2)) xm=$(((x0 + x1) / 2)) d ox oy ix iy where
  while read -r ox oy ix iy where; do
    d=$(pixdiff "$bg" "$ox" "$oy" "$ix" "$iy")
    if [ "$d" -ge 120 ]; then
      pass "$label button, $where: ($ox,$oy) outside and ($ix,$iy) inside differ by $d"
    else
      fail "$label button, $where: ($ox,$oy) outside and ($ix,$iy) inside differ by only $d (want >= 120)"
    fi
  done <<END
$((x0 - 1)) $ym $x0 $ym left edge
$((x1 + 1)) $ym $x1 $ym right edge
$xm $((y0 - 1)) $xm $y0 top edge
$xm $((y1 + 1)) $xm $y1 bottom edge
$((x0 - 6)) $ym $((x0 + 6)) $ym face
END
  local spread
  spread=$(convert "$bg" -crop "$((x1 - x0 - 19))x$((y1 - y0 - 9))+$((x0 + 10))+$((y0 + 5))" +repage \
           -colorspace Gray -format '%[fx:standard_deviation*255]' info:)
  if above "$spread" 40; then pass "$label button shows its word (grey spread $spread)"; else fail "$label button face looks empty (grey spread $spread)"; fi
}
check_button PLAY 341 241 474 274
check_button EXIT 341 296 474 329

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all picture checks passed"
