#!/bin/bash
# With no display, the run command's window opener must not fail with a
# toolkit error: it says in one line where to see the window, over VNC
# bound to the loopback only, and the window is there.
#
# usage: check_no_display.sh <program> <source folder> <layout>
#   The layout is the build's window_layout.sh.
set -uo pipefail
program=$(realpath "$1")
source "$3"
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
work=$(mktemp -d)
# The opener is ended as a person's Ctrl+C or logout would end it: it takes
# its display and its folder with it.
opener_pid=
trap '[[ -n $opener_pid ]] && kill -TERM "$opener_pid" 2>/dev/null && wait "$opener_pid"; rm -rf "$work"' EXIT
# No display and no session bus, as over ssh.
start_private_session refused
"$2/scripts/open-window" "$program" 2>"$work/said" &
opener_pid=$!

wait_for 30 "the line saying where to connect" grep -q VNC "$work/said" || exit 1
port=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/said" | head -n1 | cut -d: -f2)
[[ -n $port ]] || fail "it did not say where to connect: $(cat "$work/said")"
program_pid=
program_running() { program_pid=$(pgrep -f -n "^$program") && [[ -n $program_pid ]]; }
wait_for 30 "the program to start" program_running || exit 1
# The window on the virtual display the program was given; any message of
# the toolkit's comes before it is shown.
DISPLAY=$(tr '\0' '\n' <"/proc/$program_pid/environ" | sed -n 's/^DISPLAY=//p')
export DISPLAY
wait_for_window "$window_caption_pattern" 30 >/dev/null || exit 1
cat "$work/said"
[[ $(grep -c . "$work/said") -eq 1 ]] || fail "it said more than one line"
listening=$(ss -ltnH "sport = :$port" | awk '{ print $4 }')
[[ -n $listening ]] || fail "nothing listens on port $port"
# The loopback addresses, 127.0.0.0/8 and ::1, are this machine's alone.
if grep -Evq '^(127\.[0-9.]+|\[::1\]):[0-9]+$' <<<"$listening"; then
    fail "VNC listens beyond this machine: $listening"
fi
echo "ok   the window is offered over VNC at 127.0.0.1:$port only"

kill -TERM "$opener_pid"
wait "$opener_pid"
opener_pid=
gone() { ! kill -0 "$program_pid" 2>/dev/null && ! xdotool getdisplaygeometry >/dev/null 2>&1; }
wait_for 10 "the program and its virtual display to end with the opener" gone || exit 1
echo "ok   ending the opener ends the program and its virtual display"
