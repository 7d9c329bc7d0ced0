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
work=$(mktemp -d)
screens="$build/e2e-screens"
mkdir -p "$screens"
program_pid=

cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n $wine ]] && WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver --kill 2>/dev/null || true
    stop_private_display
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [[ $mode == --zip ]]; then
    (cd "$build" && cpack -B "$work/package" >/dev/null)
    /usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extract("bin/quenlor.exe", sys.argv[2])' \
        "$work"/package/*.zip "$work/prefix"
else
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
fi
program="$work/prefix/bin/quenlor${wine:+.exe}"
[[ -f $program ]] || fail "the install put no program at bin/$(basename "$program")"

start_private_display

if [[ -n $wine ]]; then
    QUENLOR_WINE_DISPLAY=$DISPLAY "$here/../wine/wine-run" "$build/wineprefix" "$program" \
        2>"$work/stderr" &
else
    "$program" 2>"$work/stderr" &
fi
program_pid=$!
window=$(timeout 120 xdotool search --sync --name '^www\.quenlor\.example Quenlor$' | head -n1) || true
[[ -n $window ]] || fail "the window did not open"
sleep 1

if [[ -z $wine ]]; then
    # Both parts of WM_CLASS are the desktop entry's name.
    for part in class classname; do
        xdotool search --$part '^example\.quenlor\.quenlor$' | grep -qx "$window" ||
            fail "the window's $part is not example.quenlor.quenlor"
    done
fi

find_client_area "$window" '#C0C0FF'
[[ $client_size == 470x357 ]] || fail "the client area is $client_size, expected 470x357"

# Places in the window's client area, in pixels, of the controls used here.
bad_news="84 41"
good_news="276 41"
show_summary="424 52"
clear="424 164"
text_box="200 300"
bad_title() { echo "108 $((64 + 24 * $1 + 9))"; }
good_title() { echo "296 $((64 + 24 * $1 + 9))"; }

click() { click_in_client "$window" $1; }

screenshot() { import -window "$window" "$screens/$1.png"; }

# Selects everything in the text box with the keyboard, copies it, and
# prints what the clipboard holds.
copy_text_box() {
    click "$text_box"
    xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+a ctrl+c ctrl+Home
    sleep 0.3
    xclip -o -selection clipboard
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

# At start no title can be seen, so a click where one would be does nothing.
click "$(bad_title 0)"
click "$(good_title 3)"

click "$bad_news"
click "$(bad_title 0)"
click "$(bad_title 3)"
screenshot bad-news
click "$good_news"
click "$(good_title 3)"
screenshot good-news
click "$show_summary"
screenshot summary
expect_text $'Вие избрахте: Лоша новина:\nРаздяла;\nЛоша оценка;\nДобра новина:\nНазначение;\n'

# The text box is locked: typing and pasting change nothing.
click "$text_box"
xdotool type --delay 20 "abc"
xdotool key --clearmodifiers BackSpace Delete ctrl+v Return
sleep 0.3
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
