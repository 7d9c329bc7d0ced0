# Shared by the tests that run the program on Wayland under weston, drawn
# into the private X server (so the mouse can be driven with xdotool):
# sourced after tests/desktop.sh and start_private_display, not run. The
# caller runs the program with WAYLAND_DEBUG=1 and its standard error in
# $log, the protocol log that these helpers wait on.

# Starts weston on the socket named, in a 600x500 output at the scale given
# (1 unless given), with no panel, so that nothing of the shell's lies over
# the window; sets weston_pid and WAYLAND_DISPLAY's value in weston_socket.
start_weston() {
    local socket=$1 scale=${2:-1} screen
    # The pointer waits in the X screen's far corner, outside weston's window,
    # so that weston learns of it by its entering, as from a person's mouse.
    screen=$(xdotool getdisplaygeometry)
    xdotool mousemove $((${screen% *} - 1)) $((${screen#* } - 1))
    printf '[shell]\npanel-position=none\n' >"$work/weston.ini"
    weston --backend=x11-backend.so --use-pixman --config="$work/weston.ini" --idle-time=0 \
        --socket="$socket" --width=600 --height=500 --scale="$scale" >"$work/weston.log" 2>&1 &
    weston_pid=$!
    weston_socket=$socket
    wait_for 30 "weston's socket $socket" test -S "$XDG_RUNTIME_DIR/$socket" ||
        { cat "$work/weston.log" >&2; return 1; }
}

stop_weston() {
    [[ -n ${weston_pid:-} ]] || return 0
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
    weston_pid=
}

# How many lines of the protocol log match the pattern (grep -E).
protocol_count() { grep -cE -- "$1" "$log"; }

# Waits until more than count lines of the protocol log match the pattern.
wait_for_protocol() {
    local pattern=$1 count=${2:-0} seconds=${3:-30}
    wait_for "$seconds" "the protocol log to show $pattern" \
        bash -c '(( $(grep -cE -- "$1" "$2") > $3 ))' _ "$pattern" "$log" "$count"
}

# Moves the pointer to x y of the screen and waits until the program knows
# it is over its surface: every wl_pointer.leave followed by an enter. A
# click before that could land on whatever lay there before.
pointer_inside() {
    (($(protocol_count 'wl_pointer[@#][0-9]+\.enter\(') > $(protocol_count 'wl_pointer[@#][0-9]+\.leave\(')))
}
pointer_into() {
    xdotool mousemove "$1" "$2"
    wait_for 30 "wl_pointer.enter in the protocol log" pointer_inside && return
    echo "the X pointer: $(xdotool getmouselocation); the program's last pointer events:" >&2
    grep -E 'wl_pointer[@#]' "$log" | tail -n 5 >&2
    echo "weston's log ends:" >&2
    tail -n 5 "$work/weston.log" >&2
    return 1
}

# Clicks button 1 at x y of the screen, inside the program's window, count
# times (once unless given), and waits until the program has received each
# press. (A press on the title bar can start a move, which the compositor
# takes over, so releases need not reach the program.)
click_at() {
    local x=$1 y=$2 count=${3:-1} before
    before=$(protocol_count 'wl_pointer[@#][0-9]+\.button\(.*, 1\)$')
    xdotool mousemove "$x" "$y" click --repeat "$count" --delay 80 1
    wait_for_protocol 'wl_pointer[@#][0-9]+\.button\(.*, 1\)$' $((before + count - 1))
}
