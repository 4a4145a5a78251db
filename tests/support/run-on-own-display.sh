#!/usr/bin/env bash
# Usage: run-on-own-display.sh <program> [arguments...]
#
# Runs one window test program on an X display of its own and stops the display after it.
# Xvfb picks a free display number itself and tells it through -displayfd, so programs
# started side by side never race for a number, and no window, pointer or keyboard state of
# one program can reach another.
set -uo pipefail

folder=$(mktemp -d)
server=0
stop_server() {
    if [ "$server" -gt 0 ]; then
        kill "$server" 2> /dev/null
        wait "$server" 2> /dev/null
    fi
    rm -rf "$folder"
}
trap stop_server EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

mkfifo "$folder/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3> "$folder/display" 2> "$folder/server.log" &
server=$!
number=""
read -r -t 30 number < "$folder/display"
if [ -z "$number" ]; then
    echo "The virtual display did not start:" >&2
    cat "$folder/server.log" >&2
    exit 1
fi

export DISPLAY=":$number"
export GDK_BACKEND=x11
unset WAYLAND_DISPLAY
"$@"
