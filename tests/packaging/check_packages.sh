#!/bin/bash
# Builds the build folder's package with CPack and checks it: a .deb must
# pass lintian with no error or warning and depend on what the program
# links; a Windows .zip must hold the exe and its read-me.
#
# usage: check_packages.sh <build folder>
set -euo pipefail

build=$(realpath "$1")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -B "$out" >/dev/null)

if deb=$(ls "$out"/*.deb 2>/dev/null); then
    lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'root privileges' || true
    lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || { echo "FAIL lintian"; exit 1; }
    depends=$(dpkg-deb --field "$deb" Depends)
    for needed in libqt6widgets6 libc6 qt6-qpa-plugins qt6-wayland; do
        [[ $depends == *"$needed"* ]] || { echo "FAIL no dependency on $needed: $depends"; exit 1; }
    done
    echo "ok   $(basename "$deb"): lintian clean; Depends: $depends"
else
    zip=$(ls "$out"/*.zip)
    /usr/bin/python3 - "$zip" <<'PYTHON'
import sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).namelist()
for wanted in ("bin/quenlor.exe", "README.txt"):
    if wanted not in names:
        sys.exit(f"FAIL {wanted} is not in the zip: {names}")
print(f"ok   {sys.argv[1].rsplit('/', 1)[-1]}: {names}")
PYTHON
fi
