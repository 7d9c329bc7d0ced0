#!/usr/bin/python3
"""How readable the window's captions are, measured from a picture of it:
the contrast ratio (WCAG 2) of each caption's text against the background it
is drawn on. A caption's background is the commonest colour in its area and
its text the colour in that area that stands out most from it, so that a
caption that cannot be seen measures 1:1.

usage: contrast.py [--form RRGGBB] [--dark] [--at X,Y] <layout> <picture> <control>...
  The layout is the build's window_layout.json; the picture is of the
  window, its client area at X,Y (0,0 unless given). Prints each control's
  figure and exits 1 when any is under 4.5:1. A control is Label1, Text1,
  Option1(0), Command1(1), Check2(6) and so on.
  --form: the colour the form's background must have, and --dark: the text
  box must be dark with light text; both show that the theme took effect."""

import argparse
import os
import sys
from collections import Counter

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), ".."))
from window_layout import Layout  # noqa: E402

MINIMUM = 4.5  # AA for text under 18 points


def caption_area(layout, name):
    """Where a control's caption or text lies: clear of an option button's or
    check box's mark, of a button's edge and of a text box's frame and
    scroll bar."""
    left, top, width, height = layout.places[name]
    kind = layout.controls[name]["kind"]
    if kind in ("option", "check"):
        return left + 20, top, width - 20, height
    if kind == "command":
        return left + 5, top + 5, width - 10, height - 10
    if kind == "text":
        return left + 3, top + 3, width - 6 - 20, height - 6
    return left, top, width, height


def luminance(colour):
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in colour[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def ratio(first, second):
    light, dark = sorted((luminance(first), luminance(second)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def measure(picture, layout, name, origin=(0, 0)):
    """The caption's contrast ratio, its text colour and its background."""
    left, top, width, height = caption_area(layout, name)
    x0, y0 = origin[0] + left, origin[1] + top
    pixels = Counter(picture.getpixel((x, y))[:3]
                     for x in range(x0, x0 + width) for y in range(y0, y0 + height))
    background = pixels.most_common(1)[0][0]
    text = max(pixels, key=lambda colour: ratio(colour, background))
    return ratio(text, background), text, background


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def check(picture, layout, names, origin=(0, 0)):
    """Prints each control's figure; returns those under the minimum."""
    failing = []
    for name in names:
        value, text, background = measure(picture, layout, name, origin)
        good = value >= MINIMUM
        print(f"{'ok  ' if good else 'FAIL'} {name:12} {value:5.2f}:1  "
              f"{hex_colour(text)} on {hex_colour(background)}", flush=True)
        if not good:
            failing.append(name)
    return failing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--form")
    parser.add_argument("--dark", action="store_true")
    parser.add_argument("--at", default="0,0")
    parser.add_argument("layout")
    parser.add_argument("picture")
    parser.add_argument("controls", nargs="+")
    arguments = parser.parse_args()
    layout = Layout(arguments.layout)
    picture = Image.open(arguments.picture).convert("RGB")
    origin = tuple(int(n) for n in arguments.at.split(","))
    failing = check(picture, layout, arguments.controls, origin)
    if arguments.form:
        # A point of the form clear of every control, near its right edge.
        form = picture.getpixel((origin[0] + layout.client[0] - 7, origin[1] + 200))
        if hex_colour(form) != "#" + arguments.form.lower():
            print(f"FAIL the form is {hex_colour(form)}, not #{arguments.form.lower()}")
            failing.append("form")
    if arguments.dark:
        _, text, background = measure(picture, layout, "Text1", origin)
        if luminance(background) >= luminance(text):
            print(f"FAIL the text box is not dark: {hex_colour(text)} on {hex_colour(background)}")
            failing.append("dark")
    raise SystemExit(1 if failing else 0)


if __name__ == "__main__":
    main()
