#!/usr/bin/env bash
# Starts that cannot reach a window system end plainly: status 2 within
# seconds, what was tried and why in English and in Chinese, how to run
# headless, and no core file: no display, a stale one, no Wayland
# compositor, a name that is only the start of a plugin's, a plugin that
# cannot start here, one that starts without a screen. Qt's own fatal
# message is still written, as Qt words it, before the program's.
set -u
app=$1 failed=0
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" && ulimit -c unlimited
clean=(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE)
while IFS='|' read -r vars reason qt; do
    out=$(timeout 10 "${clean[@]}" $vars "$app" 2>&1)
    status=$?
    # The reason in English as given, and a reason line in Chinese.
    if [[ $status != 2 || $out != *"xvfb-run -a"* || $out != *"$reason"* || $out != *"$qt"*"$reason"* ]] \
        || compgen -G 'core*' > /dev/null \
        || ! grep -q '^  [a-z]*：' <<< "$out"; then
        printf 'FAIL [%s] status %s, wanted 2, "%s" and before it "%s":\n%s\n' "$vars" "$status" "$reason" "$qt" "$out"
        failed=1
    fi
done << 'EOF'
|xcb: DISPLAY is not set|no Qt platform plugin could be initialized
DISPLAY=:7777|xcb: could not connect to display :7777|no Qt platform plugin could be initialized
WAYLAND_DISPLAY=nothing|wayland: Failed to create wl_display|no Qt platform plugin could be initialized
QT_QPA_PLATFORM=xc|xc: no such plugin is installed|no Qt platform plugin could be initialized
QT_QPA_PLATFORM=off|off: no such plugin is installed|no Qt platform plugin could be initialized
QT_QPA_PLATFORM=eglfs|eglfs: |
QT_QPA_PLATFORM=linuxfb|linuxfb: no screen is available|
EOF
exit "$failed"
