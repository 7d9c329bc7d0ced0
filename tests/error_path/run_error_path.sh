#!/bin/bash
# Opens the faulty program in a private X server at 96 dpi, presses its
# button as a person would, and checks what a run-time error does: a message
# box titled with the program's title, the report on standard error, the
# window gone, and a non-zero exit status that is not a crash.
#
# usage: run_error_path.sh <faulty program> <index|value> [--wine <wine prefix>]
set -euo pipefail

program=$(realpath "$1")
fault=$2
wine_prefix=${4:-}
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
program_pid=
xvfb_pid=

cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n $wine_prefix ]] && WINEPREFIX=$wine_prefix /usr/lib/wine/wineserver --kill 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL ($fault): $*" >&2
    exit 1
}

Xvfb -displayfd 3 -screen 0 800x600x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR="$work"

if [[ -n $wine_prefix ]]; then
    QUENLOR_WINE_DISPLAY=$DISPLAY "$here/../wine/wine-run" "$wine_prefix" "$program" "$fault" \
        2>"$work/stderr" &
else
    "$program" "$fault" 2>"$work/stderr" &
fi
program_pid=$!

window=$(timeout 120 xdotool search --sync --name '^Faulty form$' | head -n1)
[[ -n $window ]] || fail "the window did not open"
sleep 1
# The button's middle: 150 by 45 pixels from 100, 20, inside the client
# area, which starts where the window's own colour does.
import -window "$window" "$work/whole.png"
client=$(convert "$work/whole.png" -fill black +opaque '#C0C0C0' -fill white -opaque '#C0C0C0' \
    -bordercolor black -border 1 -format '%@' info:)
IFS=+ read -r _ client_x client_y <<<"$client"
xdotool mousemove --window "$window" --sync $((client_x - 1 + 175)) $((client_y - 1 + 35)) click 1

box=$(timeout 30 xdotool search --sync --name '^Faulty$' | head -n1)
[[ -n $box ]] || fail "no message box titled with the program's title"
import -window "$box" "$work/box.png" && cp "$work/box.png" "${program%/*}/error-box-$fault${wine_prefix:+-wine}.png"
xdotool windowfocus --sync "$box" key Return

status=0
timeout 30 tail --pid="$program_pid" -f /dev/null || fail "the program did not end"
wait "$program_pid" || status=$?
program_pid=
[[ $status -ne 0 ]] || fail "the program ended with status 0"
[[ $status -lt 128 ]] || fail "the program crashed (status $status)"
grep -q "Run-time error [0-9]*: " "$work/stderr" || fail "no report on standard error: $(cat "$work/stderr")"
if xdotool search --name '^Faulty form$' >/dev/null 2>&1; then fail "the window was left behind"; fi
echo "PASS ($fault): status $status; $(grep 'Run-time error' "$work/stderr")"
