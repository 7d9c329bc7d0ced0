#!/bin/bash
# Without a display, with one that cannot be opened, and when the X server or
# the Wayland compositor goes away under the open window, the program says so
# in a line of its own and ends with status 2, not by a signal. Where the
# display named cannot be opened, the toolkit's own messages follow the line.
#
# usage: check_display_loss.sh <program> open|lost <layout>
#   The layout is the build's window_layout.sh.
set -uo pipefail
program=$(realpath "$1")
what=$2
source "$3"
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
work=$(mktemp -d)
program_pid=
weston_pid=
trap 'rm -rf "$work"' EXIT
# No session bus, as over ssh: losing the display must not hang on one.
start_private_display 800x600 refused
mkdir -m 700 "$work/empty"
# expect_said <what> <line wanted on standard error> <status>
expect_said() {
    local said lines
    said=$(cat "$work/said")
    lines=$(grep -c . "$work/said")
    if [[ $3 -eq 2 && $lines -eq 1 && $said == "$2" ]]; then
        echo "ok   $1: $said (status 2)"
    else
        echo "FAIL $1: status $3, said [$said], wanted [$2] and status 2"
        failures=$((failures + 1))
    fi
}
no_display="Quenlor: cannot open a window: no display (set DISPLAY or WAYLAND_DISPLAY to one that is running)"
unset_all=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/empty")

# expect_first <what> <first line wanted> <status>: the toolkit's messages follow.
expect_first() {
    local first lines
    first=$(head -n1 "$work/said")
    lines=$(grep -c . "$work/said")
    if [[ $3 -eq 2 && $first == "$2" && $lines -gt 1 ]]; then
        echo "ok   $1: $first, then the toolkit's $((lines - 1)) lines (status 2)"
    else
        echo "FAIL $1: status $3, said [$(cat "$work/said")], wanted [$2], the toolkit's words and status 2"
        failures=$((failures + 1))
    fi
}

if [[ $what == open ]]; then
    "${unset_all[@]}" "$program" 2>"$work/said"
    expect_said "no display" "$no_display" $?
    # A display number no X server has: far above the highest in use, where
    # no server that picks the lowest free number (-displayfd) will come.
    highest=$(find /tmp/.X11-unix -name 'X[0-9]*' 2>/dev/null | sed 's/.*X//' | sort -n | tail -n1)
    unused=$((${highest:-0} + 1000))
    "${unset_all[@]}" DISPLAY=":$unused" "$program" 2>"$work/said"
    expect_first "no X server there" "Quenlor: cannot open a window on the X display :$unused" $?
    "${unset_all[@]}" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=wayland "$program" 2>"$work/said"
    expect_first "Wayland asked for, only X there" \
        "Quenlor: cannot open a window on the Wayland display wayland-0" $?
    checks_done
    exit
fi

# lost_under_open_window <what went away> <line wanted> <command that ends the display>
#                        [<command that leaves the program's own words in said>]:
# the program's window is open (the caller waited for it); the display goes away.
lost_under_open_window() {
    $3
    if wait_for_exit 10; then
        ${4:-:}
        expect_said "$1" "$2" "$status"
    else
        echo "FAIL $1: the program did not end"
        failures=$((failures + 1))
    fi
}

"$program" 2>"$work/said" &
program_pid=$!
wait_for_window "$window_caption_pattern" 60 >/dev/null || exit 1
lost_under_open_window "the X server went away" "Quenlor: lost the connection to the X display" \
    stop_private_display

weston --backend=headless-backend.so --no-config --idle-time=0 --socket=quenlor-lost >/dev/null 2>&1 &
weston_pid=$!
wait_for 30 "weston's socket" test -S "$XDG_RUNTIME_DIR/quenlor-lost" || exit 1
: >"$work/log"
env -u DISPLAY WAYLAND_DISPLAY=quenlor-lost WAYLAND_DEBUG=1 "$program" 2>"$work/log" &
program_pid=$!
# The window is open once it has committed a frame with a buffer attached.
wait_for 60 "the window's first frame" \
    awk '/-> wl_surface[@#][0-9]*\.attach\(/ { attached = 1 }
         attached && /-> wl_surface[@#][0-9]*\.commit\(\)/ { found = 1; exit } END { exit !found }' \
    "$work/log" || exit 1
end_weston() { kill "$weston_pid"; }
without_protocol() { grep -v '^\[' "$work/log" | grep -v '^ ' >"$work/said"; }
lost_under_open_window "the compositor went away" "Quenlor: lost the connection to the Wayland display" \
    end_weston without_protocol

checks_done
