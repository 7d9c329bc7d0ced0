#!/bin/bash
# With no display, the run command's window opener must not fail with a
# toolkit error: it says in one line where to see the window, over VNC
# bound to 127.0.0.1 only, and the window is there.
#
# usage: check_no_display.sh <program> <source folder>
set -uo pipefail
work=$(mktemp -d)
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" \
    setsid "$2/scripts/open-window" "$1" 2>"$work/said" &
opener=$!
trap 'kill -- -$opener 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do grep -q 'VNC' "$work/said" && break; sleep 0.1; done
sleep 1
cat "$work/said"
port=$(grep -o '127\.0\.0\.1:[0-9]*' "$work/said" | head -n1 | cut -d: -f2)
[[ -n $port ]] || { echo "FAIL it did not say where to connect"; exit 1; }
[[ $(grep -c . "$work/said") -eq 1 ]] || { echo "FAIL it said more than one line"; exit 1; }
listening=$(ss -ltnH "sport = :$port" | awk '{ print $4 }')
[[ -n $listening ]] || { echo "FAIL nothing listens on port $port"; exit 1; }
# The loopback addresses, 127.0.0.0/8 and ::1, are this machine's alone.
if grep -Evq '^(127\.[0-9.]+|\[::1\]):[0-9]+$' <<<"$listening"; then echo "FAIL VNC listens beyond this machine: $listening"; exit 1; fi
pgrep -f "$(realpath "$1")" >/dev/null || { echo "FAIL the program is not running"; exit 1; }
echo "ok   the window is offered over VNC at 127.0.0.1:$port only"
