#!/usr/bin/python3
"""Writes the page's files that the build makes from the program and Debian's
font, into the page's folder.

usage: page_files.py shells <parts.json> <page.html> <desktop entry> <out folder>
           the program's page shell (its window, description, manifest and
           service worker) and the plain one the test pages are built from,
           and the web app manifest
       page_files.py font <parts.json> <font.ttf> <licence> <out folder>
           the font with only the glyphs the window shows, as WOFF2, and its
           licence
       page_files.py service-worker <service-worker.js> <page folder> <file>...
           the service worker that keeps those files for use offline"""

import hashlib
import json
import sys
from pathlib import Path

FONT = "QuenlorSerif.woff2"
ICONS = [("icon-128.png", "128x128", "image/png"), ("icon-256.png", "256x256", "image/png"),
         ("icon.svg", "any", "image/svg+xml")]


def write(path, text):
    Path(path).write_text(text, encoding="utf-8")


def shells(parts_file, template_file, desktop_entry, out):
    parts = json.loads(Path(parts_file).read_text(encoding="utf-8"))
    template = Path(template_file).read_text(encoding="utf-8")
    description = next(line.split("=", 1)[1] for line in
                       Path(desktop_entry).read_text(encoding="utf-8").splitlines()
                       if line.startswith("Comment="))
    head = "\n".join([
        f'<meta name="description" content="{description}">',
        f'<meta name="theme-color" content="{parts["colour"]}">',
        '<link rel="manifest" href="quenlor.webmanifest">',
        '<link rel="apple-touch-icon" href="icon-256.png">'])
    html_caption = parts["caption"].replace("&", "&amp;").replace("<", "&lt;")
    program = (template.replace("@CAPTION@", html_caption).replace("@HEAD@", head)
               .replace("@WINDOW@", parts["window"]))
    plain = template.replace("@CAPTION@", "").replace("@HEAD@\n", "").replace("@WINDOW@\n", "")
    out = Path(out)
    write(out / "index_shell.html", program)
    write(out / "plain_shell.html", plain)
    manifest = {
        "name": parts["title"], "short_name": parts["title"], "description": description,
        "lang": "bg", "start_url": "./", "scope": "./", "display": "standalone",
        "background_color": parts["colour"], "theme_color": parts["colour"],
        "icons": [{"src": src, "sizes": sizes, "type": kind} for src, sizes, kind in ICONS]}
    write(out / "page" / "quenlor.webmanifest",
                     json.dumps(manifest, ensure_ascii=False, indent=1) + "\n")


def font(parts_file, ttf, licence, out):
    from fontTools import subset

    texts = json.loads(Path(parts_file).read_text(encoding="utf-8"))["texts"]
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]
    options.notdef_outline = True
    face = subset.load_font(ttf, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(set(texts) - {"\r", "\n"})))
    subsetter.subset(face)
    # Liberation is a Reserved Font Name: a changed font may not be called by
    # it, nor by Tinos, the other name the licence reserves.
    # The records that name the font: family, unique id, full name, PostScript
    # name, version, typographic and WWS family and subfamily.
    for record in face["name"].names:
        if record.nameID not in (1, 3, 4, 5, 6, 16, 17, 18, 21, 22, 25):
            continue
        text = record.toUnicode()
        renamed = (text.replace("Liberation Serif", "Quenlor Serif")
                   .replace("LiberationSerif", "QuenlorSerif"))
        if record.nameID == 5:
            renamed += "; the glyphs of Quenlor's window"
        assert "Liberation" not in renamed and "Tinos" not in renamed, renamed
        record.string = renamed
    out = Path(out)
    subset.save_font(face, str(out / FONT), options)
    # The licence is /usr/share/doc/<the package that holds the font>/copyright.
    package = Path(licence).parent.name
    notice = ("QuenlorSerif.woff2 is a modified version of Liberation Serif Regular from\n"
              f"Debian's {package}: it keeps only the glyphs that Quenlor's window\n"
              "shows, and is renamed, as the licence below requires of a modified version\n"
              "(Reserved Font Names). It is under the same licence.\n\n")
    write(out / "QuenlorSerif-LICENSE.txt",
                     notice + Path(licence).read_text(encoding="utf-8"))


def service_worker(template_file, folder, files):
    """The worker keeps the page's files in a cache named for their content."""
    folder = Path(folder)
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + (folder / name).read_bytes())
    kept = ["./" if name == "index.html" else name for name in files]
    script = (Path(template_file).read_text(encoding="utf-8")
              .replace('"quenlor-@DIGEST@"', json.dumps("quenlor-" + digest.hexdigest()[:16]))
              .replace('["@FILES@"]', json.dumps(kept)))
    assert "@" not in script, "a mark of the worker's template is left"
    write(folder / "service-worker.js", script)


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "shells":
        shells(*args)
    elif command == "font":
        font(*args)
    elif command == "service-worker":
        service_worker(args[0], args[1], args[2:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
