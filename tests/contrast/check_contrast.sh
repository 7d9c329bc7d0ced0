#!/bin/bash
# Opens the program in a private X server under a colour theme and measures,
# from the window's pixels, the contrast of every caption and of the text
# box's text against its background (tests/contrast/contrast.py): at start,
# and with each kind of news chosen. Pictures are left in <screens folder>.
#
# usage: check_contrast.sh <theme> <screens folder> <layout> <program> [<Wine prefix>]
#   The layout is the build's window_layout.sh.
#   The Qt program's themes: default; gnome-dark (GTK's dark Adwaita, through
#   Qt's GTK 3 platform theme); qt6ct-dark; adwaita-dark (Adwaita-qt's
#   style); breeze-dark (KDE's colours in kdeglobals, read by Qt's KDE theme).
#   A Windows program runs under Wine in the given prefix, with one of the
#   colour sets in tests/contrast/colours: default, dark, high-contrast-black,
#   high-contrast-white.
set -euo pipefail

theme=$1
screens=$(realpath -m "$2")
source "$3"
program=$(realpath "$4")
wine_prefix=${5:+$(realpath -m "$5")}
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
work=$(mktemp -d)
program_pid=

trap end_private_desktop EXIT

mkdir -p "$screens"
# A desktop of the test's own, its HOME included; the theme's settings go
# there.
start_private_display
export XDG_CONFIG_HOME=$HOME/.config
mkdir -p "$XDG_CONFIG_HOME"
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE KDE_FULL_SESSION KDE_SESSION_VERSION GTK_THEME

# What shows that the theme took effect: the form's colour, and a dark text
# box in a dark theme.
form=C0C0FF
dark=--dark
case $theme in
default) dark= ;;
high-contrast-black) form=000000 ;;
high-contrast-white) form=FFFFFF dark= ;;
esac

# The desktop settings each theme is chosen by, as its own tools write them.
case $theme in
default | dark | high-contrast-black | high-contrast-white) ;;
gnome-dark)
    export XDG_CURRENT_DESKTOP=GNOME
    mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
    printf '[Settings]\ngtk-application-prefer-dark-theme=true\n' \
        >"$XDG_CONFIG_HOME/gtk-3.0/settings.ini"
    ;;
qt6ct-dark)
    export QT_QPA_PLATFORMTHEME=qt6ct
    mkdir -p "$XDG_CONFIG_HOME/qt6ct"
    printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Fusion\n' \
        >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
    ;;
adwaita-dark)
    export QT_STYLE_OVERRIDE=Adwaita-Dark
    ;;
breeze-dark)
    export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
    cp "$here/colours/breeze-dark.kdeglobals" "$XDG_CONFIG_HOME/kdeglobals"
    ;;
*) fail "unknown theme $theme" ;;
esac

if [[ -n $wine_prefix ]]; then
    # The colour set goes into the prefix's registry before the program starts.
    export QUENLOR_WINE_DISPLAY=$DISPLAY
    colours=$here/colours/$theme.reg
    "$here/../wine/wine-run" "$wine_prefix" regedit /S "Z:${colours//\//\\}" ||
        fail "the colour set $theme could not be written to the prefix"
    "$here/../wine/wine-run" "$wine_prefix" "$program" &
else
    "$program" &
fi
program_pid=$!
window=$(timeout 120 xdotool search --sync --name "$window_caption_pattern" | head -n1) || true
[[ -n $window ]] || fail "the window did not open"

# readable <picture> <control>...: a picture of the window now, in which the
# named controls' text is readable; the figures go to $work/figures.
readable() {
    local picture=$1
    shift
    client_area_in_frame "$window" "$client_area"
    import -window "$window" "$picture" &&
        /usr/bin/python3 "$here/contrast.py" --form $form $dark --at "$client_x,$client_y" \
            "$window_layout_json" "$picture" "$@" >"$work/figures"
}

# Measures the named controls until each is readable, while the window
# draws; after 20 seconds the last figures stand.
measure() {
    local picture=$screens/$theme-$1.png
    shift
    if ! wait_for 20 "every text readable under $theme" readable "$picture" "$@"; then
        cat "$work/figures"
        fail "under $theme some text is not readable (see $picture)"
    fi
    cat "$work/figures"
}

# A click at the middle of a control.
click() {
    client_area_in_frame "$window" "$client_area"
    click_in_client "$window" ${middle[$1]}
}

# The controls shown at start, and the titles of each kind.
shown=() bad=() good=()
for name in "${window_controls[@]}"; do
    case $name in
    Check1*) bad+=("$name") ;;
    Check2*) good+=("$name") ;;
    *) shown+=("$name") ;;
    esac
done

measure start "${shown[@]}"
click "Option1(0)"
measure bad-news "${bad[@]}"
click "Option1(1)"
measure good-news "${good[@]}"
echo "PASS: every caption and the text box are readable under $theme"
