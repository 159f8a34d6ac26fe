#!/usr/bin/env python3
"""Draws the figures of the methods as SVG, into this folder or the one
given:

    docs/figures/draw.py [FOLDER]

The same script always writes the same bytes, so a test can check that the
committed figures are what it draws.
"""
import pathlib
import sys

FONT = "font-family=\"DejaVu Sans, Arial, sans-serif\""
INK, PALE, HOT, CALM, DIM = "#222", "#e8eef7", "#d9534f", "#3a7bd5", "#888"


class Svg:
    def __init__(self, width, height, title):
        self.width, self.height = width, height
        self.parts = [f"<title>{title}</title>",
                      f"<rect width=\"{width}\" height=\"{height}\" fill=\"white\"/>"]

    def rect(self, x, y, w, h, fill=PALE, stroke=INK, extra=""):
        self.parts.append(f"<rect x=\"{x:g}\" y=\"{y:g}\" width=\"{w:g}\" height=\"{h:g}\" "
                          f"fill=\"{fill}\" stroke=\"{stroke}\"{extra}/>")

    def text(self, x, y, words, size=13, anchor="middle", fill=INK, weight="normal"):
        words = words.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
        self.parts.append(f"<text x=\"{x:g}\" y=\"{y:g}\" font-size=\"{size}\" "
                          f"text-anchor=\"{anchor}\" fill=\"{fill}\" font-weight=\"{weight}\" "
                          f"{FONT}>{words}</text>")

    def line(self, x1, y1, x2, y2, stroke=INK, arrow=False, dashed=False):
        extra = " marker-end=\"url(#arrow)\"" if arrow else ""
        extra += " stroke-dasharray=\"4 3\"" if dashed else ""
        self.parts.append(f"<line x1=\"{x1:g}\" y1=\"{y1:g}\" x2=\"{x2:g}\" y2=\"{y2:g}\" "
                          f"stroke=\"{stroke}\"{extra}/>")

    def circle(self, x, y, r, fill=PALE, stroke=INK):
        self.parts.append(f"<circle cx=\"{x:g}\" cy=\"{y:g}\" r=\"{r:g}\" fill=\"{fill}\" "
                          f"stroke=\"{stroke}\"/>")

    def write(self, path):
        head = (f"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{self.width}\" "
                f"height=\"{self.height}\" viewBox=\"0 0 {self.width} {self.height}\">\n"
                "<defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"9\" refY=\"5\" "
                "markerWidth=\"7\" markerHeight=\"7\" orient=\"auto\">"
                f"<path d=\"M0,0 L10,5 L0,10 z\" fill=\"{INK}\"/></marker></defs>\n")
        path.write_text(head + "\n".join(self.parts) + "\n</svg>\n")


def window():
    """asmBinarySearch in 12 elements, looking for the value at subscript 9:
    the candidates numbers[base + 1 .. base + 2 step - 1] and the probe
    numbers[base + step] of each level."""
    numbers = [3, 5, 8, 9, 12, 14, 17, 20, 22, 25, 27, 31]
    levels = [(-1, 8, "step 8, the largest power of two <= 12: probe 7; 20 < 25, so"),
              (4, 4, "the rest lies in the last step - 1 = 7: base = 12 - 8; probe 8; 22 < 25"),
              (8, 2, "base += step; probe 10; 27 > 25, so base stays"),
              (8, 1, "probe 9: 25 = 25, found")]
    svg = Svg(860, 350, "The power-of-two window of asmBinarySearch")
    svg.text(20, 24, "asmBinarySearch(25, numbers, 12)", anchor="start", weight="bold")
    svg.text(20, 44, "candidates (pale): numbers[base + 1 .. base + 2 step - 1]; "
             "probe (red): numbers[base + step]", anchor="start")
    for i in range(12):
        svg.text(70 + 32 * i, 70, str(i), size=11, fill=DIM)
    for row, (base, step, note) in enumerate(levels):
        y = 82 + 64 * row
        probe = step - 1 if base < 0 else base + step
        first, last = (0, 11) if base < 0 else (base + 1, min(base + 2 * step - 1, 11))
        for i, value in enumerate(numbers):
            fill = HOT if i == probe else (PALE if first <= i <= last else "white")
            svg.rect(54 + 32 * i, y, 32, 26, fill=fill, stroke=INK if fill != "white" else DIM)
            svg.text(70 + 32 * i, y + 18, str(value), fill="white" if i == probe else INK)
        svg.text(54 + 32 * 12 + 12, y + 18, f"base {base}, step {step}", anchor="start")
        svg.text(54, y + 44, note, size=11, anchor="start", fill=DIM)
    return svg


def cmov_chain():
    """Each level's load, compare and conditional move in a chain, against
    a predicted branch whose next load starts on the guess."""
    svg = Svg(860, 300, "A conditional move waits for its load; a predicted branch does not")
    svg.text(20, 24, "Three levels of a search, in cycles (an L1 load about 4 to 5)",
             anchor="start", weight="bold")
    for c in range(0, 22, 2):
        svg.line(170 + 30 * c, 40, 170 + 30 * c, 280, stroke="#eee")
        svg.text(170 + 30 * c, 290, str(c), size=10, fill=DIM)
    svg.text(20, 70, "conditional move", anchor="start", weight="bold")
    svg.text(20, 86, "each address waits", anchor="start", size=11, fill=DIM)
    t = 0
    for level in range(3):
        for name, cycles, fill in (("load", 5, CALM), ("cmp", 1, PALE), ("cmov", 1, PALE)):
            svg.rect(170 + 30 * t, 60, 30 * cycles, 26, fill=fill)
            svg.text(170 + 30 * t + 15 * cycles, 78, name if cycles > 1 else name[:4], size=11,
                     fill="white" if fill == CALM else INK)
            t += cycles
        if level < 2:
            svg.line(170 + 30 * t - 6, 92, 170 + 30 * t + 4, 100, arrow=True)
    svg.text(170, 112, "the next address is known only when the cmov is done: "
             "about 7 cycles a level", anchor="start", size=11)
    svg.text(20, 150, "predicted branch", anchor="start", weight="bold")
    svg.text(20, 166, "loads start on the guess", anchor="start", size=11, fill=DIM)
    for level in range(3):
        start = 1.5 * level
        y = 130 + 32 * level
        svg.rect(170 + 30 * start, y, 150, 26, fill=CALM)
        svg.text(170 + 30 * start + 75, y + 18, f"load, level {level + 1}", size=11, fill="white")
        svg.rect(170 + 30 * (start + 5), y, 30, 26)
        svg.text(170 + 30 * (start + 5) + 15, y + 18, "cmp", size=11)
        svg.rect(170 + 30 * (start + 6), y, 30, 26, fill="#f3f3f3")
        svg.text(170 + 30 * (start + 6) + 15, y + 18, "jcc", size=11)
    svg.text(170 + 30 * 10.5, 212, "the levels overlap while the guesses are right", anchor="start",
             size=11)
    svg.text(20, 250, "A wrong guess throws away every load and compare issued after it, "
             "15 to 20 cycles: on random values half the guesses.", anchor="start", size=12,
             fill=HOT)
    return svg


def prefetch():
    """What asmPrefetchingSearch asks for at a probe: the four places where
    the probe two levels down may land."""
    svg = Svg(860, 330, "Prefetching two levels ahead")
    svg.text(20, 24, "At each probe, asmPrefetchingSearch asks for the four lines that the "
             "probe two levels down may read", anchor="start", weight="bold")
    left, width = 40, 780
    svg.rect(left, 230, width, 26, fill="white")
    svg.text(left, 275, "base", anchor="start", size=11)
    svg.text(left + width, 275, "base + len", anchor="end", size=11)

    def at(fraction):
        return left + width * fraction

    nodes = {(0, 0): 0.5, (1, 0): 0.25, (1, 1): 0.75}
    for i, f in enumerate((0.125, 0.375, 0.625, 0.875)):
        nodes[(2, i)] = f
    labels = {(0, 0): "base[half]: probed now", (1, 0): "base[h1]", (1, 1): "base[half + h1]",
              (2, 0): "base[h2]", (2, 1): "base[h1 + h2]", (2, 2): "base[half + h2]",
              (2, 3): "base[half + h1 + h2]"}
    for (level, i), f in nodes.items():
        y = 60 + 60 * level
        if level:
            parent = nodes[(level - 1, i // 2)]
            svg.line(at(parent), 60 + 60 * (level - 1) + 10, at(f), y - 10,
                     stroke=DIM, arrow=True)
        fill = HOT if level == 0 else (CALM if level == 2 else PALE)
        svg.circle(at(f), y, 9, fill=fill)
        svg.text(at(f), y - 14 if level == 0 else y + 24, labels[(level, i)], size=11)
        if level == 2:
            svg.line(at(f), y + 30, at(f), 228, stroke=CALM, arrow=True, dashed=True)
            svg.rect(at(f) - 16, 230, 32, 26, fill=CALM)
    svg.rect(at(0.5) - 4, 230, 8, 26, fill=HOT)
    svg.text(left, 310, "red: level k, the load the search waits for;  pale: level k + 1, one "
             "of two;  blue: level k + 2, one of four, asked for now", anchor="start", size=12)
    return svg


def batch_nodes():
    """The numbering of the batch's first six levels: node 1 at the top,
    node n's children 2n (the probe was no greater than the value: base
    moves right) and 2n + 1 (it was greater: base stays)."""
    svg = Svg(1000, 350, "The batch's nodes in its first six levels")
    svg.text(20, 24, "asmBatchSearch: the first six levels probe the same 63 elements for every "
             "search; node n's children are 2n (right) and 2n + 1 (left)",
             anchor="start", weight="bold")
    left, width = 20, 960

    def place(node):
        level = node.bit_length() - 1
        first = 1 << level
        # 2n + 1 lies left of 2n, so the last node of a level is leftmost.
        order = (2 * first - 1) - node
        return left + width * (order + 0.5) / first, 60 + 48 * level

    for node in range(2, 64):
        x, y = place(node)
        px, py = place(node // 2)
        svg.line(px, py + 9, x, y - 9, stroke=DIM)
    for node in range(1, 64):
        x, y = place(node)
        svg.circle(x, y, 10 if node < 32 else 8,
                   fill=CALM if node in (1, 3, 6, 13, 27, 54) else PALE)
        svg.text(x, y + 4, str(node), size=10 if node < 32 else 8,
                 fill="white" if node in (1, 3, 6, 13, 27, 54) else INK)
    svg.text(20, 340, "One search's path: 1, 3 (left), 6 (right), 13 (left), 27 (left), "
             "54 (right); its last compare gives node 108 or 109, which picks its base for the gathers below.",
             anchor="start", size=12, fill=CALM)
    return svg


def tree():
    """A static search tree of 16-key nodes: one node, one line of 64
    bytes; a level; the path of one search."""
    svg = Svg(860, 360, "A search tree of 16-key nodes")
    svg.text(20, 24, "One node: 16 keys, 64 bytes, one cache line; 17 children",
             anchor="start", weight="bold")
    keys = [3 + 7 * i for i in range(16)]
    for i, key in enumerate(keys):
        fill = HOT if key < 60 else PALE
        svg.rect(40 + 46 * i, 40, 46, 28, fill=fill)
        svg.text(63 + 46 * i, 59, str(key), size=12, fill="white" if fill == HOT else INK)
    svg.text(40, 86, "searching for 60: compare with all 16 keys at once; 9 keys are less, "
             "so the search goes on in child 9", anchor="start", size=11, fill=DIM)
    svg.text(20, 124, "Levels: 1 node, then 17, then 289; each level costs one line",
             anchor="start", weight="bold")
    svg.rect(380, 140, 100, 22, fill=CALM)
    svg.text(430, 156, "root", size=11, fill="white")
    xs = [40 + 47 * i for i in range(17)]
    for i, x in enumerate(xs):
        fill = CALM if i == 9 else PALE
        svg.line(430, 162, x + 20, 200, stroke=CALM if i == 9 else "#ccc")
        svg.rect(x, 200, 40, 18, fill=fill)
    svg.text(40, 246, "level 2: 17 nodes", anchor="start", size=11, fill=DIM)
    for i in range(17):
        x = 40 + 47 * i
        svg.line(xs[9] + 20, 218, x + 20, 280, stroke=CALM if i == 4 else "#eee")
        svg.rect(x, 280, 40, 14, fill=CALM if i == 4 else "white",
                 stroke=INK if i == 4 else "#ccc")
    svg.text(40, 320, "level 3: 17 nodes under each, 289 in all; the path of one search "
             "reads one node a level", anchor="start", size=11, fill=DIM)
    svg.text(40, 340, "Each level narrows the search seventeenfold, where a binary search's "
             "narrows it twofold.", anchor="start", size=11, fill=DIM)
    return svg


def search_levels():
    """The levels of one binary search over a large array, laid onto the
    cache that holds them: level l probes one of 2^l places, so every
    search shares the top levels, and they stay cached."""
    svg = Svg(860, 400, "The cached top of the array")
    svg.text(20, 24, "The 28 levels of a binary search over 2^28 elements: level k probes one "
             "of 2^(k - 1) places", anchor="start", weight="bold")
    svg.text(20, 44, "A cache of C bytes holds about the top log2(C / 64) levels (drawn here for "
             "caches of 48 KB, 1 MB and 32 MB)",
             anchor="start", size=12)
    homes = [(0, 10, "L1", "#cfe3f7"), (10, 14, "L2", "#9fc5ee"), (14, 19, "L3", CALM),
             (19, 24, "memory", HOT), (24, 28, "one line", "#f0b9b7")]
    top, row, middle = 60, 11, 540
    for first, last, name, fill in homes:
        for level in range(first, last):
            # Width grows with the level's places, on a log scale so that all fit.
            width = 16 + 22 * level
            y = top + row * level
            svg.rect(middle - width / 2, y, width, row - 2, fill=fill, stroke="none")
        y0, y1 = top + row * first, top + row * last - 2
        svg.line(100, y0, 100, y1)
        svg.line(100, y0, 106, y0)
        svg.line(100, y1, 106, y1)
        svg.text(90, (y0 + y1) / 2 + 4, name, anchor="end", size=12)
        svg.text(110, (y0 + y1) / 2 + 4, f"levels {first + 1} to {last}", anchor="start",
                 size=11, fill=DIM)
    svg.text(20, 390, "The top levels are shared by every search and stay cached; the last four "
             "levels read one line of 16 ints, fetched once; those between cost a trip each.",
             anchor="start", size=11, fill=DIM)
    return svg


def overlap():
    """Four searches on a timeline: independent, they overlap; chained, each
    starts when the one before has its answer."""
    svg = Svg(860, 330, "Independent searches overlap; chained searches wait")
    svg.text(20, 24, "Four searches of three loads each, one row a search, time to the right",
             anchor="start", weight="bold")
    fills = [CALM, "#5cb85c", "#f0ad4e", HOT]

    def search(x, y, n):
        for load in range(3):
            svg.rect(x + 40 * load, y, 38, 18, fill=fills[n], stroke="none")
        svg.text(x - 6, y + 13, f"search {n + 1}", anchor="end", size=11)

    svg.text(20, 60, "independent (throughput)", anchor="start", weight="bold")
    for n in range(4):
        search(200 + 30 * n, 70 + 22 * n, n)
    svg.line(200, 165, 200 + 30 * 3 + 120, 165, arrow=True)
    svg.text(200, 182, "each value is known long before: the processor starts the next search "
             "while this one waits", anchor="start", size=11, fill=DIM)
    svg.text(20, 212, "chained (latency)", anchor="start", weight="bold")
    for n in range(4):
        search(200 + 122 * n, 222 + 16 * (n % 2), n)
        if n:
            svg.line(200 + 122 * n - 4, 231, 200 + 122 * n, 231, arrow=True)
    svg.line(200, 270, 200 + 122 * 4, 270, arrow=True)
    svg.text(200, 287, "each value depends on the answer before it: the time of a search is its "
             "whole chain of loads", anchor="start", size=11, fill=DIM)
    svg.text(20, 318, "Throughput divides the time by the searches in flight; latency adds it up.",
             anchor="start", size=12)
    return svg


def cache_sets():
    """Lines a power of two apart all map to one set, whose few ways then
    hold only a few of them; lines an odd number of lines apart spread."""
    sets, ways = 16, 4
    svg = Svg(860, 400, "Power-of-two addresses share a cache set")
    svg.text(20, 24, "A cache of 16 sets of 4 ways: a line's set is (address / 64) mod 16",
             anchor="start", weight="bold")
    for column, (stride, title, fill) in enumerate(
            [(1024, "8 lines 1024 bytes apart (a power of two)", HOT),
             (1088, "8 lines 1088 bytes apart (17 lines)", CALM)]):
        left = 40 + 420 * column
        svg.text(left, 54, title, anchor="start", size=12)
        taken = {}
        for i in range(8):
            line = i * stride // 64
            taken.setdefault(line % sets, []).append(i)
        for s in range(sets):
            y = 66 + 18 * s
            svg.text(left + 30, y + 13, str(s), anchor="end", size=10, fill=DIM)
            lines = taken.get(s, [])
            for w in range(ways):
                here = w < len(lines)
                svg.rect(left + 36 + 40 * w, y, 38, 16, fill=fill if here else "white",
                         stroke=INK if here else "#ccc")
                if here:
                    svg.text(left + 55 + 40 * w, y + 12, f"#{lines[w]}", size=10, fill="white")
            if len(lines) > ways:
                svg.text(left + 36 + 40 * ways + 6, y + 12,
                         f"+{len(lines) - ways} more: each evicts an older one", anchor="start",
                         size=10, fill=HOT)
    svg.text(20, 372, "Halving a power of two gives powers of two: the first probes of a search "
             "over 2^k elements lie such distances apart,", anchor="start", size=11, fill=DIM)
    svg.text(20, 388, "so they crowd a few sets and push one another out, while the rest of the "
             "cache stays empty.", anchor="start", size=11, fill=DIM)
    return svg


FIGURES = {"power-of-two-window.svg": window, "cmov-chain.svg": cmov_chain,
           "prefetch-two-levels.svg": prefetch, "batch-nodes.svg": batch_nodes,
           "search-tree.svg": tree, "search-levels.svg": search_levels,
           "independent-chained.svg": overlap, "cache-sets.svg": cache_sets}

if __name__ == "__main__":
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent)
    for name, draw in FIGURES.items():
        draw().write(folder / name)
