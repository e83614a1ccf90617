#!/usr/bin/env bash
# Starts the program, closes its window as a user does (Alt+F4 to the window
# manager) and checks that the process ends by itself with status 0.
#   close_exits_zero.sh COMMAND [ARG...]
set -u
"$@" &
app=$!
window=$(timeout 20 xdotool search --sync --name '^Form1$' | head -n 1)
# A key pressed before the window manager has taken the new window in can be
# lost, as on a desktop; press it again then.
for _ in 1 2 3 4 5; do
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2> /dev/null
    timeout 2 tail --pid="$app" -f /dev/null && break
done
kill "$app" 2> /dev/null && { echo "still running after its window was closed"; exit 1; }
wait "$app"
status=$?
echo "exit status $status"
exit "$status"
