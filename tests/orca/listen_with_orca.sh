#!/bin/bash
# Orca, the desktop's screen reader, listening to the installed Qt program or
# to the page in Chromium, in a desktop of the test's own: an X display, a
# session bus that starts services on demand (the accessibility bus,
# speech-dispatcher), HOME and runtime folder. Orca speaks through
# speech-dispatcher and espeak-ng; what it says is read from its debug log.
#
# usage: listen_with_orca.sh qt <program> <announced|silent>
#        listen_with_orca.sh page <page folder>
set -euo pipefail

what=$1
place=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
work=$(mktemp -d)
# Orca's whole log is kept where the test runs, as orca-qt.log or orca-page.log.
trap 'cp "$work/orca.log" "orca-$what.log" 2>/dev/null; end_private_desktop' EXIT

start_private_display 800x600 desktop
start_accessibility_bus

# This machine has no sound card: libao's null driver takes the sound, so
# that espeak-ng speaks each utterance to its end as it would aloud, and
# speech-dispatcher reports it done to Orca.
mkdir -p "$HOME/.config/speech-dispatcher"
printf 'AudioOutputMethod "libao"\nDefaultModule espeak-ng\n' >"$HOME/.config/speech-dispatcher/speechd.conf"
echo default_driver=null >"$HOME/.libao"

export LANG=C.UTF-8
/usr/bin/python3 "$here/orca_listening.py" "$work/orca.log" >"$work/orca.out" 2>&1 &
touch "$work/orca.log"

case $what in
qt)
    /usr/bin/python3 "$here/listen.py" "$work/orca.log" Quenlor "$3" "$place"
    ;;
page)
    # The page from a server of the test's own, in Chromium with a window,
    # which exposes its pages to the accessibility bus once it is enabled.
    /usr/bin/python3 -u -m http.server --bind 127.0.0.1 --directory "$place" 0 >"$work/server.log" 2>&1 &
    served() { grep -o 'port [0-9]*' "$work/server.log"; }
    wait_for 30 "the page's server" served || exit 1
    port=$(served | cut -d' ' -f2)
    # Chromium would offer to translate the Bulgarian page, in a bubble that
    # takes the focus now and then.
    mkdir -p "$work/profile/Default"
    echo '{"translate": {"enabled": false}}' >"$work/profile/Default/Preferences"
    # In the seconds after the page has loaded, Chromium tells the bus again
    # that it has (document:load-complete) as its own window changes: when it
    # finds the page installable and when it gives the tab the page's memory
    # use. Orca 43 drops the live regions' queued messages each time, so the
    # keys wait for the tab's memory use, after which such news is rare, as a
    # listener waits for a page to settle.
    /usr/bin/python3 "$here/listen.py" "$work/orca.log" Quenlor announced --settled "Memory usage" \
        /usr/bin/chromium --no-sandbox --disable-gpu --no-first-run --disable-sync \
        --disable-background-networking --disable-component-update --user-data-dir="$work/profile" \
        --window-size=600,500 "http://127.0.0.1:$port/"
    ;;
*) echo "usage: listen_with_orca.sh qt <program> <announced|silent> | page <page folder>" >&2; exit 2 ;;
esac
