#!/usr/bin/env bash
# The browser libraries' first build, in a new empty cache folder: web/libs.sh must end with
# status 0, print the folder's prefix and mark it complete. Building cold takes many minutes, so
# the run is given the sources as fetched and each library as built (the marks of the warm cache
# in QUENDAL_WEB_CACHE); it still goes through every step, SDL2's beside the others, to the end.
# Usage: tests/web/libs_first_run.sh (from the source folder, after make web)
set -u
warm=$(bash web/libs.sh) || { echo "FAIL the warm library build"; exit 1; }
key=${warm##*/libs-}
cold=$(mktemp -d)
trap 'rm -rf "$cold"' EXIT
mkdir -p "$cold/libs-$key" "$cold/work-$key"
cp "$warm"/.built-* "$cold/libs-$key/" && touch "$cold/work-$key/.fetched"
status=0
prefix=$(QUENDAL_WEB_CACHE=$cold bash web/libs.sh 2>"$cold/stderr") || status=$?
if [ "$status" -eq 0 ] && [ "$prefix" = "$cold/libs-$key" ] && [ -f "$prefix/.complete" ] &&
   [ ! -s "$cold/stderr" ]; then
  echo "PASS the first library build in an empty cache ends with status 0"
else
  echo "FAIL the first library build in an empty cache: status $status, printed '$prefix'"
  cat "$cold/stderr"
  exit 1
fi
