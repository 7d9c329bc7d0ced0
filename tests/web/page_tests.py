#!/usr/bin/python3
"""The program's page in headless Chromium, as a person uses it: clicks at
the controls' places and keys through the browser's input, the text read
back, colours sampled from screenshots; and what the browser's
accessibility tree tells a screen reader.

usage: page_tests.py <page folder> <case> <scale>"""

import sys

from cdp import Browser, Server

# The controls' places in CSS pixels, as the window's definition gives them.
PLACES = {"Label1": (64, 0, 305, 25), "Text1": (8, 232, 449, 121),
          "Option1(0)": (24, 32, 121, 19), "Option1(1)": (216, 32, 121, 19),
          "Command1(0)": (384, 40, 81, 25), "Command1(1)": (384, 152, 81, 25)}
BAD = ["Раздяла", "Уволнение", "Забравен рожден ден", "Лоша оценка", "Лошо поведение",
       "Друга лоша"]
GOOD = ["Добро отношение", "Благоприятен изход", "Предстоящ празник", "Назначение",
        "Добра оценка", "Отстъпка/промоция", "Друга добра"]
for i in range(6):
    PLACES[f"Check1({i})"] = (24, 64 + 24 * i, 169, 19)
for i in range(7):
    PLACES[f"Check2({i})"] = (216, 64 + 24 * i, 161, 19)

LAVENDER, ORANGE, GREEN, RED = (192, 192, 255), (255, 128, 0), (0, 255, 0), (255, 0, 0)

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)


class Page:
    def __init__(self, browser, scale):
        self.browser, self.scale = browser, scale

    def click(self, name):
        left, top, width, height = PLACES[name]
        self.browser.click(left + width // 2, top + height // 2)

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


def tab(browser, back=False):
    browser.key("Tab", "Tab", 9, shift=back)


def start_and_tab_order(page):
    b = page.browser
    check(b.evaluate("document.title") == "www.quenlor.example Quenlor", "title is the caption")
    check(b.evaluate("document.querySelector('link[rel=icon]').href.endsWith('icon.png')"),
          "the page has the program's icon")
    check(page.text().startswith("Да се създаде проект"), "the text box shows the exercise")
    check(b.evaluate("document.activeElement.tagName") == "TEXTAREA", "focus in the text box")
    check(b.evaluate("getComputedStyle(document.querySelector('main')).fontFamily")
          == '"Times New Roman"' and b.evaluate("document.fonts.check('16px \"Times New Roman\"')"),
          "the form's font is loaded")
    samples = {"form": ((463, 200), LAVENDER), "heading": ((66, 12), (255, 192, 128)),
               "bad news option": ((142, 48), ORANGE), "good news option": ((334, 48), GREEN),
               "Изведи": ((389, 45), GREEN), "Изтрий": ((389, 157), RED),
               "text box": ((11, 235), (255, 255, 255)), "no titles shown": ((190, 80), LAVENDER)}
    got = page.colours([point for point, _ in samples.values()])
    for (name, (_, want)), colour in zip(samples.items(), got):
        check(colour == want, f"{name} is {want}: {colour}")
    order = []
    for _ in range(5):
        tab(b)
        order.append(page.focused())
    check(order == ["Лоша новина", "Добра новина", "Изведи", "Изтрий",
                    "Условие на задачата и изведеният избор"], f"tab order {order}")
    tab(b, back=True)
    check(page.focused() == "Изтрий", "Shift+Tab goes back")
    before = page.text()
    for key, code, number in (("Enter", "Enter", 13), ("Escape", "Escape", 27)):
        b.key(key, code, number, text="\r" if key == "Enter" else None)
    tab(b, back=True)
    b.key("Enter", "Enter", 13, text="\r")
    check(page.text() == before, "Enter and Escape on a button press nothing")
    b.key(" ", "Space", 32, text=" ")
    check(page.text() == "Вие избрахте: Лоша новина:\nДобра новина:\n", "Space presses Изведи")
    # The text can be selected and copied: Ctrl+A in the box selects it all.
    page.click("Text1")
    b.send("Input.dispatchKeyEvent", type="rawKeyDown", key="a", code="KeyA",
           windowsVirtualKeyCode=65, modifiers=2, commands=["selectAll"])
    check(b.evaluate("(function(t) { return t.value.substring(t.selectionStart, t.selectionEnd); })"
                     "(document.querySelector('textarea'))") == page.text(),
          "Ctrl+A selects the whole text")
    b.key("x", "KeyX", 88, text="x")
    check(page.text() == "Вие избрахте: Лоша новина:\nДобра новина:\n", "typing changes nothing")


def summary_and_clearing(page):
    b = page.browser
    page.click("Option1(0)")
    page.click("Check1(1)")
    page.click("Check1(3)")
    checked = [b.evaluate(f"document.querySelectorAll('input[type=checkbox]')[{i}].checked")
               for i in range(6)]
    check(checked == [False, True, False, True, False, False], f"ticks {checked}")
    check(page.colours([(190, 64 + 24 * i + 16) for i in range(6)]) == [ORANGE] * 6,
          "bad news titles shown")
    page.click("Command1(0)")
    check(page.text() == "Вие избрахте: Лоша новина:\nУволнение;\nЛоша оценка;\nДобра новина:\n",
          "Изведи writes the summary")
    page.click("Option1(1)")
    check(page.colours([(374, 64 + 24 * i + 16) for i in range(7)] + [(190, 80)])
          == [GREEN] * 7 + [LAVENDER], "good news titles shown, bad ones hidden")
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
    b.key("ArrowRight", "ArrowRight", 39)
    check(b.evaluate("document.querySelectorAll('input[type=radio]')[1].checked") is True
          and page.colour(374, 80) == GREEN, "an arrow chooses the other kind")


def accessibility_tree(page):
    nodes = page.browser.send("Accessibility.getFullAXTree")["nodes"]
    seen = {}
    for node in nodes:
        if node.get("ignored"):
            continue
        role = node.get("role", {}).get("value")
        name = node.get("name", {}).get("value", "")
        properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
        seen.setdefault((role, name), properties)
    want = [("heading", "Избор на тип и вид новина"), ("radio", "Лоша новина"),
            ("radio", "Добра новина"), ("button", "Изведи"), ("button", "Изтрий"),
            ("textbox", "Условие на задачата и изведеният избор"),
            ("main", "Избор на тип и вид новина")]
    for role, name in want:
        check((role, name) in seen, f"{role} named {name!r}")
    text_box = seen.get(("textbox", "Условие на задачата и изведеният избор"), {})
    check(text_box.get("readonly") is True and text_box.get("multiline") is True,
          f"the text box is read-only and multi-line: {text_box}")
    check(not any(role == "checkbox" for role, _ in seen), "hidden boxes are not in the tree")
    page.click("Option1(1)")
    nodes = page.browser.send("Accessibility.getFullAXTree")["nodes"]
    boxes = {n.get("name", {}).get("value") for n in nodes
             if n.get("role", {}).get("value") == "checkbox" and not n.get("ignored")}
    check(boxes == set(GOOD), f"the good news titles are check boxes: {sorted(boxes)}")


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
    folder, case, scale = sys.argv[1], sys.argv[2], int(sys.argv[3])
    server = Server(folder)
    browser = Browser(width=470, height=357, scale=scale)
    try:
        browser.open(server.url)
        globals()[case](Page(browser, scale))
        errors = [text for kind, text in browser.console if kind in ("error", "exception")]
        check(not errors, f"nothing on the console: {errors}")
    finally:
        browser.close()
        server.close()
    print(f"{case} at scale {scale}: {'FAILED' if failures else 'passed'}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
