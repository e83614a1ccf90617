#!/usr/bin/env bash
# Compiles the Windows resource script, reads the compiled record back, and
# checks its version, language and icon.
#   resource_check.sh DISCHARGE_RC
set -euo pipefail
rc=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The host preprocessor serves: the script includes no Windows headers.
x86_64-w64-mingw32-windres --preprocessor=cpp --input "$rc" --output "$work/discharge.res" --output-format res
x86_64-w64-mingw32-windres --input "$work/discharge.res" --output "$work/back.rc"
record=$(grep -v '^  0x' "$work/back.rc")
echo "$record" | sed -n '/VERSIONINFO/,$p'

for line in 'LANGUAGE 4, 2' 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' \
    'BLOCK "080404b0"' 'VALUE "FileVersion", "1.0.0.0"' 'VALUE "Translation", 0x804, 1200' \
    'VALUE "LegalCopyright", "Copyright 2026 discharge developers. Apache License 2.0"' 'Has 3 elements'; do
    grep -qF "$line" <<< "$record" || { echo "missing from the compiled record: $line"; exit 1; }
done
echo "resource check passed"
