#!/bin/bash
# Builds the build folder's package with CPack and checks it: a .deb must
# pass lintian with no error or warning, depend on what the program links and
# hold the program hardened as it was built; a Windows .zip must hold the exe
# and its read-me.
#
# usage: check_packages.sh <build folder>
set -euo pipefail

build=$(realpath "$1")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -B "$out" >/dev/null)

if deb=$(ls "$out"/*.deb 2>/dev/null); then
    # lintian keeps a cache in TMPDIR: here it goes with $out.
    report=$(TMPDIR=$out lintian --fail-on error,warning "$deb" 2>&1) || lintian_failed=1
    grep -v 'root privileges' <<<"$report" || true
    [[ -z ${lintian_failed:-} ]] || { echo "FAIL lintian"; exit 1; }
    depends=$(dpkg-deb --field "$deb" Depends)
    for needed in libqt6widgets6 libc6 qt6-qpa-plugins qt6-wayland; do
        [[ $depends == *"$needed"* ]] || { echo "FAIL no dependency on $needed: $depends"; exit 1; }
    done
    # The packaged program is the tested one, stripped: hardened the same.
    dpkg-deb -x "$deb" "$out/root"
    # hardening-check fails when any one protection is missing, so its status
    # says nothing here; a report without its lines means it did not run.
    hardening_of() {
        local report
        report=$(hardening-check "$1" 2>&1 | tail -n +2) || true
        if ! grep -q '^ Position Independent Executable: ' <<<"$report" ||
            ! grep -q '^ Immediate binding: ' <<<"$report"; then
            printf 'FAIL hardening-check gave no report on %s:\n%s\n' "$1" "$report" >&2
            return 1
        fi
        echo "$report"
    }
    packaged=$(hardening_of "$out/root/usr/bin/quenlor")
    built=$(hardening_of "$build/app/quenlor")
    if [[ $packaged != "$built" ]]; then
        printf 'FAIL the packaged program is hardened otherwise:\n%s\n' "$packaged"
        exit 1
    fi
    echo "ok   $(basename "$deb"): lintian clean; hardened as built; Depends: $depends"
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
