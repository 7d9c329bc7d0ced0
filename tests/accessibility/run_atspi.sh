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

start_accessibility_bus

/usr/bin/python3 "$here/atspi_scenario.py" "$work/prefix/bin/quenlor" "$build/window_layout.json"
