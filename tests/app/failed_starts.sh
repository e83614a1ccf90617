#!/usr/bin/env bash
# Starts that cannot reach a window system end plainly: status 2 within
# seconds, what was tried and why in English and in Chinese, how to run
# headless, and no core file: no display, a stale one, no Wayland
# compositor, a name that is only the start of a plugin's, a plugin that
# cannot start here. Each row names what Qt tries, in order.
#   failed_starts.sh QT_MAJOR_VERSION COMMAND...
set -u
qt=$1 failed=0
shift
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" && ulimit -c unlimited
clean=(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE)
# Qt's reasons in English, one plugin after another: "plugin: reason; ...".
tried() {
    awk '/this program needs a graphical desktop/ { on = 1; next } !/^  / { on = 0 }
         on { sub(/^  /, ""); printf "%s%s", sep, $0; sep = "; " }'
}
while IFS='|' read -r version vars expected; do
    [[ $version == \#* || ( -n $version && $version != "$qt" ) ]] && continue
    out=$(timeout 10 "${clean[@]}" $vars "$@" 2>&1)
    status=$?
    # What was tried, as the row has it; and a reason line in Chinese.
    # shellcheck disable=SC2053 # the row's reasons are a pattern
    if [[ $status != 2 || $out != *"xvfb-run -a"* || $(tried <<< "$out") != $expected ]] \
        || compgen -G 'core*' > /dev/null || ! grep -q '^  [a-z]*：' <<< "$out"; then
        printf 'FAIL [%s] status %s, wanted 2 and "%s":\n%s\n' "$vars" "$status" "$expected" "$out"
        failed=1
    fi
done << 'EOF_ROWS'
# Qt (5, 6, or empty for both)|environment|what Qt tries and why, in order
||xcb: DISPLAY is not set
|DISPLAY=:7777|xcb: could not connect to display :7777
|QT_QPA_PLATFORM=xc|xc: no such plugin is installed
|QT_QPA_PLATFORM=off|off: no such plugin is installed
|QT_QPA_PLATFORM=eglfs|eglfs: ?*
# A Wayland session without a compositor: Wayland first, then X11.
|XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=nothing|wayland: Failed to create wl_display*; xcb: DISPLAY is not set
# A compositor named outside a Wayland session: Qt 6 tries it, Qt 5.15 does not.
6|WAYLAND_DISPLAY=nothing|wayland: Failed to create wl_display*; xcb: DISPLAY is not set
5|WAYLAND_DISPLAY=nothing|xcb: DISPLAY is not set
EOF_ROWS
exit "$failed"
