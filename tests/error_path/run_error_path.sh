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
wine_prefix=${4:+$(realpath -m "$4")}
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
work=$(mktemp -d)
program_pid=

fail_context=$fault
trap end_private_desktop EXIT

# No session bus, as over ssh: the error path must not need one.
start_private_display 800x600 refused

if [[ -n $wine_prefix ]]; then
    QUENLOR_WINE_DISPLAY=$DISPLAY "$here/../wine/wine-run" "$wine_prefix" "$program" "$fault" \
        2>"$work/stderr" &
else
    "$program" "$fault" 2>"$work/stderr" &
fi
program_pid=$!

window=$(wait_for_window '^Faulty form$' 120) || fail "the window did not open"
# The button is 100 by 30 pixels from 100, 20.
wait_for_client_area "$window" '#C0C0C0' || fail "the window was never drawn"
click_in_client "$window" 150 35

box=$(wait_for_window '^Faulty$' 30) || fail "no message box titled with the program's title"
import -window "$box" "$work/box.png" && cp "$work/box.png" "${program%/*}/error-box-$fault${wine_prefix:+-wine}.png"
xdotool windowfocus --sync "$box" key Return

wait_for_exit 30 || fail "the program did not end"
[[ $status -ne 0 ]] || fail "the program ended with status 0"
[[ $status -lt 128 ]] || fail "the program crashed (status $status)"
grep -q "Run-time error [0-9]*: " "$work/stderr" || fail "no report on standard error: $(cat "$work/stderr")"
if xdotool search --name '^Faulty form$' >/dev/null 2>&1; then fail "the window was left behind"; fi
echo "PASS ($fault): status $status; $(grep 'Run-time error' "$work/stderr")"
