#!/bin/bash
# The installed program natively on Wayland, under weston (its X11 output
# inside Xvfb, so that the mouse can be driven), at scale 1 and 2: the app id
# and title in the protocol log, the client area's size and colours in the
# compositor's picture, drawn at the screen's resolution; no maximise or
# minimise offered or requested, full screen refused, not moved; the close
# button ends it with status 0. Pictures are left in <build>/wayland-screens.
#
# usage: check_wayland.sh <build folder>
set -uo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
source "$here/wayland.sh"
source "$build/window_layout.sh"
work=$(mktemp -d)
screens="$build/wayland-screens"
mkdir -p "$screens"
program_pid=
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
# A session bus of its own, as a Wayland desktop session has.
start_private_display 1280x1024 own
log=$work/stderr

# The colour (as #RRGGBB) at x y of the client area, in 96-dpi pixels.
colour_at() {
    convert "$work/screen.png" -format "%[hex:p{$((client_x + $1 * scale)),$((client_y + $2 * scale))}]" info: |
        cut -c1-6 | sed 's/^/#/'
}
shoot() { import -window root -crop "$((600 * scale))x$((500 * scale))+0+0" +repage "$work/screen.png"; }
# The client area on the screen is as given: size and, when given, place.
client_is() {
    shoot
    client_area_in "$work/screen.png" "$form_colour" || return 1
    [[ $client_size == "$1" && (-z ${2:-} || "$client_x,$client_y" == "$2") ]]
}

for scale in 1 2; do
    echo "== scale $scale"
    start_weston "quenlor-$scale" "$scale" || exit 1
    env -u DISPLAY WAYLAND_DISPLAY="$weston_socket" WAYLAND_DEBUG=1 "$work/prefix/bin/quenlor" \
        2>"$log" &
    program_pid=$!
    width=$((${client_area%x*} * scale))
    size=${width}x$((${client_area#*x} * scale))
    wait_for 60 "the client area of $size on the screen" client_is "$size" ||
        expect "the window is shown ($client_size)" false
    requests() { grep -o -- "-> xdg_toplevel[@#][0-9]*\.$1([^)]*)" "$log" | sed 's/^-> xdg_toplevel[@#][0-9]*\.//'; }
    expect "app id is the desktop entry's" test "$(requests set_app_id)" = 'set_app_id("example.quenlor.quenlor")'
    expect "title" test "$(requests set_title)" = "set_title(\"$window_caption\")"
    min=$(requests set_min_size | tail -n1) max=$(requests set_max_size | tail -n1)
    min=${min#set_min_size} max=${max#set_max_size}
    expect "not resizable: minimum size ${min:-(none asked)} is the maximum ${max:-(none asked)}" \
        bash -c '[[ -n $1 && $1 == "$2" ]]' _ "$min" "$max"
    expect "buffer scale $scale" grep -q "set_buffer_scale($scale)" "$log"

    cp "$work/screen.png" "$screens/scale-$scale.png"
    expect "client area $client_size at scale $scale" test "$client_size" = "$size"
    # The heading, the two option buttons' rows, "Изведи" and "Изтрий", sampled
    # away from their text.
    expect "colours" test "$(colour_at 80 5) $(colour_at 40 41) $(colour_at 230 41) $(colour_at 458 44) $(colour_at 458 156)" \
        = "#FFC080 #FF8000 #00FF00 #00FF00 #FF0000"
    # Crisp: the client area at scale 2 is no enlargement of a 96-dpi picture.
    if [[ $scale == 2 ]]; then
        convert "$work/screen.png" -crop "${client_size}+${client_x}+${client_y}" +repage "$work/client.png"
        convert "$work/client.png" -sample 50% -sample 200% "$work/blocky.png"
        differ=$(compare -metric AE "$work/client.png" "$work/blocky.png" null: 2>&1)
        expect "drawn at the screen's resolution ($differ pixels finer than 2x2 blocks)" test "${differ%% *}" -gt 1000
    fi

    # The title bar: 24 pixels above the client area; where the toolkit's own
    # decoration has minimise and maximise, and the bar itself twice.
    before="$client_x,$client_y"
    bar_y=$((client_y - 12 * scale))
    right=$((client_x + width))
    # Nothing is clicked before the program knows the pointer is over it.
    pointer_into $((client_x + 200 * scale)) $((client_y + 200 * scale)) ||
        expect "the pointer entered the window" false
    click_at $((right - 36 * scale)) $bar_y
    click_at $((right - 60 * scale)) $bar_y
    click_at $((client_x + 200 * scale)) $bar_y 2
    # The compositor's full-screen key: the window takes the state back. Its
    # answer comes after every click above, in the order they were sent.
    click_at $((client_x + 200 * scale)) $((client_y + 200 * scale))
    xdotool key super+shift+f
    wait_for_protocol '-> xdg_toplevel[@#][0-9]+\.unset_fullscreen' 0 30
    expect "full screen was asked for and refused" grep -q -- '-> xdg_toplevel[@#][0-9]*\.unset_fullscreen' "$log"
    expect "no maximise or minimise requested" bash -c "! grep -q -E -- '-> xdg_toplevel[@#][0-9]+\.set_(maximized|minimized|fullscreen)' '$log'"
    wait_for 10 "the client area back at $before" client_is "$size" "$before"
    cp "$work/screen.png" "$screens/scale-$scale-after.png"
    expect "same size and place after clicks and keys ($client_size at $client_x,$client_y)" \
        test "$client_size $client_x,$client_y" = "$size $before"

    xdotool mousemove $((right - 12 * scale)) $bar_y click 1
    ended_by "the close button"
    expect "nothing on standard error but the protocol log" bash -c "! grep -v '^\[' '$log' | grep -q ."
    stop_weston
done
checks_done
