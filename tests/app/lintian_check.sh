#!/usr/bin/env bash
# Packages the build tree as scripts/package does, into a scratch folder, and
# checks the package with lintian: an error or a warning fails.
#   lintian_check.sh BUILD_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$1/CPackConfig.cmake" -G DEB -B "$work" > /dev/null
lintian --info --fail-on error,warning "$work"/*.deb
echo "lintian check passed"
