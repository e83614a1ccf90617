#!/usr/bin/env bash
# Builds the Windows installer, installs it silently under Wine, starts the
# installed program and closes it, uninstalls it silently and checks that
# nothing is left. Runs on a virtual X server (scripts/with-xvfb).
#   installer_check.sh BUILD_DIR WINE_RUN PREFIX
set -euo pipefail
build=$1 wine=("$2" "$3") prefix=$3
work=$(mktemp -d) app=
# Whatever happens, no Wine program is left holding the caller's output.
trap '[[ -z $app ]] || ! kill -0 "$app" 2> /dev/null || WINEPREFIX=$prefix wineserver -k; rm -rf "$work"' EXIT
programs="$prefix/drive_c/Program Files/discharge"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/污水排放量计算.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\discharge'
fail() { echo "installer check: $*"; exit 1; }
gone() { for _ in $(seq 100); do [[ ! -e $1 ]] && return 0; sleep 0.2; done; return 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" > /dev/null
installer=$(echo "$work"/discharge-*-win64.exe)
echo "installer: $(basename "$installer"), $(stat -c %s "$installer") bytes"
"${wine[@]}" "$installer" /S
ls "$programs"
[[ -f $programs/discharge.exe && -f $programs/LICENSE.txt && -f $shortcut ]] || fail "files missing"
"${wine[@]}" reg query "$key" | tr -d '\r' | grep -E 'DisplayVersion|DisplayIcon'
"${wine[@]}" reg query "$key" /v DisplayVersion | grep -q 1.0.0.0 || fail "no uninstall record"

"${wine[@]}" 'C:\Program Files\discharge\discharge.exe' &
app=$!
"$(dirname "$0")/../../scripts/close-form" "$app" || fail "the installed program showed no window, or did not close"
wait "$app" || fail "the program ended with status $?"

# The uninstaller copies itself away and returns at once; its work follows.
"${wine[@]}" 'C:\Program Files\discharge\uninstall.exe' /S
gone "$programs" || fail "left behind: $(ls "$programs")"
gone "$shortcut" || fail "the shortcut is left"
! "${wine[@]}" reg query "$key" > /dev/null 2>&1 || fail "the uninstall record is left"
echo "installed, started, closed and uninstalled: nothing left"
