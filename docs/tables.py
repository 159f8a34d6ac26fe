#!/usr/bin/env python3
"""Writes every table and figure of measured results in README.md and
docs/*.md from the result files under results/, so that none can go stale.

    docs/tables.py          rewrites them in place
    docs/tables.py --check  exits 1, naming the first one that is stale

A table stands between two comments, which a code host does not show:

    <!-- table: results/zen5-epyc/contest.csv contest against=asmBinarySearch -->
    ...
    <!-- end -->

and a figure in prose the same way, on one line:

    <!-- figure: results/zen5-epyc/contest.csv search=asmBinarySearch workload=random fastest -->42.62<!-- end -->

After the file come filters, column=value (quoted where the value holds a
space or a comma; a|b for either, * for any), and then what to show. A figure is the fastest or the
median of the repetitions of the one series (a search, workload and size) that
passes the filters; where several pass, it is an error unless "best" follows,
which takes the fastest of them all. "/ filters fastest" after it divides it by
the same figure of other rows, whose filters default to those before the
slash; "bytes" instead of fastest gives a row's bytes (a tree's, in the
sweep). digits=N sets the decimals. Tables:

    contest [against=SEARCH]    every search, fastest / median (fastest over SEARCH's)
    key                         the fastest -O0, -O2 and hand-written search of each workload
    sweep workload=W sizes=N,N.. [by=search]
                                by method: hand-written / best compiled (ratio), or by search
    sweep workload=W sizes=N,N.. over=floor [search=A|B..]
                                each search's fastest over the floor's (the sweep's rows of
                                kind floor, same workload) times the lines it must fetch: a
                                tree search two, a search of the array log2(n) - 10
"""
import csv
import math
import pathlib
import re
import shlex
import statistics
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
MARKER = re.compile(r"<!-- (table|figure): (.*?) -->(.*?)<!-- end -->", re.DOTALL)
COMPILED = ("gcc -O2", "clang -O2")
WORKLOADS = ["found 500", "missing 1001", "random", "random, chained"]


def read_rows(name, cache={}):
    if name not in cache:
        with open(ROOT / name, newline="") as results:
            cache[name] = [dict(row, ns=float(row["ns"])) for row in csv.DictReader(results)]
    return cache[name]


def matching(rows, filters):
    """The rows whose every column named in filters holds one of the values
    given (a|b), or anything (*)."""
    return [row for row in rows
            if all(value == "*" or row[key] in value.split("|") for key, value in filters.items())]


def number(value, digits=None):
    if digits is None:
        digits = 2 if value < 10 else 1
    return f"{value:.{digits}f}"


def split(words):
    """({column: value}, [other words]) of a marker's words"""
    filters = dict(word.split("=", 1) for word in words if "=" in word)
    return filters, [word for word in words if "=" not in word]


def statistic(rows, filters, what, best, source):
    """what (fastest, median or bytes) of the one series that passes filters,
    or with best, the fastest of all that pass."""
    found = matching(rows, filters)
    if not found:
        raise SystemExit(f"{source}: no rows for {filters}")
    series = {tuple(v for k, v in row.items() if k not in ("repetition", "ns")) for row in found}
    if len(series) > 1 and not (best and what == "fastest"):
        raise SystemExit(f"{source}: {what} of {len(series)} series"
                         f"{'' if what == 'fastest' else ' (best takes only fastest)'}: {filters}")
    if what == "bytes":
        return float(found[0]["bytes"])
    if what == "median":
        return statistics.median(row["ns"] for row in found)
    return min(row["ns"] for row in found)


def figure(words, source):
    rows = read_rows(words[0])
    slash = words.index("/") if "/" in words else len(words)
    filters, rest = split(words[1:slash])
    digits = filters.pop("digits", None)
    what = [word for word in rest if word != "best"][-1]
    value = statistic(rows, filters, what, "best" in rest, source)
    if slash < len(words):
        below, below_rest = split(words[slash + 1:])
        below_what = ([word for word in below_rest if word != "best"] or [what])[-1]
        value /= statistic(rows, {**filters, **below}, below_what, "best" in below_rest, source)
        digits = digits or 2
    return number(value, None if digits is None else int(digits))


def markdown(header, rows, align):
    widths = [max(len(line[i]) for line in [header] + rows) for i in range(len(header))]
    lines = ["| " + " | ".join(cell.ljust(width) if a == "<" else cell.rjust(width)
                               for cell, width, a in zip(line, widths, align)) + " |"
             for line in [header] + rows]
    rule = "|" + "|".join("-" * (w + 1) + (":" if a == ">" else "-") for w, a in zip(widths, align))
    return "\n".join(lines[:1] + [rule + "|"] + lines[1:])


def series(rows):
    """{(search, workload): [ns...]} in the order the file gives them"""
    found = {}
    for row in rows:
        found.setdefault((row["search"], row["workload"]), []).append(row["ns"])
    return found


def contest_table(rows, options):
    times = series(rows)
    workloads = [w for w in WORKLOADS if any(w == key[1] for key in times)]
    searches = list(dict.fromkeys(key[0] for key in times))
    searches.sort(key=lambda s: min(times.get((s, "random"), [float("inf")])))
    against = options.get("against", "asmBinarySearch")
    table = []
    for search in searches:
        cells = [search]
        for workload in workloads:
            ns = times.get((search, workload))
            if ns is None:
                cells.append("")
                continue
            ratio = min(ns) / min(times[(against, workload)])
            cells.append(f"{min(ns):.2f} / {statistics.median(ns):.2f} ({ratio:.2f})")
        table.append(cells)
    return markdown(["search"] + workloads, table, "<" + ">" * len(workloads))


def key_table(rows, options):
    """The fastest search at -O0, at -O2 and by hand, for each workload, and
    what the hand-written one takes over each; then which search each is."""
    workloads = [w for w in WORKLOADS if matching(rows, {"workload": w})]

    def fastest(compilers, kind, workload):
        found = [r for r in rows if r["compiler"] in compilers and r["kind"] == kind
                 and r["workload"] == workload]
        return min(found, key=lambda r: r["ns"]) if found else None

    groups = [("-O0, the program's", ("-O0",), "single"),
              ("best -O2", COMPILED, "single"),
              ("by hand", ("hand-written",), "single"),
              ("batch, best -O2", COMPILED, "batch"),
              ("batch, by hand", ("hand-written",), "batch"),
              ("tree, best -O2", COMPILED, "tree"),
              ("tree, by hand", ("hand-written",), "tree")]
    table = []
    best = {}
    for title, compilers, kind in groups:
        cells = [title]
        for workload in workloads:
            row = fastest(compilers, kind, workload)
            best[(title, workload)] = row
            cells.append(number(row["ns"]) if row else "")
        table.append(cells)
    for title, mine, theirs in [("by hand / -O0", 2, 0), ("by hand / best -O2", 2, 1),
                                ("batch by hand / -O2", 4, 3), ("tree by hand / -O2", 6, 5)]:
        cells = [title]
        for workload in workloads:
            a, b = best[(groups[mine][0], workload)], best[(groups[theirs][0], workload)]
            cells.append(f"{a['ns'] / b['ns']:.2f}" if a and b else "")
        table.append(cells)
    names = []
    for title, _, _ in groups:
        made = {}
        for workload in workloads:
            if best[(title, workload)]:
                made.setdefault(best[(title, workload)]["search"], []).append(workload)
        for search, where in made.items():
            names.append([title, search, "all" if where == workloads else "; ".join(where)])
    return markdown(["ns a search (a query)"] + workloads, table, "<" + ">" * len(workloads)) + \
        "\n\n" + markdown(["row", "made by", "in"], names, "<<<")


def lines_fetched(kind, elements):
    """The lines a search must bring from past the cached top: a tree
    search, its last index node and its leaf block; a search of the array,
    one a halving from the sixteenth line on (the top ten levels stay
    cached, and the last four fall in one line)."""
    if kind in ("tree", "tree batch"):
        return 2
    return max(1.0, math.log2(elements) - 10)


def over_floor_table(rows, options, sizes, header):
    floor = {row["elements"]: row["ns"] for row in sorted(rows, key=lambda row: -row["ns"])
             if row["kind"] == "floor"}
    if not floor:
        raise SystemExit(f"no rows of kind floor for {options}")
    named = options.get("search", "*").split("|")
    searches = [row for row in rows if row["kind"] != "floor"]
    table = []
    for search in named if named != ["*"] else dict.fromkeys(row["search"] for row in searches):
        cells = [search]
        for n in sizes:
            here = [row for row in searches if row["search"] == search and row["elements"] == n]
            if here and n in floor:
                fastest = min(row["ns"] for row in here)
                cells.append(f"{fastest / (floor[n] * lines_fetched(here[0]['kind'], int(n))):.2f}")
            else:
                cells.append("")
        table.append(cells)
    header[0] += ": ns over the floor's for the lines fetched"
    return markdown(header, table, "<" + ">" * len(sizes))


def sweep_table(rows, options):
    filters = {k: v for k, v in options.items() if k not in ("sizes", "by", "over")}
    sizes = options["sizes"].split(",")
    header = [options.get("workload", "")] + [f"{int(n):,}" for n in sizes]
    if options.get("over") == "floor":
        filters.pop("search", None)
        return over_floor_table(matching(rows, filters), options, sizes, header)
    rows = [row for row in matching(rows, filters) if row.get("kind") != "floor"]
    table = []
    if options.get("by") == "search":
        named = options.get("search", "*").split("|")
        for search in named if named != ["*"] else dict.fromkeys(row["search"] for row in rows):
            cells = [search]
            for n in sizes:
                ns = [r["ns"] for r in rows if r["search"] == search and r["elements"] == n]
                cells.append(number(min(ns)) if ns else "")
            table.append(cells)
        return markdown(header, table, "<" + ">" * len(sizes))
    for method in dict.fromkeys(row["method"] for row in rows):
        cells = [method]
        for n in sizes:
            here = [r for r in rows if r["method"] == method and r["elements"] == n]
            mine = [r["ns"] for r in here if r["compiler"] == "hand-written"]
            theirs = [r["ns"] for r in here if r["compiler"] in COMPILED]
            cell = " / ".join(number(min(ns)) if ns else "-" for ns in (mine, theirs))
            if mine and theirs:
                cell += f" ({min(mine) / min(theirs):.2f})"
            cells.append(cell)
        table.append(cells)
    header[0] += ": hand-written / best compiled (ratio)"
    return markdown(header, table, "<" + ">" * len(sizes))


def table(words, source):
    options, kind = split(words[1:])
    make = {"contest": contest_table, "key": key_table, "sweep": sweep_table}[kind[0]]
    machine = pathlib.Path(words[0]).parent
    summary = (ROOT / machine / "machine.md").read_text().splitlines()[0].lstrip("# ")
    up = "../" if source.parent == ROOT / "docs" else ""
    return f"\n{make(read_rows(words[0]), options)}\n\n(From [{machine}]({up}{machine}/machine.md): " \
           f"{summary}.)\n"


def regenerate(path):
    text = path.read_text()

    def replace(match):
        words = shlex.split(match[2])
        made = (table if match[1] == "table" else figure)(words, path)
        return f"<!-- {match[1]}: {match[2]} -->{made}<!-- end -->"

    return text, MARKER.sub(replace, text)


def main(check):
    for path in [ROOT / "README.md"] + sorted((ROOT / "docs").glob("*.md")):
        old, new = regenerate(path)
        if old == new:
            continue
        if check:
            for match_old, match_new in zip(MARKER.finditer(old), MARKER.finditer(new)):
                if match_old[0] != match_new[0]:
                    line = old.count("\n", 0, match_old.start()) + 1
                    print(f"{path.relative_to(ROOT)}:{line}: stale {match_old[1]}: {match_old[2]}"
                          " (run docs/tables.py)")
                    return 1
            print(f"{path.relative_to(ROOT)}: stale (run docs/tables.py)")
            return 1
        path.write_text(new)
    return 0


if __name__ == "__main__":
    sys.exit(main("--check" in sys.argv[1:]))
