#!/usr/bin/env bash
# Starts that cannot reach a window system end plainly: status 2 within
# seconds, the reason and how to run headless on stderr, no core file. A
# Wayland session without a compositor falls back to X11 (the DISPLAY of
# scripts/with-xvfb, which runs this) and shows its window.
set -u
app=$1 failed=0
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" && ulimit -c unlimited
clean=(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE)
while IFS='|' read -r vars args reason; do
    out=$(timeout 10 "${clean[@]}" $vars "$app" $args 2>&1)
    status=$?
    # The reason in English as given, and a reason line in Chinese.
    if [[ $status != 2 || $out != *"xvfb-run -a"* || $out != *"$reason"* ]] || compgen -G 'core*' > /dev/null \
        || ! grep -q '^  [a-z]*：' <<< "$out"; then
        printf 'FAIL [%s] status %s, wanted 2 and "%s":\n%s\n' "$vars" "$status" "$reason" "$out"
        failed=1
    fi
done << 'EOF'
||xcb: DISPLAY is not set
DISPLAY=:7777||xcb: no X server answers at ":7777"
WAYLAND_DISPLAY=nothing||wayland: no
XDG_SESSION_TYPE=wayland||wayland: no
QT_QPA_PLATFORM=nosuch||no Qt platform plugin "nosuch"
QT_QPA_PLATFORM=offscreen|-platform nosuch|no Qt platform plugin "nosuch"
EOF
exit "$failed"
