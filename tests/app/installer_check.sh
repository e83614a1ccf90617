#!/usr/bin/env bash
# Builds the Windows installer, installs it silently under Wine, starts the
# installed program and closes it, uninstalls it silently and checks that
# nothing is left. Runs on a virtual X server (scripts/with-xvfb), in a
# 64-bit Windows: a 32-bit program goes into Program Files (x86) and its
# uninstall record into the registry's 32-bit view, a 64-bit one into Program
# Files and the 64-bit view.
#   installer_check.sh BUILD_DIR BITS WINE_RUN PREFIX
set -euo pipefail
build=$1 bits=$2 wine=("$3" "$4") prefix=$4
work=$(mktemp -d) app=
# Whatever happens, no Wine program is left holding the caller's output.
trap '[[ -z $app ]] || ! kill -0 "$app" 2> /dev/null || WINEPREFIX=$prefix wineserver -k; rm -rf "$work"' EXIT
case $bits in
64) folder='Program Files' ;;
32) folder='Program Files (x86)' ;;
*) echo "installer check: BITS is 32 or 64, not $bits"; exit 1 ;;
esac
programs="$prefix/drive_c/$folder/discharge" installed="C:\\$folder\\discharge"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/污水排放量计算.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\discharge'
record() { "${wine[@]}" reg query "$key" "/reg:$bits" "$@"; }
fail() { echo "installer check: $*"; exit 1; }
gone() { for _ in $(seq 100); do [[ ! -e $1 ]] && return 0; sleep 0.2; done; return 1; }

cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$work" > /dev/null
installer=$(echo "$work"/discharge-*-win"$bits".exe)
echo "installer: $(basename "$installer"), $(stat -c %s "$installer") bytes"
"${wine[@]}" "$installer" /S
[[ -f $programs/discharge.exe && -f $programs/LICENSE.txt && -f $shortcut ]] || fail "files missing: $(ls "$programs")"
[[ -n $version ]] && record /v DisplayVersion | grep -qF "$version" || fail "no uninstall record of $version in the $bits-bit view"

"${wine[@]}" "$installed\\discharge.exe" &
app=$!
"$(dirname "$0")/../../scripts/close-form" "$app" || fail "the installed program showed no window, or did not close"
wait "$app" || fail "the program ended with status $?"

# The uninstaller copies itself away and returns at once; its work follows.
"${wine[@]}" "$installed\\uninstall.exe" /S
gone "$programs" || fail "left behind: $(ls "$programs")"
gone "$shortcut" || fail "the shortcut is left"
! record > /dev/null 2>&1 || fail "the uninstall record is left"
echo "installed, started, closed and uninstalled: nothing left"
