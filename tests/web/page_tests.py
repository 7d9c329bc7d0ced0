#!/usr/bin/python3
"""The program's page as a person uses it, in one browser engine: clicks at
the controls' places and keys through the browser's input, the text read
back, colours sampled from screenshots; and what the browser's
accessibility tree tells a screen reader. The same checks for every engine
(browser.py); where an engine gives automation no way to a step, the check
says so and is left out for it.

usage: page_tests.py <page folder> <window layout> <engine> <scale> <case>...
  The window layout is the build's window_layout.json: the controls' places
  in CSS pixels, their colours and captions, as the form defines them."""

import os
import sys

from browser import launch
from page_server import Server

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), ".."))
from checks import expect as check, failures  # noqa: E402
from window_layout import Layout  # noqa: E402

# The text box's lines are 19 px apart, as the desktop window draws them; the
# dot of the ':' or ';' that ends every line of the summary tops its first
# line 10 px below the box's top.
LINE_HEIGHT, FIRST_DOT = 19, 10
# Where the ink of the statement's first lines ends, as Chromium draws them:
# another engine's glyphs make a line up to 5 px longer or shorter, a line
# wrapped at another place moves its end by a word.
STATEMENT_ENDS = [389, 292, 391, 347, 281, 116]



def skip(what, why):
    print(f"skip {what}: {why}", flush=True)


class Page:
    def __init__(self, browser, scale, layout):
        self.browser, self.scale, self.layout = browser, scale, layout
        self.places = layout.places
        # The titles of each kind, in order.
        self.bad = [layout.text(name) for name in layout.array("Check1")]
        self.good = [layout.text(name) for name in layout.array("Check2")]

    def click(self, name):
        self.browser.click(*self.layout.middle(name))

    def text(self):
        return self.browser.evaluate("document.querySelector('textarea').value")

    def focused(self):
        return self.browser.evaluate(
            "(function(e) { return e.closest('label, button, textarea, h1').textContent"
            " || e.getAttribute('aria-label'); })(document.activeElement)")

    def colour(self, x, y):
        return self.browser.screenshot().getpixel((x * self.scale, y * self.scale))

    def colours(self, points):
        shot = self.browser.screenshot()
        return [shot.getpixel((x * self.scale, y * self.scale)) for x, y in points]

    def title_colours(self, names):
        """The colour at each title's right end, clear of its text: its own
        where it is shown, the form's where it is hidden."""
        return self.colours([self.layout.inside(name, -3, 16) for name in names])

    def text_lines(self):
        """The lines drawn in the text box, from a screenshot: for each, where
        its ink ends on the right and the top of its last glyph, in CSS pixels
        of the window."""
        shot, s = self.browser.screenshot().convert("L"), self.scale
        left, top, width, height = self.places["Text1"]
        xs = range((left + 2) * s, (left + width - 20) * s)
        rows = [y for y in range((top + 2) * s, (top + height - 2) * s)
                if any(shot.getpixel((x, y)) < 128 for x in xs)]
        bands = []
        for y in rows:
            if bands and y == bands[-1][-1] + 1:
                bands[-1].append(y)
            else:
                bands.append([y])
        lines = []
        for band in (b for b in bands if len(b) >= 5 * s):  # not a line cut off at the bottom
            end = max(x for x in xs for y in band if shot.getpixel((x, y)) < 128)
            last = min(y for y in band for x in range(end - 2 * s, end + 1)
                       if shot.getpixel((x, y)) < 128)
            lines.append((end / s, last / s))
        return lines

    # The control whose element is at the middle of name's place, and where
    # that element is and how big, in the window.
    def place(self, name):
        left, top, width, height = self.places[name]
        return self.browser.evaluate(
            f"(function() {{ var w = document.querySelector('.quenlor-window');"
            f" var o = w.getBoundingClientRect();"
            f" var e = document.elementFromPoint(o.left + {left + width / 2}, o.top + {top + height / 2})"
            f".closest('.quenlor-window > *').getBoundingClientRect();"
            f" return [e.left - o.left, e.top - o.top, e.width, e.height]; }})()")


def start_and_tab_order(page):
    b, layout = page.browser, page.layout
    check(b.evaluate("document.title") == layout.caption, "title is the caption")
    check(b.evaluate("document.querySelector('link[rel=icon]').href.endsWith('icon.png')"),
          "the page has the program's icon")
    check(page.text().startswith("Да се създаде проект"), "the text box shows the exercise")
    check(b.evaluate("document.activeElement.tagName") == "TEXTAREA", "focus in the text box")
    # WebKitGTK 2.54 (Debian 13) gives the family name without its quotes.
    family = b.evaluate("getComputedStyle(document.querySelector('main')).fontFamily")
    check(family.strip('"') == "Times New Roman"
          and b.evaluate("document.fonts.check('16px \"Times New Roman\"')"),
          f"the form's font is loaded (the family {family})")
    def sample(name, dx, dy):
        return layout.inside(name, dx, dy), layout.back_colour(name)
    samples = {"form": ((layout.client[0] - 7, 200), layout.colour),
               "heading": sample("Label1", 2, 12),
               "bad news option": sample("Option1(0)", -3, 16),
               "good news option": sample("Option1(1)", -3, 16),
               "Изведи": sample("Command1(0)", 5, 5), "Изтрий": sample("Command1(1)", 5, 5),
               "text box": (layout.inside("Text1", 3, 3), (255, 255, 255)),
               "no titles shown": (layout.inside("Check1(0)", -3, 16), layout.colour)}
    got = page.colours([point for point, _ in samples.values()])
    for (name, (_, want)), colour in zip(samples.items(), got):
        check(colour == want, f"{name} is {want}: {colour}")
    for name in (n for n in layout.controls if layout.controls[n]["kind"] != "check"):
        place = page.places[name]
        check(page.place(name) == list(place), f"{name} at {place}: {page.place(name)}")
    order = []
    for _ in range(5):
        b.key("Tab")
        order.append(page.focused())
    check(order == ["Лоша новина", "Добра новина", "Изведи", "Изтрий",
                    "Условие на задачата и изведеният избор"], f"tab order {order}")
    b.key("Tab", shift=True)
    check(page.focused() == "Изтрий", "Shift+Tab goes back")
    before = page.text()
    b.key("Enter")
    b.key("Escape")
    b.key("Tab", shift=True)
    b.key("Enter")
    check(page.text() == before, "Enter and Escape on a button press nothing")
    b.key(" ")
    check(page.text() == "Вие избрахте: Лоша новина:\nДобра новина:\n", "Space presses Изведи")
    # The text can be selected and copied: Ctrl+A in the box selects it all,
    # Ctrl+C copies it.
    page.click("Text1")
    b.key("a", control=True)
    check(b.evaluate("(function(t) { return t.value.substring(t.selectionStart, t.selectionEnd); })"
                     "(document.querySelector('textarea'))") == page.text(),
          "Ctrl+A selects the whole text")
    b.key("c", control=True)
    copied = b.clipboard()
    if copied is None:
        skip("Ctrl+C copies the text", f"{b.engine} lets automation read no clipboard")
    else:
        check(copied == page.text(), f"Ctrl+C copies the text: {copied!r}")
    b.key("x")
    check(page.text() == "Вие избрахте: Лоша новина:\nДобра новина:\n", "typing changes nothing")


def summary_and_clearing(page):
    b = page.browser
    page.click("Option1(0)")
    page.click("Check1(1)")
    page.click("Check1(3)")
    checked = [b.evaluate(f"document.querySelectorAll('input[type=checkbox]')[{i}].checked")
               for i in range(6)]
    check(checked == [False, True, False, True, False, False], f"ticks {checked}")
    bad, good = page.layout.array("Check1"), page.layout.array("Check2")
    for name in bad:
        check(page.place(name) == list(page.places[name]), f"{name} placed")
    check(page.title_colours(bad) == [page.layout.back_colour(n) for n in bad],
          "bad news titles shown")
    page.click("Command1(0)")
    check(page.text() == "Вие избрахте: Лоша новина:\nУволнение;\nЛоша оценка;\nДобра новина:\n",
          "Изведи writes the summary")
    page.click("Option1(1)")
    check(page.title_colours(good + bad)
          == [page.layout.back_colour(n) for n in good] + [page.layout.colour] * len(bad),
          "good news titles shown, bad ones hidden")
    for name in good:
        check(page.place(name) == list(page.places[name]), f"{name} placed")
    page.click("Check2(6)")
    page.click("Command1(0)")
    check(page.text() == "Вие избрахте: Лоша новина:\nУволнение;\nЛоша оценка;\nДобра новина:\n"
          "Друга добра;\n", "hidden ticks stay in the summary")
    page.click("Command1(1)")
    check(page.text() == "Направете своя избор!\n", "Изтрий writes the prompt")
    check(b.evaluate("[...document.querySelectorAll('input[type=checkbox]')].some(c => c.checked)")
          is False, "Изтрий clears every tick")
    check(b.evaluate("document.querySelectorAll('input[type=radio]')[1].checked") is True,
          "the kind stays chosen")


def hidden_boxes(page):
    b = page.browser
    page.click("Option1(0)")
    page.click("Check1(0)")
    page.click("Option1(1)")
    page.click("Check1(0)")  # no box is there now: the click falls on the form
    page.click("Option1(0)")
    check(b.evaluate("document.querySelectorAll('input[type=checkbox]')[0].checked") is True,
          "a hidden box keeps its tick and takes no click")
    # Arrow keys move between the option buttons and choose.
    b.key("ArrowRight")
    chosen = b.evaluate("document.querySelectorAll('input[type=radio]')[1].checked")
    colour = page.title_colours(["Check2(0)"])[0]
    check(chosen is True and colour == page.layout.back_colour("Check2(0)"),
          f"an arrow chooses the other kind: {chosen}, {colour}")


def text_box_lines(page):
    """The text box's lines at the same places in every engine: the statement
    wrapped alike, the summary's lines 19 px apart from the same first one."""
    ends = [end for end, _ in page.text_lines()]
    check(len(ends) >= len(STATEMENT_ENDS) and all(
        abs(end - want) <= 8 for end, want in zip(ends, STATEMENT_ENDS)),
        f"the statement's lines end at {STATEMENT_ENDS}: {ends}")
    for option, boxes in (("Option1(0)", "Check1"), ("Option1(1)", "Check2")):
        page.click(option)
        for name in page.layout.array(boxes):
            page.click(name)
    page.click("Command1(0)")
    dots = [dot for _, dot in page.text_lines()]
    top = page.places["Text1"][1]
    want = [top + FIRST_DOT + LINE_HEIGHT * i for i in range(len(dots))]
    check(len(dots) == 6 and all(abs(dot - w) <= 1 for dot, w in zip(dots, want)),
          f"the summary's lines at {want}, to a pixel: {dots}")
    # All of it, beyond the lines shown: its 16 lines between the box's padding.
    height = page.browser.evaluate("document.querySelector('textarea').scrollHeight")
    check(height == 2 + 16 * LINE_HEIGHT, f"the summary is {2 + 16 * LINE_HEIGHT} px high: {height}")


def accessibility_tree(page):
    b = page.browser
    want = [("heading", "Избор на тип и вид новина"), ("radio", "Лоша новина"),
            ("radio", "Добра новина"), ("button", "Изведи"), ("button", "Изтрий"),
            ("textbox", "Условие на задачата и изведеният избор"),
            ("main", "Избор на тип и вид новина")]
    for role, name in want:
        check(b.accessible(role, name), f"{role} named {name!r}")
    if b.engine == "chromium":
        text_box = next(n for n in b.send("Accessibility.getFullAXTree")["nodes"]
                        if n.get("role", {}).get("value") == "textbox")
        states = {p["name"]: p["value"].get("value") for p in text_box.get("properties", [])}
        check(states.get("readonly") is True and states.get("multiline") is True,
              f"the text box is read-only and multi-line: {states}")
    else:
        skip("the text box is read-only and multi-line",
             f"WebDriver gives {b.engine}'s roles and names alone")
    hidden = [name for name in page.bad + page.good if b.accessible("checkbox", name)]
    check(not hidden, f"hidden boxes are not in the tree: {hidden}")
    page.click("Option1(1)")
    boxes = [name for name in page.bad + page.good if b.accessible("checkbox", name)]
    check(boxes == page.good, f"the good news titles are check boxes: {boxes}")


def spoken_results_and_option_group(page):
    """The option buttons are one radio group named by the heading, and what a
    command writes reaches the polite live region, the focus left on it."""
    b = page.browser

    def tree():
        nodes = b.send("Accessibility.getFullAXTree")["nodes"]
        return {n["nodeId"]: n for n in nodes}, nodes

    def properties(node):
        return {p["name"]: p["value"].get("value") for p in node.get("properties", [])}

    def role(node):
        return node.get("role", {}).get("value")

    def said(by_id, node):
        if role(node) == "StaticText":
            return node.get("name", {}).get("value", "")
        return "".join(said(by_id, by_id[c]) for c in node.get("childIds", []) if c in by_id)

    by_id, nodes = tree()
    groups = [n for n in nodes if role(n) == "radiogroup"]
    group_names = [g.get("name", {}).get("value") for g in groups]
    check(group_names == ["Избор на тип и вид новина"],
          f"one radio group, named by the heading: {group_names}")
    members = [by_id[c] for g in groups for c in g.get("childIds", []) if c in by_id]
    # The protocol's tree leaves out each option's place ("1 of 2"), which
    # browsers count among the radio inputs of one name.
    names = b.evaluate("[...document.querySelectorAll('input[type=radio]')].map(r => r.name)")
    check(len(names) == 2 and len(set(names)) == 1 and names[0], f"the options share a name: {names}")
    check(sorted(m.get("name", {}).get("value") for m in members if role(m) == "radio")
          == ["Добра новина", "Лоша новина"], "the group holds both options")

    live = [n for n in nodes if properties(n).get("live") == "polite" and not n.get("ignored")]
    check(len(live) == 1 and said(by_id, live[0]) == "", "one polite live region, silent at start")
    page.click("Option1(0)")
    page.click("Check1(1)")
    page.click("Command1(0)")
    summary = "Вие избрахте: Лоша новина:\nУволнение;\nДобра новина:\n"
    by_id, nodes = tree()
    live = [n for n in nodes if properties(n).get("live") == "polite" and not n.get("ignored")]
    heard = said(by_id, live[0]) if live else None
    check(heard == summary, f"after Изведи the live region holds the summary: {heard!r}")
    check(page.focused() == "Изведи", "the focus stays on Изведи")
    check(page.text() == summary, "the text box shows the summary")


def main():
    folder, layout = sys.argv[1], Layout(sys.argv[2])
    engine, scale, cases = sys.argv[3], int(sys.argv[4]), sys.argv[5:]
    server = Server(folder)
    browser = launch(engine, width=layout.client[0], height=layout.client[1], scale=scale)
    try:
        for case in cases:
            print(f"-- {case}", flush=True)
            browser.open(server.url)
            globals()[case](Page(browser, scale, layout))
        errors = browser.errors()
        check(not errors, f"nothing on the console: {errors}")
    finally:
        browser.close()
        server.close()
    print(f"{engine} at scale {scale}: {'FAILED' if failures else 'passed'}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
