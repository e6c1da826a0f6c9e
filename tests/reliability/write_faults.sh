#!/usr/bin/env bash
# A failing save (efbig: ulimit -f 0, SIGXFSZ left to the writer; erofs: read-only bind mount;
# enospc: full tmpfs; fsync and rename: the call fails on the temporary file through the preloaded
# fail_call library) keeps the old record, says why and leaves no temporary file; inplace (a
# read-only folder whose file is a writable bind mount) writes the file where it stands and says
# so. erofs, enospc and inplace run in unshare -Urm, status 77 when refused.
# Usage: write_faults.sh <score_writer> <fault> [<fail_call library>]
set -u
writer=$(realpath "$1")
fault=$2
declare -A outcomes=([efbig]="1, highScore.txt: best score 99 not saved: File too large, record 5"
  [erofs]="1, highScore.txt: best score 99 not saved: Read-only file system, record 5"
  [enospc]="1, highScore.txt: best score 99 not saved: No space left on device, record 5"
  [fsync]="1, highScore.txt: best score 99 not saved: Input/output error, record 5"
  [rename]="1, highScore.txt: best score 99 not saved: Input/output error, record 5"
  [inplace]="0, highScore.txt: best score 99 written in place, the folder takes no new file: Read-only file system, record 99")
[ -n "${outcomes[$fault]:-}" ] || { echo "unknown fault $fault"; exit 2; }

# Sets up the fault on the directory, with the record 5 there (mounts run inside the namespace);
# then saves 99 and prints what is left: the writer's status and reason, record, temporary files.
save_once() {
  local dir=$1
  case $fault in
    erofs|inplace) printf '5\n' | tee "$dir/highScore.txt" >"$dir/../outside"
      mount --bind "$dir" "$dir" && mount -o remount,bind,ro "$dir" || { echo SKIP; return; }
      [ "$fault" = erofs ] || mount --bind "$dir/../outside" "$dir/highScore.txt" || { echo SKIP; return; } ;;
    enospc) mount -t tmpfs -o size=64k,nr_inodes=64 tmpfs "$dir" || { echo SKIP; return; }
      printf '5\n' >"$dir/highScore.txt"
      dd if=/dev/zero of="$dir/filler" bs=4096 2>/dev/null ;;
    efbig) printf '5\n' >"$dir/highScore.txt"
      ulimit -f 0 ;;
    fsync|rename) printf '5\n' >"$dir/highScore.txt"
      export LD_PRELOAD=$library QUENDAL_FAIL=$fault
      export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 ;;
  esac
  local reason status=0
  reason=$("$writer" once "$dir/highScore.txt" 99 2>&1) || status=$?
  echo "status $status, ${reason#"$dir/"}, record $(cat "$dir/highScore.txt" 2>&1)," \
       "temporary files $(find "$dir" -name 'highScore.txt.tmp*' | wc -l)"
}

if [ "${3:-}" = inside ]; then
  save_once "$4"
  exit 0
fi
source "$(dirname "$0")/common.sh"
make_scratch
library=$(realpath "${3:-/dev/null}")
if [[ $fault =~ ^(efbig|fsync|rename)$ ]]; then
  verdict=$(save_once "$work/run")
else
  unshare -Urm true 2>/dev/null || { echo "SKIPPED $fault: unshare -Urm is refused here"; exit 77; }
  verdict=$(unshare -Urm bash "$0" "$writer" "$fault" inside "$work/run")
fi
[ "$verdict" != SKIP ] || { echo "SKIPPED $fault: mounting in the namespace is refused here"; exit 77; }
wanted="status ${outcomes[$fault]}, temporary files 0"
[ "$verdict" = "$wanted" ] || fail "$fault: $verdict; wanted $wanted"
finish "PASS $fault: $verdict"
