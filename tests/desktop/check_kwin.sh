#!/bin/bash
# The installed program under KDE's KWin, natively on Wayland (kwin_wayland
# on a virtual screen) or on X11 (kwin_x11 in Xvfb): its size and one title
# bar; full screen and maximise, asked for by KWin itself (a script doing
# what its window menu does) and on X11 by another client, given back within
# a second at the same place and size; KWin names the desktop entry as the
# window's; closing by KWin ends it with status 0.
#
# usage: check_kwin.sh <build folder> <wayland|x11>
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../desktop.sh"
source "$here/compositor.sh"

# kwin_script <name> <JavaScript>: runs it inside KWin, with `window` set to
# the program's window; its print() lines reach KWin's log with "js: ".
kwin_script() {
    # KWin 6 lists its windows with windowList(); KWin 5 had clientList().
    cat >"$work/$1.js" <<JS
var windows = workspace.windowList ? workspace.windowList() : workspace.clientList();
for (var i = 0; i < windows.length; ++i) {
    var window = windows[i];
    if (window.resourceClass != "$desktop_id") continue;
    $2
}
JS
    dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript \
        string:"$work/$1.js" string:"quenlor-$1" >/dev/null &&
        dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start >/dev/null
}

# KWin's view of the window: "full=<bool> frame=X,Y WxH buffer=WxH file=<name>".
report='var f = window.frameGeometry, b = window.bufferGeometry;
    print("quenlor-$1 full=" + window.fullScreen + " frame=" + f.x + "," + f.y + " " + f.width + "x" + f.height +
        " buffer=" + b.width + "x" + b.height + " file=" + window.desktopFileName);'
# kwin_report <name>: sets seen to KWin's view, once the script has printed it.
kwin_report() {
    kwin_script "$1" "${report//\$1/$1}"
    must_see 5 "KWin reports on the window" grep -q "js: quenlor-$1 " "$work/kwin.log"
    seen=$(grep "js: quenlor-$1 " "$work/kwin.log" | tail -n1 | sed 's/.*js: quenlor-[a-z-]* //')
}
# What KWin's window menu does for Fullscreen, and for Maximise (which KWin
# offers only to a window that can change its size).
ask_full_screen_and_maximise='window.setMaximize(true, true); window.fullScreen = true;'

case $session in
wayland)
    # kwin_wayland carries a file capability (cap_sys_resource) that a
    # container may refuse to grant, and then it cannot be started at all: a
    # copy has none, and KWin runs without the higher limits it would raise.
    cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
    "$work/kwin_wayland" --virtual --no-lockscreen --no-global-shortcuts --socket quenlor \
        --width 1024 --height 768 >"$work/kwin.log" 2>&1 &
    compositor_pid=$!
    must_see 20 "kwin_wayland starts" test -S "$XDG_RUNTIME_DIR/quenlor"
    start_wayland_program quenlor
    must_see 20 "the window is shown" wayland_window_shown
    expect "app id is the desktop entry's" test "$(requests set_app_id)" = "set_app_id(\"$desktop_id\")"
    kwin_report before
    before=$seen
    # The window's own frame and title bar make a 472x383 surface; KWin adds none.
    expect "one title bar, the program's: KWin draws no frame ($before)" \
        bash -c "[[ '$before' == *' 472x383 buffer=472x383 '* ]]"
    from=$(($(wc -l <"$log") + 1))
    kwin_script ask "$ask_full_screen_and_maximise"
    wait_for 3 "the states given back" quietly wayland_states_given_back "$from" imposed
    expect "full screen and maximise asked by KWin, given back: $(wayland_states_given_back "$from" imposed)" \
        quietly wayland_states_given_back "$from" imposed
    kwin_report after
    expect "KWin holds it at the same place and size, not full screen ($seen)" test "$seen" = "$before"
    ;;
x11)
    start_private_display 1024x768
    kwin_x11 >"$work/kwin.log" 2>&1 &
    compositor_pid=$!
    must_see 20 "kwin_x11 manages the display" window_manager_running
    must_see 20 "KWin's scripting is on the bus" \
        quietly dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.freedesktop.DBus.Peer.Ping
    start_x11_program
    must_see 20 "the window is shown" find_x11_window
    check_x11_window
    kwin_report before
    before=$seen
    spy_on_state
    from=$(($(wc -l <"$work/states") + 1))
    kwin_script ask "$ask_full_screen_and_maximise print('quenlor-asked full=' + window.fullScreen + ' fullScreenable=' + window.fullScreenable);"
    must_see 5 "KWin runs the script" grep -q "js: quenlor-asked" "$work/kwin.log"
    # KWin 5 refuses full screen to a window of fixed size, KWin 6 sets it.
    # What KWin says it has set, it writes to the window a little later: the
    # window must have taken it, and given it back.
    asked=$(grep "js: quenlor-asked" "$work/kwin.log" | sed 's/.*js: quenlor-asked //')
    wanted=any
    [[ $asked == full=true* ]] && wanted=taken
    check_x11_given_back "full screen and maximise asked by KWin ($asked)" "$from" "$wanted"
    other_client_asks taken
    ;;
esac
expect "KWin's desktop-file name for the window is the desktop entry's ($before)" \
    bash -c "[[ '$before' == *' file=$desktop_id' ]]"
kwin_script close 'window.closeWindow();'
ended_by "closing by KWin"
finish
