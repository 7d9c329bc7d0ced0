#!/bin/bash
# Runs a page test whose browser draws into a real window (WebKitGTK) on an X
# display and in a session of its own (tests/desktop.sh), which end with it.
#
# usage: on_private_display.sh <command>...
set -euo pipefail
source "$(dirname "$0")/../desktop.sh"
work=$(mktemp -d)
trap end_private_desktop EXIT
start_private_display 1024x768
"$@"
