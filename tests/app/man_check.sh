#!/usr/bin/env bash
# Typesets each manual page with all of groff's warnings on: any warning
# fails, except a Chinese line that groff cannot break. man must render it.
#   man_check.sh PAGE...
set -euo pipefail
for page in "$@"; do
    warnings=$(groff -k -ww -man -z -Tutf8 "$page" 2>&1)
    [[ $page != */zh_CN/* ]] || warnings=$(grep -v "can't break line" <<< "$warnings" || true)
    [[ -z $warnings ]] || { echo "$page: $warnings"; exit 1; }
    MANWIDTH=80 man -l "$page" | head -n 1
done
echo "manual page check passed"
