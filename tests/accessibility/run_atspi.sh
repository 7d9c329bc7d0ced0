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
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
# A session bus of its own, where the accessibility bus is found; it starts
# the accessibility services on demand, as a desktop's bus does.
start_private_display 800x600 desktop

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
# What a screen reader does when it starts: it tells the desktop that
# assistive technology is listening, and toolkits then expose their windows.
enable_accessibility() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null 2>&1
}
wait_for 30 "the accessibility bus to take IsEnabled" enable_accessibility || exit 1

/usr/bin/python3 "$here/atspi_scenario.py" "$work/prefix/bin/quenlor" "$build/window_layout.json"
