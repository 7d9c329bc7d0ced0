#!/bin/bash
# Installs the program from a build folder, opens it in a private X server at
# 96 dpi and uses it as a person does, with the mouse and the keyboard. The
# text box is read back through the clipboard. Screenshots of the window are
# left in <build>/e2e-screens.
#
# usage: run_e2e.sh <build folder> [--wine | --zip]
#   --wine: the build is of the 64-bit Windows program; run it under Wine.
#   --zip: the build is of the 32-bit Windows product; run its exe as it
#          ships, taken from the zip, under Wine.
set -euo pipefail

build=$(realpath "$1")
mode=${2:-}
wine=
case $mode in
"") ;;
--wine | --zip) wine=yes ;;
*) echo "usage: run_e2e.sh <build folder> [--wine | --zip]" >&2; exit 2 ;;
esac
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
source "$build/window_layout.sh"
work=$(mktemp -d)
screens="$build/e2e-screens"
mkdir -p "$screens"
program_pid=

wine_prefix=${wine:+$build/wineprefix}
trap end_private_desktop EXIT

if [[ $mode == --zip ]]; then
    (cd "$build" && cpack -B "$work/package" >/dev/null)
    /usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extract("bin/quenlor.exe", sys.argv[2])' \
        "$work"/package/*.zip "$work/prefix"
else
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
fi
program="$work/prefix/bin/quenlor${wine:+.exe}"
[[ -f $program ]] || fail "the install put no program at bin/$(basename "$program")"

# A session bus of its own, as on a desktop: the toolkit finds one there.
start_private_display 800x600 own

if [[ -n $wine ]]; then
    QUENLOR_WINE_DISPLAY=$DISPLAY "$here/../wine/wine-run" "$build/wineprefix" "$program" \
        2>"$work/stderr" &
else
    "$program" 2>"$work/stderr" &
fi
program_pid=$!
window=$(wait_for_window "$window_caption_pattern" 120) ||
    fail "the window did not open; the program said: $(cat "$work/stderr")"

if [[ -z $wine ]]; then
    # Both parts of WM_CLASS are the desktop entry's name.
    for part in class classname; do
        xdotool search --$part '^example\.quenlor\.quenlor$' | grep -qx "$window" ||
            fail "the window's $part is not example.quenlor.quenlor"
    done
fi

wait_for_client_area "$window" "$form_colour" "$client_area" ||
    fail "the client area is not $client_area"

# A click at the middle of a control.
click() { click_in_client "$window" ${middle[$1]}; }
bad_news="Option1(0)"
good_news="Option1(1)"
show_summary="Command1(0)"
clear="Command1(1)"
text_box="Text1"

# The client area alone, without the frame Wine draws where there is no
# window manager.
screenshot() {
    import -window "$window" -crop "$client_size+$client_x+$client_y" +repage "$screens/$1.png"
}

# Selects everything in the text box with the keyboard, copies it, and
# prints what the clipboard holds. The clipboard is taken first by a
# placeholder, so the copy shows as a change of owner; the program takes
# its input in order, so by then it has also handled every earlier click.
placeholder="nothing copied yet $$"
clipboard_is_not_placeholder() { [[ $(xclip -o -selection clipboard 2>/dev/null) != "$placeholder" ]]; }
copy_text_box() {
    printf %s "$placeholder" | xclip -i -selection clipboard
    wait_for 10 "the placeholder to hold the clipboard" \
        bash -c '[[ $(xclip -o -selection clipboard 2>/dev/null) == "$1" ]]' _ "$placeholder" >&2 ||
        fail "the clipboard could not be taken"
    click "$text_box"
    xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+a ctrl+c ctrl+Home
    wait_for 30 "the program to take the clipboard" clipboard_is_not_placeholder >&2 ||
        fail "Ctrl+C in the text box copied nothing"
    xclip -o -selection clipboard
}

# The titles and option buttons, above the text box, as a picture.
read -r _ text_box_top _ <<<"${place[Text1]}"
choices_picture() {
    import -window "$window" -crop "${client_area%x*}x$((text_box_top - 2))+$client_x+$client_y" \
        +repage "$work/$1.png"
}

expect_text() {
    local expected=$1 actual
    actual=$(copy_text_box; echo x)
    actual=${actual%x}
    [[ $actual == "$expected" ]] || fail "the text box holds [$actual], expected [$expected]"
}

screenshot start
statement=$(copy_text_box)
[[ $statement == "Да се създаде проект показващ"* ]] || fail "the exercise is not shown at start"
[[ $statement == *"изведени резултати." ]] || fail "the exercise is cut short"

# At start no title can be seen, so a click where one would be does nothing:
# once the program has handled the clicks (the copy after them), the choices
# look as they did.
choices_picture before
click "Check1(0)"
click "Check2(3)"
[[ $(copy_text_box) == "$statement" ]] || fail "the text changed on clicks where no title is"
choices_picture after
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1) || true
[[ ${changed%% *} == 0 ]] || fail "clicks where hidden titles are changed $changed pixels of the choices"

click "$bad_news"
click "Check1(0)"
click "Check1(3)"
screenshot bad-news
click "$good_news"
click "Check2(3)"
screenshot good-news
click "$show_summary"
screenshot summary
expect_text $'Вие избрахте: Лоша новина:\nРаздяла;\nЛоша оценка;\nДобра новина:\nНазначение;\n'

# The text box is locked: typing and pasting change nothing.
click "$text_box"
xdotool type --delay 20 "abc"
xdotool key --clearmodifiers BackSpace Delete ctrl+v Return
expect_text $'Вие избрахте: Лоша новина:\nРаздяла;\nЛоша оценка;\nДобра новина:\nНазначение;\n'

click "$clear"
expect_text $'Направете своя избор!\n'
click "$show_summary"
expect_text $'Вие избрахте: Лоша новина:\nДобра новина:\n'

"$(dirname "$0")/close_window.py" "$window"
wait_for_exit 10 || fail "closing the window did not end the program"
[[ $status -eq 0 ]] || fail "closing the window ended the program with status $status"
if grep -q . "$work/stderr"; then fail "the program wrote to standard error: $(cat "$work/stderr")"; fi
case $mode in
--wine) echo "PASS: the installed 64-bit exe, under Wine, driven under Xvfb" ;;
--zip) echo "PASS: the 32-bit exe from the zip, under emulated 32-bit Wine, driven under Xvfb" ;;
*) echo "PASS: the installed program, driven under Xvfb" ;;
esac
