#!/usr/bin/env python3
"""Checks the documentation.

    docsTest.py figures   every SVG under docs/ and bench/ is an SVG a browser
                          can size, and docs/figures/draw.py draws the
                          committed figures byte for byte
    docsTest.py links     every chapter is linked from the README
    docsTest.py render    every page rendered by cmark-gfm keeps each generated
                          figure inside the sentence around it, and each
                          relative link or image leads to a file (and to a
                          heading of it, for a link with #)
"""
import html.parser
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

ROOT = pathlib.Path(__file__).resolve().parent.parent


def figures():
    failures = []
    for svg in sorted(list((ROOT / "docs").rglob("*.svg")) + list((ROOT / "bench").glob("*.svg"))):
        try:
            root = ElementTree.parse(svg).getroot()
        except ElementTree.ParseError as error:
            failures.append(f"{svg}: {error}")
            continue
        if root.tag != "{http://www.w3.org/2000/svg}svg":
            failures.append(f"{svg}: the root is {root.tag}, not an svg element of the SVG namespace")
        elif not root.get("viewBox") and not (root.get("width") and root.get("height")):
            failures.append(f"{svg}: neither a viewBox nor a width and height")
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([sys.executable, ROOT / "docs" / "figures" / "draw.py", folder], check=True)
        for drawn in sorted(pathlib.Path(folder).iterdir()):
            committed = ROOT / "docs" / "figures" / drawn.name
            if not committed.exists() or committed.read_bytes() != drawn.read_bytes():
                failures.append(f"{committed}: not what draw.py draws (run docs/figures/draw.py)")
    return failures


def links():
    readme = (ROOT / "README.md").read_text()
    return [f"README.md does not link docs/{page.name}"
            for page in sorted((ROOT / "docs").glob("*.md")) if f"(docs/{page.name})" not in readme]


FIGURE = re.compile(r"(<!-- figure: .*? -->)(.*?)(<!-- end -->)", re.DOTALL)
BLOCKS = {"p", "li", "td", "th", "h1", "h2", "h3", "h4", "h5", "h6", "pre"}


class Page(html.parser.HTMLParser):
    """The text of each block of rendered HTML, its headings' anchors, and the
    addresses it links to."""

    def __init__(self, text):
        super().__init__()
        self.blocks, self.open, self.headings, self.targets = [], [], set(), []
        self.feed(text)

    def handle_starttag(self, tag, attributes):
        if tag in BLOCKS:
            self.open.append([tag, ""])
        for name, value in attributes:
            if (tag, name) in (("a", "href"), ("img", "src")):
                self.targets.append(value)

    def handle_endtag(self, tag):
        if tag in BLOCKS and self.open:
            kind, text = self.open.pop()
            self.blocks.append(text)
            if kind[0] == "h" and kind[1:].isdigit():
                # As a code host makes a heading's anchor.
                self.headings.add(re.sub(r"[^\w\- ]", "", text.strip().lower()).replace(" ", "-"))

    def handle_data(self, data):
        if self.open:
            self.open[-1][1] += data


def rendered(text):
    done = subprocess.run(["cmark-gfm", "-e", "table", "-e", "autolink"], input=text,
                          capture_output=True, text=True, check=True)
    return Page(done.stdout)


def render():
    if not shutil.which("cmark-gfm"):
        return ["no cmark-gfm to render the pages with (Debian: apt-get install cmark-gfm)"]
    failures = []
    pages = [ROOT / "README.md"] + sorted((ROOT / "docs").glob("*.md"))
    anchors = {}
    for page in pages:
        source = page.read_text()
        numbers = []

        def mark(match):
            numbers.append(match[2])
            return f"{match[1]}figure{len(numbers)}mark{match[3]}"

        where = page.relative_to(ROOT)
        marked = rendered(FIGURE.sub(mark, source))
        anchors[page] = rendered(source)
        for n, number in enumerate(numbers, 1):
            token = f"figure{n}mark"
            holding = [block for block in marked.blocks if token in block]
            if not holding:
                failures.append(f"{where}: figure {n} ({number}) is lost when rendered")
            elif not re.search(r"[A-Za-z]", re.sub(r"figure\d+mark", "", holding[0])):
                failures.append(f"{where}: figure {n} ({number}) stands in a block of its own")
    for page in pages:
        for target in anchors[page].targets:
            if re.match(r"[a-z]+:", target):
                continue
            file, _, heading = target.partition("#")
            linked = (page.parent / file).resolve() if file else page
            if not linked.exists():
                failures.append(f"{page.relative_to(ROOT)}: {target} leads nowhere")
            elif heading and linked.suffix == ".md":
                if linked not in anchors:
                    anchors[linked] = rendered(linked.read_text())
                if heading not in anchors[linked].headings:
                    failures.append(f"{page.relative_to(ROOT)}: {target}: no such heading")
    return failures


if __name__ == "__main__":
    found = {"figures": figures, "links": links, "render": render}[sys.argv[1]]()
    print("\n".join(found) or "ok")
    sys.exit(1 if found else 0)
