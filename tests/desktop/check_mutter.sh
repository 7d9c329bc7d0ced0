#!/bin/bash
# The installed program under GNOME's mutter, natively on Wayland (headless,
# on a virtual monitor) or on X11 (in Xvfb): its size and one title bar;
# full screen and maximise by mutter's keys (full screen bound to Alt+F11,
# as GNOME binds no key to it) and on X11 by another client: mutter receives
# each, and the window either never takes the state, as mutter refuses both
# to it, or gives it back within a second at the same place and size; the
# app id or class is the desktop entry's; Alt+F4 ends it with status 0.
#
# usage: check_mutter.sh <build folder> <wayland|x11>
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
source "$here/compositor.sh"

# mutter's settings from a file of the test's own, not from a settings daemon.
export GSETTINGS_BACKEND=keyfile
mkdir -p "$HOME/.config/glib-2.0/settings"
cat >"$HOME/.config/glib-2.0/settings/keyfile" <<'KEYS'
[org/gnome/desktop/wm/keybindings]
toggle-fullscreen=['<Alt>F11']
KEYS
keys=(alt+F11 super+Up alt+F10)
# mutter's log says which of its key handlers ran, which requests of other
# clients it received, and whether it lets a window be maximised or full screen.
export MUTTER_DEBUG=keybindings,window-ops MUTTER_VERBOSE=1
handlers=("Running handler for toggle-fullscreen" "Running handler for maximize"
    "Running handler for toggle-maximized")

# received <what> <line of mutter's log>...: mutter logged each.
received() {
    local what=$1 line missing=
    shift
    for line in "$@"; do
        wait_for 5 "mutter to log [$line]" grep -qF -- "$line" "$work/mutter.log" || missing+=" [$line]"
    done
    expect "mutter received $what" test -z "$missing"
}

# never_taken_as_refused <what> <report of the states given back> <size WxH>:
# when the window of that size took neither state (one taken is checked as
# given back), mutter's log says that it would not maximise it or make it
# full screen.
never_taken_as_refused() {
    local refused="maximizable = 0 fullscreenable = 0 min size $3 max size $3"
    if [[ $2 == "0 imposed"* || $2 == "0 taken"* ]]; then
        expect "$1: never taken, as mutter refuses both to the window" grep -qF "$refused" "$work/mutter.log"
    fi
}

case $session in
wayland)
    mutter --headless --wayland --no-x11 --virtual-monitor 1024x768 --wayland-display quenlor \
        >"$work/mutter.log" 2>&1 &
    compositor_pid=$!
    must_see 20 "mutter starts" test -S "$XDG_RUNTIME_DIR/quenlor"
    start_wayland_program quenlor
    must_see 20 "the window is shown" wayland_window_shown
    expect "app id is the desktop entry's" test "$(requests set_app_id)" = "set_app_id(\"$desktop_id\")"
    # mutter draws no frames for Wayland windows: the window's own frame and
    # title bar make its 472x383 surface.
    expect "one title bar, the program's (surface $(own_size))" test "$(own_size)" = "472, 383"
    from=$(($(wc -l <"$log") + 1))
    "$here/mutter_keys.py" "${keys[@]}" alt+F4
    # mutter handles the keys in order: the window has closed after the rest.
    ended_by Alt+F4
    received "its keys" "${handlers[@]}"
    expect "full screen and maximise by mutter's keys, given back: $(wayland_states_given_back "$from")" \
        quietly wayland_states_given_back "$from"
    never_taken_as_refused "full screen and maximise by mutter's keys" \
        "$(wayland_states_given_back "$from")" 472x383
    ;;
x11)
    start_private_display 1024x768
    mutter --x11 --replace --sm-disable >"$work/mutter.log" 2>&1 &
    compositor_pid=$!
    must_see 20 "mutter manages the display" window_manager_running
    # The first key typed through XTEST makes mutter read the keyboard again
    # and grab all its keys anew, and a key typed meanwhile reaches none of
    # its bindings: a lone Shift, bound to nothing, goes now, so that mutter
    # has done so before it manages the window, which the keys wait for.
    xdotool key shift
    start_x11_program
    must_see 20 "the window is shown" find_x11_window
    check_x11_window
    spy_on_state
    from=$(($(wc -l <"$work/states") + 1))
    # Typed on the keyboard (XTEST), where mutter's key grabs see them; its
    # window keys act on the focused window.
    must_see 10 "the window focused" bash -c "[[ \$(xdotool getwindowfocus) == $window ]]"
    xdotool key "${keys[@]}"
    other_client_asks
    received "its keys and another client's requests" "${handlers[@]}" \
        "Request to change _NET_WM_STATE action 1 atom1: _NET_WM_STATE_FULLSCREEN" \
        "Request to change _NET_WM_STATE action 1 atom1: _NET_WM_STATE_MAXIMIZED_VERT"
    # The keys went before the other client's requests, which mutter has handled.
    check_x11_given_back "full screen and maximise by mutter's keys" "$from"
    never_taken_as_refused "full screen and maximise by mutter's keys and another client" \
        "$(x11_states_given_back "$from")" "$client_area"
    xdotool key alt+F4
    ended_by Alt+F4
    ;;
esac
finish
