#!/usr/bin/env bash
# Starts the program, closes its window as a user does and checks that the
# process ends by itself with status 0.
#   close_exits_zero.sh COMMAND [ARG...]
set -u
"$@" &
app=$!
"$(dirname "$0")/../../scripts/close-form" "$app" || { kill "$app"; exit 1; }
wait "$app"
status=$?
echo "exit status $status"
exit "$status"
