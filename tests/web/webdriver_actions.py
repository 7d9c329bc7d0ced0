"""A click and a key press as WebDriver input actions, which classic
WebDriver (POST .../actions) and WebDriver BiDi (input.performActions) both
take."""

from browser import CONTROL, KEYS, SHIFT


def click(x, y):
    return [{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
             "actions": [{"type": "pointerMove", "x": int(x), "y": int(y), "origin": "viewport"},
                         {"type": "pointerDown", "button": 0},
                         {"type": "pointerUp", "button": 0}]}]


def key(name, shift=False, control=False):
    held = ([SHIFT] if shift else []) + ([CONTROL] if control else [])
    value = KEYS[name][2]
    steps = ([{"type": "keyDown", "value": k} for k in held]
             + [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]
             + [{"type": "keyUp", "value": k} for k in reversed(held)])
    return [{"type": "key", "id": "keyboard", "actions": steps}]
