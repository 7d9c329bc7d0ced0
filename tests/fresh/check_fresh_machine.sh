#!/bin/bash
# The README's two commands as a newcomer meets them: on a pristine Debian
# root of the release named (bookworm: Debian 12, trixie: Debian 13), made
# here with mmdebstrap from the same package archive as this machine's apt
# (its Debian sources with the suite changed), a user with sudo clones the
# project and runs `scripts/run`,
# which must bring up the window (its caption on the virtual display it
# offers over VNC; a screenshot is kept), then `scripts/test`, which must
# pass. Each is timed.
#
# The root runs in a mount and process namespace of its own: every mount is
# made and removed here, and nothing started in the root outlives the check.
# Needs root (through sudo otherwise); the root, logs and screenshot are left
# in the work folder. It tries the project's last commit, not uncommitted work.
#
# usage: check_fresh_machine.sh <source folder> <work folder> <suite> [run]
#   run: stop after scripts/run
set -euo pipefail
if [[ $# -lt 3 || $# -gt 4 ]]; then
    echo "usage: $0 <source folder> <work folder> <suite> [run]" >&2
    exit 2
fi
[[ $(id -u) -eq 0 ]] || exec sudo "$0" "$@"
source_dir=$(realpath "$1")
work=$(realpath -m "$2")
suite=$3
only=${4:-}
root=$work/root
user=newcomer
caption='^www\.quenlor\.example Quenlor$'
source "$(dirname "$(realpath "$0")")/../wait_for.sh"

if [[ ${QUENLOR_FRESH_NAMESPACE:-} != "$work" ]]; then
    if [[ -d $work ]]; then
        # Left from an earlier check: nothing may still be mounted in it.
        if findmnt -rno TARGET | grep -q "^$work/"; then
            echo "FAIL something is still mounted under $work"
            exit 1
        fi
        rm -rf --one-file-system "$work"
    fi
    mkdir -p "$work"
    # The machine's own archive: the entries of its sources for its own
    # release (the suite, -updates and -security), with the suite changed to
    # the one asked for; other vendors' repositories are left out. And its apt
    # settings for fetching (proxies, validity), which the root keeps.
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -f $file ]] || continue
        awk -v from="$codename" -v to="$suite" '
            /^[[:space:]]*deb(-src)?[[:space:]]/ {
                field = 2
                if ($field ~ /^\[/) { while ($field !~ /\]$/) field++; field++ }
                if ($(field + 1) == from || index($(field + 1), from "-") == 1) {
                    sub(from, to, $(field + 1))
                    print
                }
            }' "$file"
    done >"$work/debian.list"
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -f $file ]] || continue
        awk -v from="$codename" -v to="$suite" '
            BEGIN { RS = "" }
            {
                lines = split($0, line, "\n")
                kept = 0
                stanza = ""
                for (at = 1; at <= lines; at++) {
                    if (line[at] ~ /^Suites:/) {
                        words = split(substr(line[at], 8), word, " ")
                        line[at] = "Suites:"
                        for (each = 1; each <= words; each++) {
                            if (word[each] == from || index(word[each], from "-") == 1) {
                                sub(from, to, word[each])
                                kept = 1
                            }
                            line[at] = line[at] " " word[each]
                        }
                    }
                    stanza = stanza line[at] "\n"
                }
                if (kept) print stanza
            }' "$file"
    done >"$work/debian.sources"
    sources=()
    for file in "$work/debian.list" "$work/debian.sources"; do
        [[ -s $file ]] && sources+=("$file")
    done
    if [[ ${#sources[@]} -eq 0 ]]; then
        echo "FAIL no source of this machine's apt is for its release, $codename"
        exit 1
    fi
    options=()
    for file in /etc/apt/apt.conf.d/*; do
        grep -q '^[[:space:]]*Acquire' "$file" && options+=("--aptopt=$file")
    done
    started=$(date +%s)
    mmdebstrap --quiet --variant=minbase --include=git,ca-certificates,sudo "${options[@]}" \
        "$suite" "$root" "${sources[@]}"
    echo "the pristine $suite root made in $(($(date +%s) - started)) s"
    # What a machine on a network has, and its user with sudo.
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    printf '127.0.0.1 localhost\n127.0.1.1 %s\n::1 localhost\n' "$(hostname)" >"$root/etc/hosts"
    chroot "$root" useradd --create-home --shell /bin/bash "$user"
    echo "$user ALL=(ALL:ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/$user"
    git clone --quiet "$source_dir" "$root/home/$user/quenlor"
    chroot "$root" chown -R "$user:$user" "/home/$user/quenlor"
    echo "the project at $(git -C "$source_dir" rev-parse --short HEAD), cloned for $user"
    # The rest in namespaces of its own: their mounts and processes end with it.
    QUENLOR_FRESH_NAMESPACE=$work exec unshare --mount --propagation private --pid --fork \
        --mount-proc --kill-child "$0" "$@"
fi

mounted=()
run_group=
cleanup() {
    [[ -n $run_group ]] && kill -- "-$run_group" 2>/dev/null
    local index
    for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
        umount "${mounted[index]}" || umount --lazy "${mounted[index]}"
    done
}
trap cleanup EXIT
trap 'exit 1' INT TERM
# mount_in_root <where in the root> <mount's arguments>...
mount_in_root() {
    local target=$root$1
    shift
    mount "$@" "$target"
    mounted+=("$target")
}
mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs sysfs
mount_in_root /dev --bind /dev
mount_in_root /dev/pts -t devpts -o newinstance,ptmxmode=0666,gid=5,mode=620 devpts
mount_in_root /dev/shm -t tmpfs -o mode=1777 tmpfs

# A login of the newcomer's: a clean environment, no display, no session bus.
as_newcomer() {
    chroot "$root" runuser --login "$user" -c "cd ~/quenlor && $1"
}

started=$(date +%s)
setsid chroot "$root" runuser --login "$user" -c "cd ~/quenlor && scripts/run" >"$work/run.log" 2>&1 &
run_group=$!
# Installing and building on a pristine machine takes minutes: wait for the
# line that offers the window, or for the command to end.
port=
offered_or_ended() {
    port=$(grep -o 'VNC viewer at 127\.0\.0\.1:[0-9]*' "$work/run.log" | cut -d: -f2 || true)
    [[ -n $port ]] || ! kill -0 "$run_group" 2>/dev/null
}
wait_for 3600 "scripts/run to offer the window" offered_or_ended || true
offered=$(($(date +%s) - started))
if [[ -z $port ]]; then
    cat "$work/run.log"
    echo "FAIL scripts/run offered no window within $offered s"
    exit 1
fi
display=$(pgrep -a x11vnc | grep -o -- '-display :[0-9]*' | head -n1 | cut -d' ' -f2)
if [[ -z $display ]] ||
    ! window=$(DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --name "$caption"); then
    cat "$work/run.log"
    echo "FAIL scripts/run offered VNC at port $port, but no window with the caption is on its display"
    exit 1
fi
window=$(head -n1 <<<"$window")
import -display "$display" -window root "$work/run-window.png"
echo "ok   scripts/run: window $window on $display (VNC 127.0.0.1:$port) after $offered s; screenshot $work/run-window.png"
kill -- "-$run_group" 2>/dev/null
wait "$run_group" 2>/dev/null || true
run_group=
[[ $only == run ]] && exit 0

started=$(date +%s)
status=0
as_newcomer scripts/test >"$work/test.log" 2>&1 || status=$?
took=$(($(date +%s) - started))
if [[ $status -ne 0 ]]; then
    tail -n 60 "$work/test.log"
    echo "FAIL scripts/test ended with status $status after $took s (the whole output: $work/test.log)"
    exit 1
fi
echo "ok   scripts/test passed in $took s"
