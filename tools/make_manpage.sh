#!/usr/bin/env bash
# Writes the game's manual page (section 6) from its --help text, so both say the same.
# Usage: make_manpage.sh <quendal binary> <output file>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <quendal binary> <output file>" >&2; exit 2; }
help=$("$1" --help)
version=$("$1" --version)
# The first line is the title; "Usage:" the synopsis; a line ending in ":" starts a section whose
# "  term   text" lines become tagged paragraphs; other lines are the description.
awk -v version="${version##* }" '
  function roff(text) { gsub(/\\/, "\\e", text); gsub(/-/, "\\-", text); sub(/^[.'"'"']/, "\\\\\\&&", text); return text }
  NR == 1 { split($0, title, ": "); printf ".TH QUENDAL 6 \"\" \"%s\" \"Games\"\n.SH NAME\nquendal \\- %s\n", version, roff(title[2]); next }
  /^Usage: / { printf ".SH SYNOPSIS\n.B quendal\n%s\n.SH DESCRIPTION\n", roff(substr($0, 16)); next }
  /^[A-Z][a-z]*:$/ { printf ".SH %s\n", toupper(substr($0, 1, length($0) - 1)); section = 1; next }
  /^$/ { if (text && !section) print ".PP"; text = 0; next }
  section && /^  [^ ]/ {
    match($0, /^  [^ ]+( [^ ]+)*  +/); term = substr($0, 3, RLENGTH - 2); sub(/ +$/, "", term)
    printf ".TP\n.B %s\n%s\n", roff(term), roff(substr($0, RLENGTH + 1)); next
  }
  { sub(/^ +/, ""); print roff($0); text = 1 }
' <<<"$help" >"$2.tmp"
mv "$2.tmp" "$2"
