#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the tree and the
# desktop entry with the validator desktops use.
#   install_check.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
expected=$(printf '%s\n' bin/discharge share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/doc/discharge/{changelog.gz,copyright} share/lintian/overrides/discharge \
    share/icons/hicolor/{16x16,32x32,48x48}/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg \
    share/man/man1/discharge.1.gz share/man/zh_CN/man1/discharge.1.gz | sort)
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
echo "$actual"
[[ $actual == "$expected" ]] || { echo "installed files differ from:"; echo "$expected"; exit 1; }
desktop-file-validate "$prefix/share/applications/$id.desktop"
echo "install check passed"
