#!/bin/bash
# The page as `cmake --install` gives it (and scripts/package zips it): the
# installed folder alone, served as a static site, must work as the page
# does, and hold none of the tests' pages built beside it.
#
# usage: check_installed_page.sh <web build folder> <page_tests.py>
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/site" >/dev/null
ls "$work/site"
if ls "$work/site" | grep -v '^index\.' | grep -q '\.html$'; then
    echo "FAIL a page other than the program's was installed"
    exit 1
fi
/usr/bin/python3 "$2" "$work/site" "$1/window_layout.json" chromium 1 summary_and_clearing
echo "ok   the installed page works from its own folder"
