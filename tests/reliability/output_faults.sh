#!/usr/bin/env bash
# The files the program writes on request (--record, --screenshot) and its best score, through the
# real game replaying fast, one row of tests/tables/outputs.tsv per case: file-size limits, a full
# disk, FIFOs and devices, a start that fails, outputs over the best-score file or the recording
# replayed, folders and files the player may not write. Each run ends with its exit status, its
# exact stderr and exactly the files listed (no temporary file) and the replayed recording whole.
# A row whose prefix is "namespace" runs in unshare -Urm (status 77 when that or its mount is
# refused).
# Usage: output_faults.sh <quendal binary> <source dir> <case>
set -u
source "$(dirname "$0")/common.sh"
src=$(realpath "$2")
row=$(grep -P "^$3\t" "$src/tests/tables/outputs.tsv" | tr '\t' '\001') || { echo "unknown case $3"; exit 2; }
IFS=$'\001' read -r _ setup prefix arguments status errors after <<<"$row"
if [ "${4:-}" != inside ]; then
  make_scratch "$src"
  cp "$1" "$work/quendal"
  chmod 755 "$work" && chmod 777 "$work/run"
  cp "$src/tests/recordings/gameover.rec" "$work/"
  # The same game with 300 mouse moves first: recorded again, over 4 KB.
  { head -n 2 "$work/gameover.rec"; yes '0 mousemove 5 5' | head -n 300; tail -n +3 "$work/gameover.rec"; } \
    >"$work/long.rec"
  printf '0\n' >"$work/run/highScore.txt"
  if [ "$prefix" = namespace ]; then
    unshare -Urm true 2>/dev/null || { echo "SKIPPED $3: unshare -Urm is refused here"; exit 77; }
    unshare -Urm bash "$0" "$@" inside "$work"
    exit $?
  fi
else
  work=$5 prefix=""
  trap - EXIT
fi
cd "$work/run" || exit 1
if ! sh -c "$setup"; then
  [ "${4:-}" = inside ] || stop "$3: could not set up: $setup"
  echo "SKIPPED $3: mounting in the namespace is refused here"
  exit 77
fi
code=$( (eval "exec $prefix timeout 20 \"\$work/quendal\" $arguments") 2>&1 >/dev/null |
  cat >"$work/stderr"; echo "${PIPESTATUS[0]}")
[ "$code" = "$status" ] && pass "$3: exit status $code" || fail "$3: exit status $code, wanted $status"
check_bytes "$3: stderr" "$work/stderr" <(printf '%b\n' "$errors")
[ "$(listing)" = "$after" ] && pass "$3: the folder" || fail "$3: the folder holds $(listing), wanted $after"
cmp -s "$work/gameover.rec" "$src/tests/recordings/gameover.rec" || fail "$3: the replayed recording changed"
finish "$3 passed"
