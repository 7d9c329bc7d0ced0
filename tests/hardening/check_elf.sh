#!/bin/bash
# Checks the installed Linux program with Debian's hardening-check:
# position-independent, stack protector, checked string and memory calls,
# relocations read-only and bound at start, stack clash protection and marked
# branch targets; and that its stack is not executable.
#
# Where hardening-check cannot see a protection because nothing in the program
# needs it, this proves that nothing does, and shows the protection on the
# probe instead: built with the same options, it does what the program never
# does.
#
# usage: check_elf.sh <build folder> <hardening_probe>
set -uo pipefail

source "$(dirname "$(realpath "$0")")/../desktop.sh"

build=$1
probe=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
program=$prefix/bin/quenlor

# One line of a hardening-check report: verdict <report> <property>
verdict() { sed -n "s/^ $2: //p" <<<"$1"; }
says() { [[ $(verdict "$1" "$2") == $3 ]]; }

report=$(hardening-check --verbose "$program")
probe_report=$(hardening-check "$probe")
echo "$report"
disassembly=$(objdump -d --no-show-raw-insn -M intel "$program")

for property in "Position Independent Executable" "Stack protected" "Read-only relocations" \
    "Immediate binding"; do
    expect "$property" says "$report" "$property" "yes*"
done
expect "no executable stack" grep -Eq 'GNU_STACK.* RW +0x' < <(readelf -lW "$program")

# Checked calls. The C++ library's string and vector copies call the compiler's
# own memcpy and memmove, which the checked versions never stand in for, and
# the C library's checked wrappers (bits/*2.h) call the plain function where
# the compiler proved the length safe (poll on one descriptor); any other call
# of an unchecked function could have been checked.
uncheckable_calls_only() {
    local names sites outside
    names=$(sed -n 's/^\tunprotected: //p' <<<"$report" | paste -sd'|')
    sites=$(grep -E "call +[0-9a-f]+ <($names)@plt>" <<<"$disassembly" | cut -d: -f1)
    [[ -n $sites ]] || return 1
    # addr2line -i names the innermost inlined source line first.
    outside=$(addr2line -a -i -e "$program" $sites | awk '/^0x/ { getline; print }' |
        grep -v -e '^/usr/include/c++/' -e '^/usr/include/[a-z0-9_-]*/bits/[a-z]*2\.h:')
    [[ -z $outside ]] || { echo "$outside"; return 1; }
    echo "     $(wc -w <<<"$sites") calls of ${names//|/, }, all inside the C++ library's copies or the C library's checked wrappers"
}
case $(verdict "$report" "Fortify Source functions") in
yes*) expect "checked calls" true ;;
"unknown, no protectable libc functions used") expect "checked calls: none to check" true ;;
"no, only unprotected functions found!")
    expect "checked calls: none of the program's calls can be checked" uncheckable_calls_only ;;
*) expect "checked calls" false ;;
esac
expect "checked calls in the probe" says "$probe_report" "Fortify Source functions" "yes*"
expect "the probe's write past a buffer sized at run time is caught" \
    grep -q 'buffer overflow detected' < <("$probe" run-time-size 2>&1)

# Stack clash: probes are needed only where a frame can reach past a page.
no_frame_needs_probes() {
    local largest
    grep -Eq 'sub +rsp,r[a-z0-9]+$' <<<"$disassembly" && return 1 # a frame sized at run time
    largest=$(grep -Eo 'sub +rsp,0x[0-9a-f]+$' <<<"$disassembly" | sed 's/.*,//' |
        while read -r size; do echo $((size)); done | sort -n | tail -1)
    echo "     no frame sized at run time; the largest is ${largest:-0} bytes"
    ((${largest:-0} < 4096))
}
if says "$report" "Stack clash protection" "yes"; then
    expect "stack clash protection" true
else
    expect "stack clash protection: no frame that needs it" no_frame_needs_probes
fi
expect "stack clash protection in the probe" says "$probe_report" "Stack clash protection" "yes"

# Marked branch targets: the link keeps the mark only if every input has it.
every_object_marked() {
    local unmarked=0 object
    while read -r object; do
        readelf -n "$object" | grep -q 'x86 feature: IBT, SHSTK' && continue
        echo "     unmarked: $object"
        unmarked=1
    done < <(find "$build" -path '*/CMakeFiles/*.dir/*' -name '*.o')
    return $unmarked
}
start_files_unmarked() {
    local compiler file
    compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
    for file in Scrt1.o crti.o crtn.o; do
        readelf -n "$("$compiler" -print-file-name=$file)" | grep -q 'x86 feature: IBT' && return 1
    done
    echo "     the C library's start files (Scrt1.o, crti.o, crtn.o) carry no mark"
}
if says "$report" "Control flow integrity" "yes"; then
    expect "marked branch targets" true
else
    expect "marked branch targets in every object built" every_object_marked
    expect "the mark is lost to the C library's start files alone" start_files_unmarked
fi

checks_done
