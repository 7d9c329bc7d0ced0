#!/bin/bash
# Installs the Linux build into a fresh prefix and checks what a desktop
# reads: the program, the desktop entry, the AppStream metadata and every
# icon size, with the validators that distributions use (no network).
#
# usage: check_install.sh <build folder>
set -uo pipefail

source "$(dirname "$(realpath "$0")")/../desktop.sh"

build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
id=example.quenlor.quenlor
# The width and height of a PNG, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3*256+$4 "x" $7*256+$8 }'; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
expect "program at bin/quenlor" test -x "$prefix/bin/quenlor"
expect "desktop entry is valid" desktop-file-validate "$share/applications/$id.desktop"
expect "AppStream metadata is valid (pedantic)" \
    appstreamcli validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml"
for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
    expect "${size}px icon" test "$(png_size "$icon" 2>/dev/null)" = "${size}x${size}"
done
expect "scalable icon" grep -q '<svg' "$share/icons/hicolor/scalable/apps/$id.svg"
expect "the entry starts the installed program" grep -qx 'Exec=quenlor' "$share/applications/$id.desktop"
expect "the entry names the window's class" grep -qx "StartupWMClass=$id" "$share/applications/$id.desktop"
checks_done
