#!/usr/bin/env bash
# Checks make_sounds: two runs give the same bytes, and those are the committed sounds, test files
# and fuzz seeds. Usage: check_sounds.sh <make_sounds binary> <source dir> (the "sounds" test).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <make_sounds binary> <source dir>" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in a b; do
  mkdir -p "$work/$run/assets" "$work/$run/sounds" "$work/$run/seeds"
  "$1" "$work/$run/assets" "$work/$run/sounds" "$work/$run/seeds"
done
diff -r "$work/a" "$work/b" && echo "ok:   two runs give the same bytes"
diff -r "$work/a/sounds" "$2/tests/sounds"
diff -r "$work/a/seeds" "$2/fuzz/corpus/fuzz_wav"
for sound in "$work"/a/assets/*.wav; do
  cmp "$sound" "$2/assets/${sound##*/}"
done
echo "ok:   the committed sounds are what make_sounds makes; redo them with the 'sounds' target"
