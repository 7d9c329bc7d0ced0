#!/bin/bash
# Uses the real program under strace, in a private X server, through a whole
# scenario (both kinds, ticks, both commands, closing), and checks that it
# reaches nothing beyond its window: no network socket (local sockets for the
# display are fine), no file opened for writing, no file of its own read, and
# no environment variable of its own in its source (the display's own
# variables only name a display that could not be opened).
#
# usage: check_privilege.sh <program> <source folder> <layout>
#   The layout is the build's window_layout.sh.
set -euo pipefail

program=$(realpath "$1")
source=$(realpath "$2")
source "$3"
source "$(dirname "$(realpath "$0")")/../desktop.sh"
work=$(mktemp -d)
program_pid=
trap end_private_desktop EXIT

# A session bus of its own, started outside the trace: what the program does
# with a bus it finds is traced too.
start_private_display 800x600 own

# One trace file per thread (-ff): with one file, a call that another
# thread interrupts is split over two lines, and its result is not on the
# line that names it.
strace -f -ff -qq -o "$work/trace" -e trace=%network,%file "$program" 2>/dev/null &
program_pid=$!
window=$(wait_for_window "$window_caption_pattern" 60) || fail "the window did not open"
wait_for_client_area "$window" "$form_colour" "$client_area" || fail "the window was never drawn"
for control in "Option1(0)" "Check1(0)" "Option1(1)" "Check2(3)" "Command1(0)" "Command1(1)" Text1; do
    click_in_client "$window" ${middle[$control]}
done
"$(dirname "$0")/../e2e/close_window.py" "$window"
wait_for_exit 20 || fail "the program did not end"

cat "$work"/trace.* >"$work/trace"

# The trace must have seen the program at work, or the checks below prove nothing.
expect "the trace saw the window's font being read" none_found \
    "$(grep -qE 'open(at)?\(.*\.(ttf|otf)"' "$work/trace" || echo "no font file in the trace")"
expect "no network socket" none_found "$(grep -E 'socket\(AF_(INET|INET6|PACKET)' "$work/trace" || true)"
expect "no file opened for writing" none_found "$(grep -E 'open(at)?\(.*O_(WRONLY|RDWR|CREAT)' "$work/trace" |
    grep -vE '"/dev/(null|tty|shm/)|= -1 ' || true)"
expect "no file made, renamed or removed" none_found "$(grep -E '^(mkdir|rename|unlink|creat|truncate)' "$work/trace" |
    grep -v '= -1 ' || true)"
expect "no file of its own read" none_found "$(grep -E 'open(at)?\(' "$work/trace" | grep -i 'quenlor' |
    grep -v '= -1 ' || true)"
# The exceptions: the display variables, read only to name, in the line that
# says so, the display the toolkit could not open; and the ones libwayland
# reads to find its compositor, read again to find that connection's socket
# and tell a lost display from other failures.
expect "no environment variable read by the program's own code" none_found \
    "$(grep -rnE 'getenv|qEnvironmentVariable|qgetenv|GetEnvironmentVariable' \
        "$source/app" "$source/form" "$source/runtime" |
        grep -vE 'display_connection\.cpp:[0-9]+: +const char\* value = std::getenv\("(WAYLAND_)?DISPLAY"\);$' |
        grep -vE 'connection_state\.cpp:[0-9]+: +const char\* [a-z]+ = std::getenv\("(WAYLAND_DISPLAY|XDG_RUNTIME_DIR|WAYLAND_SOCKET)"\);$' ||
        true)"
checks_done
