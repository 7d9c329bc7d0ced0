#!/usr/bin/python3
"""Presses keys on a headless mutter through its remote-desktop interface on
the session bus, as a user's keyboard would: each argument is a chord such as
super+f, pressed and released in order.

usage: mutter_keys.py <chord>...
"""
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

KEYSYMS = {"super": 0xFFEB, "alt": 0xFFE9, "shift": 0xFFE1, "f": 0x66, "F4": 0xFFC1,
           "F10": 0xFFC7, "F11": 0xFFC8, "Up": 0xFF52}
SERVICE = "org.gnome.Mutter.RemoteDesktop"

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, interface, method, args=None):
    return bus.call_sync(SERVICE, path, interface, method, args, None,
                         Gio.DBusCallFlags.NONE, 5000, None)


# The session lives as long as this connection to the bus.
(session,) = call("/org/gnome/Mutter/RemoteDesktop", SERVICE, "CreateSession").unpack()
call(session, SERVICE + ".Session", "Start")
for chord in sys.argv[1:]:
    keys = [KEYSYMS[name] for name in chord.split("+")]
    for key, pressed in [(k, True) for k in keys] + [(k, False) for k in reversed(keys)]:
        call(session, SERVICE + ".Session", "NotifyKeyboardKeysym",
             GLib.Variant("(ub)", (key, pressed)))
call(session, SERVICE + ".Session", "Stop")
