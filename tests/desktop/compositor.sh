# Shared by the tests that run the installed program under a desktop's own
# compositor or window manager (check_kwin.sh, check_mutter.sh): sourced
# after desktop.sh by a script that takes <build folder> <wayland|x11>.
# Every wait is for an event or a state, with a deadline that fails loudly.

build=$(realpath "$1")
session=$2
source "$build/window_layout.sh"
work=$(mktemp -d)
program_pid=
compositor_pid=
spy_pid=
desktop_id=example.quenlor.quenlor
cleanup() {
    local pid
    for pid in $program_pid $spy_pid $compositor_pid; do kill "$pid" 2>/dev/null; done
    for pid in $program_pid $spy_pid $compositor_pid; do wait "$pid" 2>/dev/null; done
    stop_private_display
    rm -rf "$work"
}
trap cleanup EXIT
# A session of the test's own, whose bus starts nothing on demand: kwin_x11
# would otherwise start helpers of KDE's that outlive it.
start_private_session
unset QT_QPA_PLATFORM
cmake --install "$build" --prefix "$work/prefix" >/dev/null
program=$work/prefix/bin/quenlor
log=$work/program.log

now_ms() { date +%s%3N; }

quietly() { "$@" >/dev/null; }

# must_see <seconds> <what> <command>...: waits for it; ends the test at once
# when it never comes, as the rest depends on it.
must_see() {
    wait_for "$@" || exit 1
}

# Ends the test at once when a step that the rest depends on fails.
must() {
    local what=$1
    shift
    "$@" && return 0
    echo "FAIL $what"
    exit 1
}

finish() {
    expect "nothing on standard error but the protocol log" bash -c "! grep -v '^\[' '$log' | grep -q ."
    checks_done
}

# --- Wayland: the protocol log of WAYLAND_DEBUG=1.

# start_wayland_program <socket>
start_wayland_program() {
    WAYLAND_DISPLAY=$1 QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$program" 2>"$log" &
    program_pid=$!
}

requests() { grep -o -- "-> xdg_toplevel[@#][0-9]*\.$1([^)]*)" "$log" | sed 's/^-> xdg_toplevel[@#][0-9]*\.//'; }

# The window's own size, as it asks for it: "W, H".
own_size() { requests set_min_size | tail -n1 | sed 's/^set_min_size(\(.*\))$/\1/'; }

# Shown: a configure of the window's own size acknowledged, then a frame.
wayland_window_shown() {
    local size
    size=$(own_size)
    [[ -n $size ]] && awk -v size="$size" '
        index($0, ".configure(" size ",") { sized = 1 }
        sized && /-> xdg_surface[@#][0-9]*\.ack_configure/ { acked = 1 }
        acked && /-> wl_surface[@#][0-9]*\.commit\(\)/ { shown = 1 }
        END { exit !shown }' "$log"
}

# Checks the protocol log from line <from> on: every configure that imposes
# another size (full screen, maximised) is followed by the window's
# refusal (unset_fullscreen / unset_maximized), a configure of its own size
# again, its acknowledgement and a new frame, all within a second. Prints
# how many were imposed and the longest time taken; with "imposed" as
# <wanted>, at least one must have been.
wayland_states_given_back() {
    local from=$1 wanted=${2:-any}
    tail -n +"$from" "$log" | awk -v size="$(own_size)" -v wanted="$wanted" '
        { t = substr($0, 2, index($0, "]") - 2) + 0 }
        /xdg_toplevel[@#][0-9]*\.configure\(/ && !/->/ {
            own = index($0, ".configure(" size ",") || index($0, ".configure(0, 0,")
            if (!own && !pending) { imposed++; since = t; pending = 1; refused = 0; ended = 0; acked = 0 }
            else if (own && pending) ended = 1
        }
        pending && /-> xdg_toplevel[@#][0-9]*\.unset_(fullscreen|maximized)\(\)/ { refused = 1 }
        pending && ended && /-> xdg_surface[@#][0-9]*\.ack_configure/ { acked = 1 }
        pending && acked && /-> wl_surface[@#][0-9]*\.commit\(\)/ {
            if (!refused) { print "the state ended without the window refusing it"; bad = 1 }
            if (t - since > longest) longest = t - since
            pending = 0
        }
        END {
            printf "%d imposed, given back in at most %d ms", imposed, longest
            if (pending) printf "; the last one still held"
            print ""
            exit bad || pending || longest > 1000 || (wanted == "imposed" && !imposed)
        }'
}

# --- X11: properties of the program's top-level window.

# start_x11_program: on the private display, through the X11 platform.
start_x11_program() {
    QT_QPA_PLATFORM=xcb "$program" 2>"$log" &
    program_pid=$!
}

window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Sets window to the program's top-level window once it is mapped and framed.
find_x11_window() {
    window=$(xdotool search --classname "^${desktop_id//./\\.}\$" 2>/dev/null | head -n1)
    [[ -n $window ]] && xwininfo -id "$window" | grep -q 'Map State: IsViewable' &&
        xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '='
}

# "X,Y WxH" of the client area, on the screen.
x11_geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width/ { w = $NF } /^ *Height/ { h = $NF } END { print x "," y " " w "x" h }'
}

# Starts a log of the window's _NET_WM_STATE, each line stamped in ms.
spy_on_state() {
    xprop -spy -id "$window" _NET_WM_STATE > >(while IFS= read -r line; do
        echo "$(now_ms) $line"
    done >"$work/states") &
    spy_pid=$!
    wait_for 5 "the state spy to start" grep -q . "$work/states"
}

# Checks the state log from line <from> on: each time the window became
# full screen or maximised, it was back to neither within a second; and it
# ends in neither. Prints how many were taken and the longest time held.
# With "taken" as <wanted>, at least one must have been: a window manager
# that says it has set a state may write it to the window some time later.
x11_states_given_back() {
    local from=$1 wanted=${2:-any}
    tail -n +"$from" "$work/states" | awk -v wanted="$wanted" '
        { held = /_FULLSCREEN|_MAXIMIZED_/ }
        held && !since { taken++; since = $1 }
        !held && since { if ($1 - since > longest) longest = $1 - since; since = 0 }
        END {
            printf "%d taken, given back in at most %d ms", taken, longest
            if (since) printf "; the last one still held"
            print ""
            exit since || longest > 1000 || (wanted == "taken" && !taken)
        }'
}

# Another program's requests, the standard ones that a task bar or pager
# sends: full screen and maximised, then above others, whose arrival in the
# state tells that the window manager has handled the first two. With
# "taken", the window manager must have set one of them.
other_client_asks() {
    local from
    from=$(($(wc -l <"$work/states") + 1))
    wmctrl -i -r "$window" -b add,fullscreen
    wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
    wmctrl -i -r "$window" -b add,above
    must_see 5 "the window manager handles another client's requests" bash -c "tail -n +$from '$work/states' | grep -q _NET_WM_STATE_ABOVE"
    check_x11_given_back "full screen and maximised asked by another client" "$from" "${1:-any}"
}

# check_x11_given_back <what was asked> <first line of the state log since> [taken]
check_x11_given_back() {
    local report given_back=0
    wait_for 3 "the states ${3:+$3 and }given back" quietly x11_states_given_back "$2" "${3:-any}"
    report=$(x11_states_given_back "$2" "${3:-any}") || given_back=$?
    expect "$1, given back: $report" test "$given_back" -eq 0
    expect "$1: the same place and size" wait_for 1 "the same place and size" same_x11_geometry
}

# The client area, its frame and its names, before anything is asked.
check_x11_window() {
    geometry=$(x11_geometry)
    expect "client area $client_area ($geometry)" test "${geometry#* }" = "$client_area"
    local extents
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //')
    expect "one title bar, the window manager's (frame extents $extents)" \
        test "$(cut -d, -f3 <<<"$extents")" -gt 10
    expect "class is the desktop entry's" \
        test "$(xprop -id "$window" WM_CLASS)" = "WM_CLASS(STRING) = \"$desktop_id\", \"$desktop_id\""
    expect "desktop-file name is the desktop entry's" \
        test "$(xprop -id "$window" _KDE_NET_WM_DESKTOP_FILE)" = "_KDE_NET_WM_DESKTOP_FILE(UTF8_STRING) = \"$desktop_id\""
}

same_x11_geometry() { [[ $(x11_geometry) == "$geometry" ]]; }
