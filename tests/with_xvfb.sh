#!/usr/bin/env bash
# Runs a command under an X server of its own, on a display number the server picked itself, so
# that tests running side by side never share or race for one: with_xvfb.sh COMMAND... The screen
# is 1024x768 unless QUENDAL_XVFB_SCREEN gives another WIDTHxHEIGHTxDEPTH.
set -u
display=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp -screen 0 "${QUENDAL_XVFB_SCREEN:-1024x768x24}" 3>"$display" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$display"' EXIT
until grep -q . "$display" || ! kill -0 "$server" 2>/dev/null || [ "$SECONDS" -gt 30 ]; do
  sleep 0.1
done
grep -q . "$display" || { echo "Xvfb did not start within 30 s (make deps installs it)" >&2; exit 1; }
DISPLAY=:$(cat "$display") "$@"
