#!/usr/bin/python3
"""How readable the window's captions are, measured from a picture of it:
the contrast ratio (WCAG 2) of each caption's text against the background it
is drawn on. A caption's background is the commonest colour in its area and
its text the colour in that area that stands out most from it, so that a
caption that cannot be seen measures 1:1.

usage: contrast.py [--form RRGGBB] [--dark] <picture> <control>...
  The picture is of the window: its client area alone, or with a frame
  around it as wide at the sides as at the bottom. Prints each control's
  figure and exits 1 when any is under 4.5:1. A control is Label1, Text1,
  Option1(0), Command1(1), Check2(6) and so on.
  --form: the colour the form's background must have, and --dark: the text
  box must be dark with light text; both show that the theme took effect."""

import argparse
from collections import Counter

from PIL import Image

MINIMUM = 4.5  # AA for text under 18 points
CLIENT_SIZE = (470, 357)

# Each control's place in the client area at 96 dpi: left, top, width, height.
PLACES = {"Label1": (64, 0, 305, 25), "Text1": (8, 232, 449, 121),
          "Option1(0)": (24, 32, 121, 19), "Option1(1)": (216, 32, 121, 19),
          "Command1(0)": (384, 40, 81, 25), "Command1(1)": (384, 152, 81, 25)}
for i in range(6):
    PLACES[f"Check1({i})"] = (24, 64 + 24 * i, 169, 19)
for i in range(7):
    PLACES[f"Check2({i})"] = (216, 64 + 24 * i, 161, 19)


def caption_area(name):
    """Where a control's caption or text lies: clear of an option button's or
    check box's mark, of a button's edge and of a text box's frame and
    scroll bar."""
    left, top, width, height = PLACES[name]
    if name.startswith(("Option", "Check")):
        return left + 20, top, width - 20, height
    if name.startswith("Command"):
        return left + 5, top + 5, width - 10, height - 10
    if name.startswith("Text"):
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


def measure(picture, name, origin=(0, 0)):
    """The caption's contrast ratio, its text colour and its background."""
    left, top, width, height = caption_area(name)
    x0, y0 = origin[0] + left, origin[1] + top
    pixels = Counter(picture.getpixel((x, y))[:3]
                     for x in range(x0, x0 + width) for y in range(y0, y0 + height))
    background = pixels.most_common(1)[0][0]
    text = max(pixels, key=lambda colour: ratio(colour, background))
    return ratio(text, background), text, background


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def check(picture, names, origin=(0, 0)):
    """Prints each control's figure; returns those under the minimum."""
    failing = []
    for name in names:
        value, text, background = measure(picture, name, origin)
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
    parser.add_argument("picture")
    parser.add_argument("controls", nargs="+")
    arguments = parser.parse_args()
    picture = Image.open(arguments.picture).convert("RGB")
    side = (picture.width - CLIENT_SIZE[0]) // 2
    origin = (side, picture.height - CLIENT_SIZE[1] - side)
    failing = check(picture, arguments.controls, origin)
    if arguments.form:
        form = picture.getpixel((origin[0] + 463, origin[1] + 200))
        if hex_colour(form) != "#" + arguments.form.lower():
            print(f"FAIL the form is {hex_colour(form)}, not #{arguments.form.lower()}")
            failing.append("form")
    if arguments.dark:
        _, text, background = measure(picture, "Text1", origin)
        if luminance(background) >= luminance(text):
            print(f"FAIL the text box is not dark: {hex_colour(text)} on {hex_colour(background)}")
            failing.append("dark")
    raise SystemExit(1 if failing else 0)


if __name__ == "__main__":
    main()
