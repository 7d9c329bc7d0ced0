# Shared by the test scripts, above all those that use a real program in a
# private desktop: sourced, not run. The caller sets `work` (a scratch
# folder) and `program_pid`. The window's layout, as the form defines it, is
# in the build folder's window_layout.sh, for a test to source.
#
# Sourcing it runs the rest of the test in a process group of its own and
# ends that whole group when the test ends, however it ends, and every
# process that carries the test's mark in its environment: nothing the test
# starts (X server, session bus, compositor, Wine's server, the program and
# whatever those start) outlives it.

if [[ -z ${QUENLOR_TEST_GROUP:-} ]]; then
    export QUENLOR_TEST_GROUP=$$
    # In the background of a shell without job control the child leads no
    # group, so setsid makes it a session and group of its own in place.
    setsid "$0" "$@" &
    test_group=$!
    trap 'kill -TERM -- -$test_group 2>/dev/null' TERM INT HUP
    test_status=0
    wait "$test_group" || test_status=$?
    # wait returns early when a signal arrives; then wait for the test itself.
    while kill -0 "$test_group" 2>/dev/null; do wait "$test_group" || test_status=$?; done
    kill -KILL -- -"$test_group" 2>/dev/null || true
    # A process that made a group of its own (dbus-daemon does) still
    # carries the mark in its environment.
    for proc in /proc/[0-9]*; do
        [[ ${proc#/proc/} != "$$" ]] && grep -qxzF "QUENLOR_TEST_GROUP=$$" "$proc/environ" 2>/dev/null &&
            kill -KILL "${proc#/proc/}" 2>/dev/null || true
    done
    exit "$test_status"
fi

source "$(dirname "${BASH_SOURCE[0]}")/wait_for.sh"

# expect <what> <command...>: one check. Says "ok   <what>" when the command
# succeeds and "FAIL <what>" when it does not, and counts the failures;
# checks_done then says how many failed, and fails if any did.
failures=0
expect() {
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
checks_done() {
    echo "$failures failed"
    [[ $failures -eq 0 ]]
}

# none_found <lines>: succeeds when there are none; else shows the first few.
none_found() {
    [[ -z $1 ]] && return 0
    head -5 <<<"$1" | sed 's/^/     /'
    return 1
}

# Gives the test a session of its own: a runtime folder and HOME under $work,
# none of the machine's desktop settings, and a session bus, one of:
#   own      a dbus-daemon of the test's own, on which nothing is started on
#            demand (desktop/private-bus.conf), so that every program on it is
#            one the test started and ends;
#   desktop  a dbus-daemon of the test's own that starts services on demand,
#            as a desktop session's does (the accessibility bus needs it);
#   refused  an address where nothing listens, as over ssh or in a container:
#            the program must do without one, and cannot start one either.
start_private_session() {
    local bus=${1:-own}
    mkdir -p -m 700 "$work/runtime" "$work/home"
    unset DISPLAY WAYLAND_DISPLAY XAUTHORITY SESSION_MANAGER XDG_SESSION_TYPE XDG_CURRENT_DESKTOP \
        XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
    local config
    case $bus in
    own) config=(--config-file="$(dirname "${BASH_SOURCE[0]}")/desktop/private-bus.conf") ;;
    desktop) config=(--session) ;;
    esac
    case $bus in
    own | desktop)
        dbus-daemon "${config[@]}" --nofork --address="unix:path=$work/runtime/bus" \
            --print-address=4 4>"$work/bus" 2>"$work/bus.log" &
        bus_pid=$!
        wait_for 30 "the session bus to start" test -s "$work/bus" || exit 1
        DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
        ;;
    refused) DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/no-bus" ;;
    *) echo "start_private_session: no such bus: $bus" >&2; exit 2 ;;
    esac
    export DBUS_SESSION_BUS_ADDRESS
    private_session=$bus
}

# Starts a desktop of the test's own (start_private_session) and an X server
# in it at 96 dpi on a display number it picks itself (-displayfd), and points
# DISPLAY at it. The screen is 800x600 unless given as WxH; the bus is own
# unless given, or the one of the session the test has already started.
# The server does not reset when its last client leaves (-noreset): the
# tests' own short-lived clients (xdotool, import) come and go while the
# program is starting.
start_private_display() {
    local size=${1:-800x600}
    [[ -n ${private_session:-} ]] || start_private_session "${2:-own}"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_for 30 "the X server to start" test -s "$work/display" || exit 1
    export DISPLAY=":$(cat "$work/display")"
    display_takes_clients() { xdotool getdisplaygeometry >/dev/null 2>&1; }
    wait_for 30 "the X server on $DISPLAY to let a client in" display_takes_clients ||
        fail "the X server on $DISPLAY let no client in; it said: $(cat "$work/xvfb.log")"
}

# Starts the accessibility bus on the session bus and does what a screen
# reader does when it starts: tells the desktop that assistive technology is
# listening, so that toolkits expose their windows.
start_accessibility_bus() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    enable_accessibility() {
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
            variant:boolean:true >/dev/null 2>&1
    }
    wait_for 30 "the accessibility bus to take IsEnabled" enable_accessibility || exit 1
}

# Ends the X server, as when a display goes away; the rest of the desktop
# ends with the test.
stop_private_display() {
    if [[ -n ${xvfb_pid:-} ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    fi
    return 0
}

# The EXIT trap of a test on a private desktop: ends the program and, when
# the test runs it under Wine in the prefix $wine_prefix, Wine's server there;
# then the X server; and removes $work.
end_private_desktop() {
    [[ -n ${program_pid:-} ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n ${wine_prefix:-} ]] && "$(dirname "${BASH_SOURCE[0]}")/wine/end-wine-server" "$wine_prefix"
    stop_private_display
    rm -rf "$work"
}

# Says on standard error what went wrong, after $fail_context when the test
# sets one, and ends the test.
fail() {
    echo "FAIL${fail_context:+ ($fail_context)}: $*" >&2
    exit 1
}

# Prints the id of the first viewable window whose name matches the pattern
# once there is one; fails after the deadline (60 s unless given), or at
# once when the test's program (program_pid, if set) has ended without it.
wait_for_window() {
    local pattern=$1 seconds=${2:-60} found=
    found_window() {
        found=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1)
        [[ -n $found ]]
    }
    program_ended() {
        local state
        [[ -n ${program_pid:-} ]] || return 1
        state=$(ps -o stat= -p "$program_pid" 2>/dev/null)
        [[ -z $state || $state == Z* ]]
    }
    window_or_end() { found_window || program_ended; }
    wait_for "$seconds" "a window named $pattern" window_or_end || return 1
    if [[ -z $found ]]; then
        echo "FAIL the program ended before a window named $pattern was shown" >&2
        return 1
    fi
    echo "$found"
}

# The client area is found in one of two ways. Where the form's colour is
# known and no frame has it, by that colour: client_area_in, find_client_area
# and wait_for_client_area. Where a theme may paint the frame as the form,
# from the window's size: client_area_in_frame.

# client_area_in <picture> <colour>: sets client_x, client_y and client_size
# to where the form's own colour (as #RRGGBB) begins and ends in the picture.
client_area_in() {
    local picture=$1 colour=$2 box
    box=$(convert "$picture" -fill black +opaque "$colour" -fill white -opaque "$colour" \
        -bordercolor black -border 1 -format '%@' info: 2>/dev/null) || return 1
    IFS=+ read -r client_size client_x client_y <<<"$box"
    client_x=$((client_x - 1)) # the border added above
    client_y=$((client_y - 1))
}

# client_area_in of a picture of the window. A frame drawn around the client
# area, as Wine draws one with no window manager, lies outside.
find_client_area() {
    local window=$1 colour=$2
    import -window "$window" "$work/whole.png" 2>/dev/null || return 1
    client_area_in "$work/whole.png" "$colour"
}

# client_area_in_frame <window> <WxH>: sets client_x, client_y and
# client_size to the client area of that size in the window, which lies
# centred across the window's width and at its bottom: a frame drawn around
# it, as Wine draws one with no window manager, is as wide at the sides as at
# the bottom.
client_area_in_frame() {
    local window=$1 geometry width height
    client_size=$2
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: *//p')
    IFS=x read -r width height <<<"$geometry"
    client_x=$(((width - ${client_size%x*}) / 2))
    client_y=$((height - ${client_size#*x} - client_x))
}

# find_client_area once the window has drawn its client area (of the given
# WxH, when given); fails after 60 seconds.
wait_for_client_area() {
    local window=$1 colour=$2 size=${3:-}
    drawn() {
        find_client_area "$window" "$colour" || return 1
        [[ ${client_size%x*} -gt 1 && ${client_size#*x} -gt 1 ]] || return 1
        [[ -z $size || $client_size == "$size" ]]
    }
    wait_for 60 "the window's client area${size:+ of $size} in $colour" drawn ||
        { echo "(last seen: ${client_size:-nothing})" >&2; return 1; }
}

# A left click at x y of the window's client area. The X server takes the
# move and the click in order, and the program its input, so a later read
# waits for the click's effect by waiting for an answer of the program's.
# (No --sync: xdotool waits for a move, and so waits long when the pointer
# is already there.)
click_in_client() {
    local window=$1 x=$2 y=$3
    xdotool mousemove --window "$window" $((x + client_x)) $((y + client_y)) click 1
}

# Waits for the program to end and sets its exit status in status.
wait_for_exit() {
    local seconds=$1
    status=0
    timeout "$seconds" tail --pid="$program_pid" -f /dev/null || return 1
    wait "$program_pid" || status=$?
    program_pid=
}

# ended_by <what>: the program ends after <what>, with status 0.
ended_by() {
    if wait_for_exit 10; then
        expect "$1 ends it with status 0" test "$status" -eq 0
    else
        expect "$1 ends it" false
    fi
}
