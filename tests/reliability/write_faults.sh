#!/usr/bin/env bash
# A save that fails keeps the old record and leaves no temporary file. Faults injected as root,
# where chmod stops nothing: efbig (file size limit 0 with SIGXFSZ ignored), erofs (read-only bind
# mount in a user and mount namespace), enospc (a full tmpfs in such a namespace), directory (the
# name taken by a directory, so the rename fails). Exit status 77 when the namespace is refused.
# Usage: write_faults.sh <score_writer> <fault>
set -u
writer=$(realpath "$1")
fault=$2

# In the directory: save 99 over the record 5 and check what is left; prints the verdict.
check_save() {
  local dir=$1 expected_reason=$2 reason status
  reason=$("$writer" once "$dir/highScore.txt" 99 2>&1)
  status=$?
  local leftovers
  leftovers=$(find "$dir" -name 'highScore.txt.tmp*' | wc -l)
  local record
  record=$(cat "$dir/highScore.txt" 2>/dev/null || echo '<missing>')
  if [ $status -eq 1 ] && [ "$record" = 5 ] && [ "$leftovers" -eq 0 ] &&
     [[ $reason == *"$expected_reason"* ]]; then
    echo "PASS $fault: save refused ($reason), record 5 kept, no temporary file"
  else
    echo "FAIL $fault: status $status, reason '$reason', record '$record', temporary files $leftovers"
  fi
}

if [ "${3:-}" = inside ]; then
  dir=$4
  case $fault in
    erofs)
      mount --bind "$dir" "$dir" && mount -o remount,bind,ro "$dir" || { echo SKIP; exit 0; }
      check_save "$dir" "Read-only file system" ;;
    enospc)
      mount -t tmpfs -o size=64k,nr_inodes=64 tmpfs "$dir" || { echo SKIP; exit 0; }
      printf '5\n' >"$dir/highScore.txt"
      dd if=/dev/zero of="$dir/filler" bs=4096 2>/dev/null
      check_save "$dir" "No space left on device" ;;
  esac
  exit 0
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '5\n' >"$dir/highScore.txt"
case $fault in
  efbig)
    verdict=$(trap '' XFSZ; ulimit -f 0; check_save "$dir" "File too large") ;;
  directory)
    rm "$dir/highScore.txt"
    mkdir "$dir/highScore.txt"
    reason=$("$writer" once "$dir/highScore.txt" 99 2>&1)
    status=$?
    if [ $status -eq 1 ] && [ -d "$dir/highScore.txt" ] && [ ! -e "$dir/highScore.txt.tmp" ]; then
      verdict="PASS directory: save refused ($reason), directory left alone, no temporary file"
    else
      verdict="FAIL directory: status $status, temporary file present: $([ -e "$dir/highScore.txt.tmp" ] && echo yes || echo no)"
    fi ;;
  erofs | enospc)
    if ! unshare -Urm true 2>/dev/null; then
      echo "SKIPPED $fault: unshare -Urm is refused here"
      exit 77
    fi
    verdict=$(unshare -Urm bash "$0" "$writer" "$fault" inside "$dir")
    if [ "$verdict" = SKIP ]; then
      echo "SKIPPED $fault: mounting in the namespace is refused here"
      exit 77
    fi
    [ "$fault" = erofs ] && [ "$(cat "$dir/highScore.txt")" != 5 ] && verdict="FAIL erofs: record changed" ;;
  *)
    echo "unknown fault $fault"
    exit 2 ;;
esac
echo "$verdict"
[[ $verdict == PASS* ]]
