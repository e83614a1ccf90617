#!/usr/bin/env bash
# Starts that cannot reach a window system end plainly: status 2 within
# seconds, what was tried and why in English and in Chinese, how to run
# headless, and no core file: no display, a stale one, no Wayland
# compositor, a name that is only the start of a plugin's, a plugin that
# cannot start here, one that starts without a screen. Each row names what
# Qt tries, in order; where Qt ends the start with a fatal message of its
# own, that is still written, as Qt words it, before the program's.
#   failed_starts.sh QT_MAJOR_VERSION COMMAND...
set -u
qt=$1 failed=0
shift
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" && ulimit -c unlimited
clean=(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE)
# Qt's reasons under the header line that starts with $1, one plugin after
# another: "plugin: reason; ...".
tried() {
    awk -v header="$1" 'index($0, header) { on = 1; next } !/^  / { on = 0 }
         on { sub(/^  /, ""); printf "%s%s", sep, $0; sep = "; " }'
}
while IFS='|' read -r version vars expected chinese fatal; do
    [[ $version == \#* || ( -n $version && $version != "$qt" ) ]] && continue
    out=$(timeout 10 "${clean[@]}" $vars "$@" 2>&1)
    status=$?
    # What was tried, as the row has it in English and in Chinese, under a
    # header naming the program; Qt's own message before the program's,
    # which starts in Chinese; how to run this very program headless.
    # shellcheck disable=SC2053 # the row's reasons are a pattern
    if [[ $status != 2 || $out != *"xvfb-run -a ${*: -1}"* || $(tried "discharge: this program" <<< "$out") != $expected
          || $(tried "discharge: 本程序" <<< "$out") != $chinese
          || $out != *"$fatal"*"discharge: 本程序需要图形桌面"*"discharge: this program needs a graphical desktop"* ]] \
        || compgen -G 'core*' > /dev/null; then
        printf 'FAIL [%s] status %s, wanted 2, "%s", "%s" and "%s":\n%s\n' "$vars" "$status" "$expected" "$chinese" "$fatal" "$out"
        failed=1
    fi
done << 'EOF_ROWS'
# Qt (5, 6, or empty for both)|environment|what Qt tries and why, in order|the same in Chinese|Qt's own fatal message
||xcb: DISPLAY is not set|xcb：未设置 DISPLAY|no Qt platform plugin could be initialized
|DISPLAY=:7777|xcb: could not connect to display :7777|xcb：连接不上显示器 :7777|no Qt platform plugin could be initialized
|QT_QPA_PLATFORM=xc|xc: no such plugin is installed|xc：没有安装这个平台插件|no Qt platform plugin could be initialized
|QT_QPA_PLATFORM=off|off: no such plugin is installed|off：没有安装这个平台插件|no Qt platform plugin could be initialized
|QT_QPA_PLATFORM=eglfs|eglfs: ?*|eglfs：?*|
# A plugin that starts without any screen.
|QT_QPA_PLATFORM=linuxfb|linuxfb: no screen is available|linuxfb：没有可用的屏幕|
# A Wayland session without a compositor: Wayland first, then X11.
|XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=nothing|wayland: Failed to create wl_display*; xcb: DISPLAY is not set|wayland：连接不上 Wayland 合成器*; xcb：未设置 DISPLAY|no Qt platform plugin could be initialized
# A compositor named outside a Wayland session: Qt 6 tries it, Qt 5.15 does not.
6|WAYLAND_DISPLAY=nothing|wayland: Failed to create wl_display*; xcb: DISPLAY is not set|wayland：连接不上 Wayland 合成器*; xcb：未设置 DISPLAY|no Qt platform plugin could be initialized
5|WAYLAND_DISPLAY=nothing|xcb: DISPLAY is not set|xcb：未设置 DISPLAY|no Qt platform plugin could be initialized
EOF_ROWS
exit "$failed"
