"""What bench/run and bench/sweep share: building a harness, running it with
its messages passed through, summarising its figures, drawing them, saying
how far a run has got, and ending on one clear line when something fails."""
import argparse
import os
import pathlib
import platform
import re
import shutil
import statistics
import subprocess
import sys
import time

SOURCE = pathlib.Path(__file__).resolve().parent.parent
# Apart from the presets' folders (build/<preset>) and the README's (build).
BUILD = SOURCE / "build" / "benchmarks"


class Failure(Exception):
    """A run that cannot go on; its message is the one line it ends with."""


def run_main(main):
    """Runs main(), and turns a Failure into its line on standard error and
    status 1, and Ctrl-C before main has dealt with it into status 130."""
    program = f"bench/{pathlib.Path(sys.argv[0]).name}"
    try:
        return main()
    except Failure as failure:
        if str(failure):
            print(f"{program}: {failure}", file=sys.stderr)
        return 1
    except KeyboardInterrupt:
        print(f"\n{program}: interrupted", file=sys.stderr)
        return 130


def positive(text):
    """An argparse type: a whole number of 1 or more."""
    try:
        number = int(text)
    except ValueError:
        number = 0
    if number < 1:
        raise argparse.ArgumentTypeError(f"must be a whole number of 1 or more, not {text!r}")
    return number


# What a harness needs that the configuration may not have found.
NEEDS = {"search_contest": ("benchmark_DIR:PATH=benchmark_DIR-NOTFOUND",
                            "Google Benchmark is not installed (apt-get install libbenchmark-dev)")}


def build(build_dir, target):
    """Configures and builds target in build_dir; its output is shown only
    when it fails."""
    if not shutil.which("cmake"):
        raise Failure("cmake is not installed (apt-get install cmake)")
    for command in (["cmake", "-S", str(SOURCE), "-B", str(build_dir)],
                    ["cmake", "--build", str(build_dir), "-j", "--target", target]):
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if done.returncode != 0:
            sys.stderr.write(done.stdout[-4000:])
            raise Failure(f"the build of {target} failed: {' '.join(command)}")
        missing, why = NEEDS.get(target, (None, None))
        if missing and missing in (build_dir / "CMakeCache.txt").read_text():
            raise Failure(why)
    harness = build_dir / "bench" / target
    if not harness.exists():
        raise Failure(f"{target} was not built: see what cmake says in {build_dir}")
    return harness


def harness_of(arguments, target):
    """The harness that --harness names, or else the one built from this
    source in --build."""
    if arguments.harness:
        if not os.access(arguments.harness, os.X_OK):
            raise Failure(f"{arguments.harness} is not a program")
        return arguments.harness
    return build(arguments.build, target)


def names(text):
    """The searches of --only: names split at a comma that no space follows,
    since a compiled search's name holds one ("batch, gcc -O2")."""
    return [name.strip() for name in re.split(r",(?! )", text) if name.strip()]


class Kept:
    """A results file written beside the one it replaces, under another name,
    and moved into place by keep(): a run that fails before then leaves the
    file as it was."""

    def __init__(self, path):
        self.path = path
        path.parent.mkdir(parents=True, exist_ok=True)
        self.partial = path.with_name(f".{path.name}.partial")

    def keep(self):
        os.replace(self.partial, self.path)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        if self.partial.exists():
            self.partial.unlink()


def copy_flags(build_dir, folder):
    """The compiled contenders' flags, as the build recorded them, beside the
    results."""
    flags = build_dir / "contenders" / "contender-flags.txt"
    if flags.exists() and flags.resolve() != (folder / flags.name).resolve():
        shutil.copyfile(flags, folder / flags.name)
        print(f"flags: {folder / flags.name}")


def machine(named, results):
    """What a chart's title says of the machine: --machine, or the first line
    of machine.md beside the results, or else the processor as the system
    names it."""
    if named:
        return named
    if results and (results / "machine.md").exists():
        return (results / "machine.md").read_text().splitlines()[0].lstrip("# ").split(";")[0].split(", ")[0]
    try:
        for line in pathlib.Path("/proc/cpuinfo").read_text().splitlines():
            if line.startswith("model name"):
                return f"{line.split(':', 1)[1].strip()}, {os.cpu_count()} CPUs"
    except OSError:
        pass
    return platform.processor() or platform.machine()


def check_returncode(process, harness):
    """Fails with the harness: with nothing more to say where it said why on
    standard error (as it does before it exits), or with a line where it was
    killed."""
    if process.returncode < 0:
        raise Failure(f"{harness.name} was killed by signal {-process.returncode}"
                      + (" (out of memory?)" if process.returncode == -9 else ""))
    if process.returncode != 0:
        raise Failure("")


def require_gnuplot(charts_wanted):
    """Says, before any minutes go by, that the charts cannot be drawn."""
    if charts_wanted and not shutil.which("gnuplot"):
        raise Failure("gnuplot is not installed (apt-get install gnuplot-nox), "
                      "or ask for no charts with --no-charts")


def quoted(text):
    """text inside a gnuplot string in double quotes, its line ends too"""
    return text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")


def gnuplot(script, svg):
    done = subprocess.run(["gnuplot"], input=script.encode(), stderr=subprocess.PIPE)
    if done.returncode != 0:
        sys.stderr.write(done.stderr.decode()[-2000:])
        raise Failure(f"gnuplot could not draw {svg}")
    print(f"chart: {svg}")


def fastest_and_median(series):
    """{key: [ns, ...]} to {key: (fastest, median)}: noise on a shared machine
    only ever adds time, so the fastest repetition is the truest, and the
    median says how far the others strayed."""
    return {key: (min(ns), statistics.median(ns)) for key, ns in series.items()}


def available_bytes():
    """The memory available now, from /proc/meminfo, or else as the system
    counts free pages; None where neither says."""
    try:
        for line in pathlib.Path("/proc/meminfo").read_text().splitlines():
            if line.startswith("MemAvailable:"):
                return int(line.split()[1]) * 1024
    except OSError:
        pass
    try:
        return os.sysconf("SC_AVPHYS_PAGES") * os.sysconf("SC_PAGE_SIZE")
    except (ValueError, OSError, AttributeError):
        return None


class Progress:
    """On a terminal, one line on standard error that says how far a run is,
    how long it has taken and about how long it has left; elsewhere, quiet."""

    def __init__(self, total, what):
        self.total, self.what = total, what
        self.start = time.monotonic()
        self.shown = sys.stderr.isatty()

    def update(self, done, detail=""):
        if not self.shown:
            return
        elapsed = time.monotonic() - self.start
        left = f", about {minutes(elapsed * (self.total - done) / done)} left" if done else ""
        sys.stderr.write(f"\r\033[K{self.what} {done} of {self.total}{detail}, "
                         f"{minutes(elapsed)} so far{left}")
        sys.stderr.flush()

    def close(self):
        if self.shown:
            sys.stderr.write("\r\033[K")
            sys.stderr.flush()


def minutes(seconds):
    return f"{int(seconds) // 60}m{int(seconds) % 60:02d}s"
