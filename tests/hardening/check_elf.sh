#!/bin/bash
# Checks that a Linux program was built hardened: position-independent,
# relocations read-only and bound at start, stack protector and checked
# (fortified) library calls.
#
# usage: check_elf.sh <program>
set -uo pipefail

program=$1
failures=0
expect() {
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

headers=$(readelf --file-header --program-headers --dynamic --wide "$program")
symbols=$(readelf --dyn-syms --wide "$program")

expect "position-independent executable" grep -q 'Type:.*DYN' <<<"$headers"
expect "PIE flag" grep -q 'FLAGS_1.*PIE' <<<"$headers"
expect "read-only relocations (RELRO)" grep -q 'GNU_RELRO' <<<"$headers"
expect "bound at start (BIND_NOW)" grep -Eq 'BIND_NOW|FLAGS.*NOW' <<<"$headers"
expect "no executable stack" grep -Eq 'GNU_STACK.* RW +0x' <<<"$headers"
expect "stack protector" grep -q '__stack_chk_fail' <<<"$symbols"
expect "fortified calls" grep -Eq '__[a-z0-9_]+_chk' <<<"$symbols"
echo "$failures failed"
[[ $failures -eq 0 ]]
