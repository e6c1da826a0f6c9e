#!/usr/bin/env bash
# The long reliability runs on the sanitizer build: two writers of 1,000 saves each killed at random
# and the failing writes. Usage: tests/soak.sh <build-dir>
set -uo pipefail
build=$(cd "${1:-build-asan}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
saves=${SOAK_SAVES:-1000}
status=0
# Runs a command, prints PASS or FAIL with its time and the figures it printed: run NAME COMMAND...
run() {
  local name=$1 started=$SECONDS output
  shift
  output=$("$@" 2>&1) && echo "PASS $name ($((SECONDS - started)) s)" || { echo "FAIL $name"; status=1; }
  grep -E 'kills:|PASS|SKIPPED|FAIL|ERROR|leak' <<<"$output"
}
cd "$build"
run "kill loop, 2 x $saves saves" bash "$here/reliability/kill_loop.sh" tests/score_writer "$saves"
for fault in efbig erofs enospc inplace fsync rename; do
  run "failing write: $fault" bash "$here/reliability/write_faults.sh" tests/score_writer "$fault" \
    tests/libfail_call.so
done
exit $status
