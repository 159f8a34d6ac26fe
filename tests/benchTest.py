#!/usr/bin/env python3
"""Checks the benchmarks' scripts, bench/run and bench/sweep, against a fake
harness, and what they draw and tabulate.

    benchTest.py results  a run that fails, is killed or is stopped before a
                          size is done leaves the results file as it was; one
                          stopped after a size keeps that size; --only times
                          the searches named and the one they are set against
    benchTest.py charts   every chart's text lies inside the picture, drawn
                          anew from the longest names or committed
    benchTest.py harness SEARCH_SWEEP
                          the sweep's harness gives the floor rows at every
                          size, the index's huge pages on the tree rows only,
                          only the searches --only names, and its limit
    benchTest.py tables   docs/tables.py refuses a figure over several series
                          unless it asks for the best, and sets a search over
                          the floor; the sweep finds the cache steps of a
                          floor, and no step at one slow size
"""
import contextlib
import csv
import importlib.machinery
import math
import os
import pathlib
import platform
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "bench"))
sys.path.insert(0, str(ROOT / "docs"))

HEADER = "elements,huge_pages,index_huge_pages,workload,repetition,search,method,compiler,kind,ns,bytes"

# A search_sweep that behaves as FAKE_MODE says, and writes its arguments
# to FAKE_ARGS.
FAKE_SWEEP = f'''#!{sys.executable}
import os, signal, sys, time
signal.signal(signal.SIGINT, lambda *_: sys.exit(130))
if sys.argv[1:] == ["--largest"]:
    print(536870911)
    sys.exit(0)
open(os.environ["FAKE_ARGS"], "w").write("\\n".join(sys.argv[1:]))
mode = os.environ["FAKE_MODE"]
sizes = [a for a, before in zip(sys.argv[1:], [""] + sys.argv[1:])
         if a.isdigit() and before not in ("--repetitions", "--only")]
repetitions = int(sys.argv[sys.argv.index("--repetitions") + 1])
print("{HEADER}", flush=True)
if mode == "wrong":
    sys.exit("search_sweep: asmBinarySearch answers 3 for 7 among 16 elements")
if mode == "killed":
    os.kill(os.getpid(), signal.SIGKILL)
for i, n in enumerate(sizes):
    if mode == "stopped" or (mode == "stopped after one" and i == 1):
        time.sleep(60)
    for workload, floor in (("throughput", "memory, a line with many in flight"),
                            ("latency", "memory, one line waiting on the last")):
        print(f'{{n}},yes,,{{workload}},0,"asmBinarySearch","power-of-two step",hand-written,single,9.5,0')
        print(f'{{n}},yes,,{{workload}},0,"{{floor}}","memory floor",,floor,1.5,0', flush=True)
    if mode == "cut short" and i == 1:
        sys.exit(0)
    print(f'{{n}},yes,,build,{{repetitions - 1}},"memcpy","memcpy",,build,1000,64', flush=True)
'''

# A search_contest that lists three contenders and times those the filter
# takes, or fails as FAKE_MODE says.
FAKE_CONTEST = f'''#!{sys.executable}
import json, os, re, sys
names = ["asmBinarySearch", "asmBranchingSearch", "batch, gcc -O2"]
options = dict(a.split("=", 1) for a in sys.argv[1:] if "=" in a)
if sys.argv[1:] == ["--contenders"]:
    print("search,method,compiler,kind")
    print('asmBinarySearch,power-of-two step,hand-written,single')
    print('asmBranchingSearch,branching,hand-written,single')
    print('"batch, gcc -O2",batch,gcc -O2,batch')
    sys.exit(0)
if os.environ["FAKE_MODE"] == "fails":
    sys.exit("search_contest: asmBinarySearch answers 3 for 7 among 10000 elements")
tests = [n + "/random" for n in names if re.search(options.get("--benchmark_filter", ""), n + "/random")]
if "--benchmark_list_tests" in sys.argv:
    print("\\n".join(tests))
    sys.exit(0)
json.dump({{"context": {{"num_cpus": 2, "mhz_per_cpu": 2600}},
           "benchmarks": [{{"run_type": "iteration", "run_name": t, "name": t, "time_unit": "ns",
                            "cpu_time": 5.0, "repetition_index": r}}
                          for t in tests for r in range(int(options["--benchmark_repetitions"]))]}},
          open(options["--benchmark_out"], "w"))
'''


def bench_run(folder, script, mode, extra, stop_when=None):
    """Runs bench/script against the fake harness; with stop_when, sends it
    Ctrl-C once stop_when(partial file's text) holds. Its status and
    output."""
    env = dict(os.environ, FAKE_MODE=mode, FAKE_ARGS=str(folder / "args"))
    command = [sys.executable, str(ROOT / "bench" / script), "--harness", str(folder / "fake"),
               "--build", str(folder / "build"), "--results", str(folder / "results"),
               "--no-charts", *extra]
    process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               text=True)
    if stop_when:
        partial, end = folder / "results" / ".sweep.csv.partial", time.monotonic() + 30
        while not (partial.exists() and stop_when(partial.read_text())):
            if time.monotonic() > end:
                process.kill()
                return None, "the partial file never showed what the test waits for"
            time.sleep(0.05)
        process.send_signal(signal.SIGINT)
    output = process.communicate(timeout=60)[0]
    return process.returncode, output


@contextlib.contextmanager
def scratch(harness, results_file, old):
    """A folder holding harness as fake, and results/results_file holding old."""
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        (folder / "fake").write_text(harness)
        (folder / "fake").chmod(0o755)
        (folder / "results").mkdir()
        (folder / "results" / results_file).write_text(old)
        yield folder


def results():
    every = {str(n) for n in load("sweep").sizes(64, False)}
    only = ["--only", "asmBranchingSearch,batch, gcc -O2"]
    failures = []
    old = HEADER + "\n" + "\n".join(f"{n},yes,,throughput,0,old,old,gcc -O2,single,1.0,0"
                                    for n in range(16, 1000)) + "\n"
    # (mode, Ctrl-C once the partial file holds this, status, sizes kept or None for the old file)
    cases = [("wrong", None, 1, None, []),
             ("killed", None, 1, None, []),
             ("stopped", lambda text: text.startswith("elements"), 130, None, []),
             ("stopped after one", lambda text: "\n16," in text, 130, {"16"}, []),
             ("cut short", None, 0, {"16"}, []),
             ("ok", None, 0, every, []),
             ("ok", None, 0, every, only)]
    for mode, stop_when, status, kept, extra in cases:
        with scratch(FAKE_SWEEP, "sweep.csv", old) as folder:
            (folder / "build" / "contenders").mkdir(parents=True)
            (folder / "build" / "contenders" / "contender-flags.txt").write_text("-O2\n")
            returncode, output = bench_run(folder, "sweep", mode, ["--largest", "64", *extra],
                                           stop_when)
            flags = (folder / "results" / "contender-flags.txt").exists()
            if flags != (kept is not None):
                failures.append(f"sweep, {mode}: the contenders' flags "
                                f"{'copied' if flags else 'not copied'} beside the results")
            kept_file = folder / "results" / "sweep.csv"
            text = kept_file.read_text() if kept_file.exists() else ""
            sizes = {line.split(",")[0] for line in text.splitlines()[1:]}
            if returncode != status:
                failures.append(f"sweep, {mode}: status {returncode}, not {status}:\n{output}")
            if kept is None and text != old:
                failures.append(f"sweep, {mode}: sweep.csv is no longer the old file")
            if kept is not None and sizes != kept:
                failures.append(f"sweep, {mode}: sweep.csv holds sizes {sorted(sizes)}, "
                                f"not {sorted(kept)}")
            if list(folder.glob("results/.*")):
                failures.append(f"sweep, {mode}: left {list(folder.glob('results/.*'))}")
            given = (folder / "args").read_text().splitlines() if extra else []
            if extra and ("\n".join(given).count("--only") != 2 or "batch, gcc -O2" not in given):
                failures.append(f"sweep --only: the harness was given {given}")

    for mode, only, status, searches in [
            ("fails", [], 1, {"old"}),
            ("ok", [], 0, {"asmBinarySearch", "asmBranchingSearch", "batch, gcc -O2"}),
            ("ok", ["--only", "batch, gcc -O2"], 0, {"asmBinarySearch", "batch, gcc -O2"})]:
        with scratch(FAKE_CONTEST, "contest.csv", "search\nold\n") as folder:
            returncode, output = bench_run(folder, "run", mode, ["--repetitions", "2", *only])
            found = set()
            if (folder / "results" / "contest.csv").exists():
                with open(folder / "results" / "contest.csv") as file:
                    found = {row["search"] for row in csv.DictReader(file)}
            if returncode != status:
                failures.append(f"run {mode} {only}: status {returncode}:\n{output}")
            if found != searches:
                failures.append(f"run {mode} {only}: contest.csv holds {sorted(found)}")
    return failures


def load(script):
    return importlib.machinery.SourceFileLoader(script, str(ROOT / "bench" / script)).load_module()


def outside(svg):
    """The text of svg that runs past its edges, with a width estimated at
    0.6 of the font size a character."""
    root = ElementTree.parse(svg).getroot()
    width, height = (float(n) for n in root.get("viewBox").split()[2:])
    found = []
    for group in root.iter("{http://www.w3.org/2000/svg}g"):
        transform = group.get("transform") or ""
        place = re.search(r"translate\(([-\d.]+),([-\d.]+)\)", transform)
        texts = group.findall("{http://www.w3.org/2000/svg}text")
        if not place or not texts:
            continue
        angle = math.radians(float((re.search(r"rotate\(([-\d.]+)\)", transform) or [0, 0])[1]))
        size = float(group.get("font-size") or 12)
        for text in texts:
            words = "".join(text.itertext()).strip()
            if not words:
                continue
            wide = 0.6 * size * len(words)
            start = {"end": -wide, "middle": -wide / 2}.get(group.get("text-anchor"), 0)
            corners = [(x, y) for x in (start, start + wide) for y in (-0.8 * size, 0.2 * size)]
            for x, y in corners:
                px = float(place[1]) + x * math.cos(angle) - y * math.sin(angle)
                py = float(place[2]) + x * math.sin(angle) + y * math.cos(angle)
                if not (-1 <= px <= width + 1 and -1 <= py <= height + 1):
                    found.append(f"{svg.name}: {words!r} reaches ({px:.0f}, {py:.0f}) in a "
                                 f"picture {width:.0f} by {height:.0f}")
                    break
    return found


# The longest names the scripts draw, and the longest machine line.
FAMILIES = [("asmBinarySearch", "power-of-two step", "single"),
            ("asmPrefetchingSearch", "branch-free with prefetch", "single"),
            ("asmBatchSearch", "batch", "batch"),
            ("asmTreeSearch with AVX-512", "tree with AVX-512", "tree"),
            ("asmTreeBatchSearch with AVX-512", "tree batch with AVX-512", "tree batch")]
SEARCHES = [row for asm, method, kind in FAMILIES
            for row in ((asm, method, "hand-written", kind),
                        (f"{method}, clang -O2", method, "clang -O2", kind))] + [
    ("std::lower_bound, clang -O2", "std::lower_bound", "clang -O2", "single"),
    ("binarySearch -O0", "binarySearch", "-O0", "single")]
MACHINE = "AMD EPYC (Zen 5) virtual machine, 2 cores, AVX-512, GCC 12 and Clang 14"


def charts():
    if not shutil.which("gnuplot"):
        print("gnuplot is not installed: no chart to check")
        sys.exit(77)
    sweep, run = load("sweep"), load("run")
    failures = []
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        with open(folder / "sweep.csv", "w") as file:
            file.write(HEADER + "\n")
            for n in sweep.sizes(1 << 28, True):
                for search, method, compiler, kind in SEARCHES + [
                        (sweep.FLOOR["latency"], "memory floor", "", "floor"),
                        (sweep.FLOOR["throughput"], "memory floor", "", "floor")]:
                    for workload in sweep.WORKLOADS:
                        file.write(f'{n},yes,,{workload},0,"{search}","{method}",{compiler},'
                                   f'{kind},{math.log2(n) * 3:.3f},0\n')
        with open(os.devnull, "w") as quiet, contextlib.redirect_stdout(quiet):
            sweep.report(folder / "sweep.csv", folder, folder, MACHINE)
        # As many bars as a whole contest has, the longest names at either end.
        names = [f"{search}{' ' * copy}" for copy in range(3) for search, *_ in SEARCHES]
        names.sort(key=len)
        names = names[-1:] + names[:-1]
        table = {(search, workload): (5.0, 6.0) for search in names for workload in run.WORKLOADS}
        listed = {search: {"kind": "single"} for search in names}
        with open(os.devnull, "w") as quiet, contextlib.redirect_stdout(quiet):
            run.draw(table, names, listed, folder / "contest.svg", MACHINE)
        drawn = sorted(folder.glob("*.svg"))
        if len(drawn) < 7:
            failures.append(f"only {[svg.name for svg in drawn]} were drawn")
        for svg in drawn + sorted((ROOT / "bench").glob("*.svg")):
            failures += outside(svg)
    return failures


def tables():
    import tables as docs_tables
    sweep = load("sweep")
    failures = []
    with tempfile.TemporaryDirectory() as name:
        path = pathlib.Path(name) / "sweep.csv"
        # ns of the first repetition; the other two take a tenth and a fifth longer.
        rows = [(n, search, kind, factor * (1 if n == 1024 else 10))
                for n in (1024, 1 << 20)
                for search, kind, factor in (("asmTreeSearch", "tree", 5),
                                             ("tree, gcc -O2", "tree", 4),
                                             ("asmBinarySearch", "single", 20),
                                             (sweep.FLOOR["latency"], "floor", 1))]
        path.write_text(HEADER + "\n" + "".join(
            f'{n},yes,,latency,{r},"{search}","m",{"" if kind == "floor" else "gcc -O2"},{kind},'
            f'{ns * (1 + r / 10)},0\n' for n, search, kind, ns in rows for r in range(3)))
        for words, wanted in [
                ("workload=latency kind=tree elements=1024 fastest", None),
                ("workload=latency kind=tree elements=1024 fastest best", "4.00"),
                ("workload=latency kind=tree elements=1024 median best", None),
                ("search=asmTreeSearch elements=1024 median", "5.50"),
                ("search=asmTreeSearch elements=1024 fastest / search=* kind=tree", None),
                ("search=asmTreeSearch elements=1024 fastest / search=* kind=tree best", "1.25")]:
            try:
                got = docs_tables.figure([str(path)] + words.split(), path)
            except SystemExit:
                got = None
            if got != wanted:
                failures.append(f"figure {words}: {got}, not {wanted}")
        table = docs_tables.sweep_table(docs_tables.read_rows(str(path)), {
            "workload": "latency", "sizes": "1024,1048576", "over": "floor",
            "search": "asmTreeSearch|asmBinarySearch"})
        # The tree fetches two lines; a search of 2^20 ints, ten.
        for search, wanted in (("asmTreeSearch", ["2.50", "2.50"]),
                               ("asmBinarySearch", ["20.00", "2.00"])):
            line = next(line for line in table.splitlines() if line.startswith(f"| {search} "))
            if [cell.strip() for cell in line.split("|")[2:4]] != wanted:
                failures.append(f"over the floor, {search}: {line}")

    # A ladder of 2 ns to 32 KB, 5 to 1 MB and 100 beyond, four sizes an
    # octave; then the same with one slow size on the first plateau.
    def ladder(n):
        return 2.0 if 4 * n <= 32 << 10 else 5.0 if 4 * n <= 1 << 20 else 100.0
    sizes, wanted = sweep.sizes(1 << 26, False), [(32 << 10) // 4, (1 << 20) // 4]
    for slow in (None, 4096):
        floor = {n: (ladder(n) * (20 if n == slow else 1), 0) for n in sizes}
        steps = sweep.cache_steps(floor)
        if len(steps) != len(wanted) or any(not 1 <= s / w <= 2 for s, w in zip(steps, wanted)):
            failures.append(f"cache steps {steps}, not just above {wanted} (slow size {slow})")
    return failures


def harness():
    program = sys.argv[2]
    failures = []
    limit = subprocess.run([program, "--largest"], stdout=subprocess.PIPE, text=True).stdout
    if not limit.strip().isdigit():
        failures.append(f"--largest printed {limit!r}")
    # On x86-64 each way of counting is its own row; the plain one runs everywhere.
    tree = "asmTreeSearch with SSE2" if platform.machine() in ("x86_64", "AMD64") else "asmTreeSearch"
    # 2^23 elements make an index of more than 2 MB, which the builder maps.
    done = subprocess.run([program, "--repetitions", "2", "--only", tree, "--only",
                           "asmBinarySearch", "16", str(1 << 23)], stdout=subprocess.PIPE,
                          text=True, check=True)
    rows = list(csv.DictReader(done.stdout.splitlines()))
    searches = {(row["elements"], row["workload"], row["search"]) for row in rows}
    for n in ("16", str(1 << 23)):
        for workload, search in [("latency", "memory, one line waiting on the last"),
                                 ("throughput", "memory, a line with many in flight"),
                                 ("latency", tree), ("throughput", "asmBinarySearch"),
                                 ("build", "buildSearchTree"), ("build", "memcpy")]:
            if (n, workload, search) not in searches:
                failures.append(f"no {workload} row of {search} at {n} elements")
    for row in rows:
        index = row["index_huge_pages"]
        big = int(row["bytes"]) >= 2 << 20
        wanted = ({"yes", "partly", "no", "unknown"} if big else {"no"}) \
            if row["kind"] == "tree" else {""}
        if index not in wanted:
            failures.append(f"index_huge_pages {index!r} in {row}")
        if row["kind"] != "floor" and row["workload"] != "build" \
                and row["search"] not in (tree, "asmBinarySearch"):
            failures.append(f"{row['search']} timed, but --only named others")
    wrong = subprocess.run([program, "--only", "no such search", "16"], stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, text=True)
    if wrong.returncode == 0 or "no such search" not in wrong.stderr:
        failures.append(f"--only with a search that is not there: {wrong.returncode}, "
                        f"{wrong.stderr!r}")
    return failures


if __name__ == "__main__":
    found = {"results": results, "charts": charts, "tables": tables,
             "harness": harness}[sys.argv[1]]()
    print("\n".join(found) or "ok")
    sys.exit(1 if found else 0)
