#!/bin/bash
# Runs a Windows test program under Wine with the screen set to a number of
# dots per inch, in a Wine prefix of its own.
#
# usage: run_at_dpi.sh <prefix folder> <dpi> <program.exe>
set -euo pipefail
here=$(dirname "$(realpath "$0")")
prefix=$1 dpi=$2 program=$3
"$here/../wine/wine-run" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
    /t REG_DWORD /d "$dpi" /f >/dev/null
"$here/../wine/wine-run" "$prefix" "$program" "$dpi"
