#!/bin/bash
# Installs the program from a build folder and uses it as a screen-reader or
# switch-access user does: through the desktop's accessibility bus alone, in
# a private X server with a private D-Bus session and AT-SPI registry.
#
# usage: run_atspi.sh <build folder>
set -euo pipefail

build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
work=$(mktemp -d)
launcher_pid=
bus_pid=

cleanup() {
    [[ -n $launcher_pid ]] && kill "$launcher_pid" 2>/dev/null || true
    [[ -n $bus_pid ]] && kill "$bus_pid" 2>/dev/null || true
    stop_private_display
    rm -rf "$work"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
start_private_display

dbus-daemon --session --fork --print-address=1 --print-pid=2 >"$work/bus" 2>"$work/bus-pid"
bus_pid=$(cat "$work/bus-pid")
export DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher_pid=$!
# What a screen reader does when it starts: it tells the desktop that
# assistive technology is listening, and toolkits then expose their windows.
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null 2>&1 && break
    sleep 0.1
done

/usr/bin/python3 "$here/atspi_scenario.py" "$work/prefix/bin/quenlor"
