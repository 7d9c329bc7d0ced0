#!/bin/bash
# Uses the real program under strace, in a private X server, through a whole
# scenario (both kinds, ticks, both commands, closing), and checks that it
# reaches nothing beyond its window: no network socket (local sockets for the
# display are fine), no file opened for writing, no file of its own read, and
# no environment variable of its own in its source (the display's own
# variables only name a display that could not be opened).
#
# usage: check_privilege.sh <program> <source folder>
set -euo pipefail

program=$(realpath "$1")
source=$(realpath "$2")
source "$(dirname "$(realpath "$0")")/../desktop.sh"
work=$(mktemp -d)
program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    stop_private_display
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
check() {
    local what=$1 found=$2
    if [[ -z $found ]]; then echo "ok   $what"; else echo "FAIL $what:"; echo "$found" | head -5; failures=$((failures + 1)); fi
}

# A session bus of its own, started outside the trace: what the program does
# with a bus it finds is traced too.
start_private_display 800x600 own

# One trace file per thread (-ff): with one file, a call that another
# thread interrupts is split over two lines, and its result is not on the
# line that names it.
strace -f -ff -qq -o "$work/trace" -e trace=%network,%file "$program" 2>/dev/null &
program_pid=$!
window=$(wait_for_window '^www\.quenlor\.example Quenlor$' 60) || { echo "FAIL the window did not open"; exit 1; }
wait_for_client_area "$window" '#C0C0FF' 470x357 || { echo "FAIL the window was never drawn"; exit 1; }
for place in "84 41" "108 73" "276 41" "296 145" "424 52" "424 164" "200 300"; do
    click_in_client "$window" $place
done
"$(dirname "$0")/../e2e/close_window.py" "$window"
wait_for_exit 20 || { echo "FAIL the program did not end"; exit 1; }

cat "$work"/trace.* >"$work/trace"

# The trace must have seen the program at work, or the checks below prove nothing.
check "the trace saw the window's font being read" \
    "$(grep -qE 'open(at)?\(.*\.(ttf|otf)"' "$work/trace" || echo "no font file in the trace")"
check "no network socket" "$(grep -E 'socket\(AF_(INET|INET6|PACKET)' "$work/trace" || true)"
check "no file opened for writing" "$(grep -E 'open(at)?\(.*O_(WRONLY|RDWR|CREAT)' "$work/trace" |
    grep -vE '"/dev/(null|tty|shm/)|= -1 ' || true)"
check "no file made, renamed or removed" "$(grep -E '^(mkdir|rename|unlink|creat|truncate)' "$work/trace" |
    grep -v '= -1 ' || true)"
check "no file of its own read" "$(grep -E 'open(at)?\(' "$work/trace" | grep -i 'quenlor' |
    grep -v '= -1 ' || true)"
# The exceptions: the display variables, read only to name, in the line that
# says so, the display the toolkit could not open; and the ones libwayland
# reads to find its compositor, read again to find that connection's socket
# and tell a lost display from other failures.
check "no environment variable read by the program's own code" \
    "$(grep -rnE 'getenv|qEnvironmentVariable|qgetenv|GetEnvironmentVariable' \
        "$source/app" "$source/form" "$source/runtime" |
        grep -vE 'display_connection\.cpp:[0-9]+: +const char\* value = std::getenv\("(WAYLAND_)?DISPLAY"\);$' |
        grep -vE 'connection_state\.cpp:[0-9]+: +const char\* [a-z]+ = std::getenv\("(WAYLAND_DISPLAY|XDG_RUNTIME_DIR|WAYLAND_SOCKET)"\);$' ||
        true)"
echo "$failures failed"
[[ $failures -eq 0 ]]
