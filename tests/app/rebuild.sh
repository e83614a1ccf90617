#!/usr/bin/env bash
# Builds the release of the commit checked out (bash scripts/release) twice,
# in two folders of their own, and compares the two dist/ folders
# (scripts/compare-release): the first from a clone, the second after the
# first has ended, from the commit's files alone (git archive: no git, so
# the time comes from the files), as another user (when run as root), in
# another time zone, locale and umask, on one core.
#   tests/app/rebuild.sh
set -euo pipefail
unset SOURCE_DATE_EPOCH
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d /tmp/rebuild.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
commit=$(git -C "$top" rev-parse HEAD)
git -C "$top" diff --quiet HEAD || echo "rebuild: changes not committed are not built: this builds $commit"
git clone -q --no-checkout "$top" "$work/a" && git -C "$work/a" checkout -q "$commit"
mkdir "$work/b" "$work/home" "$work/locale"
git -C "$top" archive "$commit" | tar -x -C "$work/b"
localedef -i zh_CN -f UTF-8 "$work/locale/zh_CN.UTF-8" 2> /dev/null || true
as=()
[[ $(id -u) == 0 ]] && as=(setpriv --reuid=nobody --regid=nogroup --clear-groups) && chown -R nobody: "$work/b" "$work/home"
# Where another user cannot run programs at all (a root folder that only root
# may enter, as in a bare chroot), the second build runs as root too.
((${#as[@]})) && ! "${as[@]}" true 2> /dev/null && as=() && echo "rebuild: nobody cannot run programs here: both as root"
run() { # FOLDER LOG ENVIRONMENT... COMMAND...: one release, its log shown when it fails
    local dir=$1 log=$2 start=$SECONDS
    shift 2
    (cd "$dir" && env "$@" nice bash scripts/release > "$log" 2>&1) || { tail -n 40 "$log"; echo "rebuild: FAILED: the release in $dir"; exit 1; }
    echo "rebuild: the release in $dir took $((SECONDS - start)) s"
}
run "$work/a" "$work/a.log" TZ=UTC LANG=C.UTF-8 LC_ALL=C.UTF-8
(umask 002 && run "$work/b" "$work/b.log" TZ='<+14>-14' LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LOCPATH="$work/locale" \
    HOME="$work/home" taskset -c 0 "${as[@]}")
bash "$top/scripts/compare-release" "$work/a/dist" "$work/b/dist"
