"""The window as the form defines it, in pixels at 96 dpi, from the file the
build writes (window_layout.json, by tests/window_layout.cpp): its caption,
its client area and colour, and each control's kind, place, colour and text,
by name (Label1, Option1(0), ...) in tab order."""

import json


def colour(text):
    """(r, g, b) of a colour written #RRGGBB."""
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


class Layout:
    def __init__(self, path):
        with open(path, encoding="utf-8") as file:
            data = json.load(file)
        self.caption = data["caption"]
        self.client = tuple(data["client"])
        self.colour = colour(data["colour"])
        self.controls = data["controls"]
        self.places = {name: tuple(c["place"]) for name, c in self.controls.items()}

    def named(self, kind):
        """The names of the controls of a kind, in tab order."""
        return [name for name, c in self.controls.items() if c["kind"] == kind]

    def array(self, name):
        """The names of the members of a control array, in order."""
        return [n for n in self.controls if n.startswith(name + "(")]

    def text(self, name):
        return self.controls[name]["text"]

    def middle(self, name):
        left, top, width, height = self.places[name]
        return left + width // 2, top + height // 2

    def inside(self, name, dx, dy):
        """A point at dx, dy from the control's top left corner, or from its
        right end where dx is negative."""
        left, top, width, _ = self.places[name]
        return (left + width + dx if dx < 0 else left + dx), top + dy

    def back_colour(self, name):
        """The colour the control is drawn in: its own, or else the form's."""
        own = self.controls[name]["colour"]
        return colour(own) if own else self.colour
