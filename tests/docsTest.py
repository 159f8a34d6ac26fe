#!/usr/bin/env python3
"""Checks the documentation.

    docsTest.py figures   every SVG under docs/ and bench/ is an SVG a browser
                          can size, and docs/figures/draw.py draws the
                          committed figures byte for byte
    docsTest.py links     every relative link of README.md and docs/*.md
                          leads to a file, and every chapter is linked from
                          the README
"""
import pathlib
import re
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
    failures = []
    pages = [ROOT / "README.md"] + sorted((ROOT / "docs").glob("*.md"))
    readme = pages[0].read_text()
    for page in pages:
        text = re.sub(r"```.*?```", "", page.read_text(), flags=re.DOTALL)
        for target in re.findall(r"\]\(([^)\s]+)\)", text):
            if re.match(r"[a-z]+:", target) or target.startswith("#"):
                continue
            if not (page.parent / target.split("#")[0]).exists():
                failures.append(f"{page.relative_to(ROOT)}: no {target}")
        if page.parent == ROOT / "docs" and f"(docs/{page.name})" not in readme:
            failures.append(f"README.md does not link docs/{page.name}")
    return failures


if __name__ == "__main__":
    found = {"figures": figures, "links": links}[sys.argv[1]]()
    print("\n".join(found) or "ok")
    sys.exit(1 if found else 0)
