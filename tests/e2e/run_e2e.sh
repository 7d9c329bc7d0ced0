#!/bin/bash
# Installs the program from a build folder, opens it in a private X server at
# 96 dpi and uses it as a person does, with the mouse and the keyboard. The
# text box is read back through the clipboard. Screenshots of the window are
# left in <build>/e2e-screens.
#
# usage: run_e2e.sh <build folder>
set -euo pipefail

build=$(realpath "$1")
work=$(mktemp -d)
screens="$build/e2e-screens"
mkdir -p "$screens"
program_pid=
xvfb_pid=

cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
[[ -x $work/prefix/bin/quenlor ]] || fail "the install put no program at bin/quenlor"

Xvfb -displayfd 3 -screen 0 800x600x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work"

"$work/prefix/bin/quenlor" 2>"$work/stderr" &
program_pid=$!
window=$(timeout 20 xdotool search --sync --name '^www\.quenlor\.example Quenlor$' | head -n1)
[[ -n $window ]] || fail "the window did not open"
sleep 0.5

# Places in the window's client area, in pixels, of the controls used here.
bad_news="84 41"
good_news="276 41"
show_summary="424 52"
clear="424 164"
text_box="200 300"
bad_title() { echo "108 $((64 + 24 * $1 + 9))"; }
good_title() { echo "296 $((64 + 24 * $1 + 9))"; }

click() {
    xdotool mousemove --window "$window" --sync $1 click 1
    sleep 0.2
}

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
status=0
timeout 10 tail --pid="$program_pid" -f /dev/null || fail "closing the window did not end the program"
wait "$program_pid" || status=$?
program_pid=
[[ $status -eq 0 ]] || fail "closing the window ended the program with status $status"
if [[ -s $work/stderr ]]; then fail "the program wrote to standard error: $(cat "$work/stderr")"; fi
echo "PASS: the installed program, driven under Xvfb"
