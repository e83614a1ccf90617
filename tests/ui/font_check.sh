#!/usr/bin/env bash
# Every character the program draws in its own face is in the captions' font:
# a caption changed without scripts/make-font fails here.
#   font_check.sh FONT FORM_TEXTS_COMMAND...
set -euo pipefail
font=$1
shift
"$@" | /usr/bin/python3 -c '
import sys
from fontTools.ttLib import TTFont
cmap = TTFont(sys.argv[1]).getBestCmap()
missing = "".join(sorted({c for c in sys.stdin.read() if c != "\n" and ord(c) not in cmap}))
print(f"missing from {sys.argv[1]}: {missing}" if missing else "the font has every character")
sys.exit(1 if missing else 0)' "$font"
