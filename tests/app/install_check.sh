#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the tree and the
# desktop files with the validators desktops use.
#   install_check.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
expected="bin/discharge
share/applications/$id.desktop
share/doc/discharge/changelog.gz
share/doc/discharge/copyright
share/icons/hicolor/16x16/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/lintian/overrides/discharge
share/man/man1/discharge.1.gz
share/man/zh_CN/man1/discharge.1.gz
share/metainfo/$id.metainfo.xml"
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
echo "$actual"
if [[ $actual != "$expected" ]]; then
    echo "installed files differ from:"; echo "$expected"
    exit 1
fi
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml"
grep -q '<release version="1.0.0.0"' "$prefix/share/metainfo/$id.metainfo.xml"
echo "install check passed"
