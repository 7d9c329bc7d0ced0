# Shared by the tests that use a real program in a private X server: sourced,
# not run. The caller sets `work` (a scratch folder) and `program_pid`.

# Starts an X server of its own at 96 dpi and points DISPLAY at it; the
# screen is 800x600 unless given as WxH.
start_private_display() {
    Xvfb -displayfd 3 -screen 0 "${1:-800x600}x24" -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
    mkdir -p -m 700 "$work/runtime"
    export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work/runtime"
}

stop_private_display() {
    [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null || true
}

# Sets client_x, client_y and client_size to the client area of window:
# where the form's own colour (as #RRGGBB) begins and ends. A frame drawn
# around it, as Wine draws one with no window manager, lies outside.
find_client_area() {
    local window=$1 colour=$2 box
    import -window "$window" "$work/whole.png"
    box=$(convert "$work/whole.png" -fill black +opaque "$colour" -fill white -opaque "$colour" \
        -bordercolor black -border 1 -format '%@' info:)
    IFS=+ read -r client_size client_x client_y <<<"$box"
    client_x=$((client_x - 1)) # the border added above
    client_y=$((client_y - 1))
}

# A left click at x y of the window's client area.
click_in_client() {
    local window=$1 x=$2 y=$3
    xdotool mousemove --window "$window" --sync $((x + client_x)) $((y + client_y)) click 1
    sleep 0.3
}

# Waits for the program to end and sets its exit status in status.
wait_for_exit() {
    local seconds=$1
    status=0
    timeout "$seconds" tail --pid="$program_pid" -f /dev/null || return 1
    wait "$program_pid" || status=$?
    program_pid=
}
