#!/usr/bin/env python3
"""Runs the benchmark with one line of input and checks its whole transcript.

    transcriptTest.py --program P --expected E --input TEXT --value N
                      [--crlf] [--stdout full|closed] [-- RUNNER...]

N is the value the program should read from TEXT; E is the helper that works
out, for N, the subscripts the three runs must report. RUNNER (an emulator,
say) runs both programs.
"""
import argparse
import re
import subprocess
import sys

SECONDS = r"(\d+(?:\.\d+)?(?:e[-+]\d+)?)"


def report(found, subscript, label):
    if found:
        text = re.escape("The number you entered is Valid. It was found at subscript ") + subscript
    else:
        text = re.escape("The number you entered is Not Valid.")
    return text + "\n\n" + re.escape(label) + SECONDS + re.escape(" seconds.") + "\n\n"


def expected_pattern(linear, halving, found, newline):
    pattern = (
        re.escape("Enter a Positive 3-digit Number as the Search Value: ") + "\n"
        + re.escape("Please Be Patient. This may take several seconds . . .") + "\n"
        + "\n" + re.escape("Using a linear search.") + "\n"
        + report(found, str(linear), "   Elapsed time for the Linear Search was ")
        + "\n" + re.escape("Using the C++ Binary Search:") + "\n"
        + report(found, str(halving), "   Elapsed time for the C++ Binary Search was ")
        + re.escape("Using the Assembly Language Binary Search.") + "\n"
        + report(found, r"(\d+)", "   Elapsed time for the ASM Binary Search was ")
    )
    return pattern.replace("\n", re.escape(newline))


def fail(message, output=b""):
    print("FAILED:", message)
    if output:
        print("--- standard output ---")
        print(output.decode(errors="replace"))
    sys.exit(1)


def expected_results(arguments):
    run = subprocess.run(arguments.runner + [arguments.expected, str(arguments.value)],
                         capture_output=True, check=True)
    return [int(word) for word in run.stdout.split()]


def check_transcript(arguments):
    linear, halving, lowest, highest = expected_results(arguments)
    run = subprocess.run(arguments.runner + [arguments.program],
                         input=arguments.input.encode(), capture_output=True)
    if run.returncode != 0:
        fail(f"exit status {run.returncode}", run.stdout)
    if run.stderr:
        fail(f"unexpected standard error: {run.stderr!r}")
    found = linear != -1
    newline = "\r\n" if arguments.crlf else "\n"
    pattern = expected_pattern(linear, halving, found, newline)
    match = re.fullmatch(pattern.encode(), run.stdout)
    if not match:
        fail("the transcript differs from the expected one:\n" + pattern, run.stdout)
    if found and not lowest <= int(match.group(3)) <= highest:
        fail(f"the assembly search reported {match.group(3).decode()}, "
             f"but the value lies at {lowest} to {highest}", run.stdout)
    print(run.stdout.decode(), end="")


def check_lost_output(arguments):
    def close_standard_output():
        import os
        os.close(1)

    if arguments.stdout == "full":
        with open("/dev/full", "wb") as full:
            run = subprocess.run(arguments.runner + [arguments.program],
                                 input=arguments.input.encode(), stdout=full,
                                 stderr=subprocess.PIPE)
    else:
        run = subprocess.run(arguments.runner + [arguments.program],
                             input=arguments.input.encode(), stderr=subprocess.PIPE,
                             preexec_fn=close_standard_output)
    if run.returncode == 0:
        fail("exit status 0 though the transcript was lost")
    lines = run.stderr.splitlines()
    if len(lines) != 1 or b"standard output" not in lines[0]:
        fail(f"expected one line on standard error naming the failure, got {run.stderr!r}")
    print(f"exit status {run.returncode}, standard error: {lines[0].decode()}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--expected", required=True)
    parser.add_argument("--input", required=True)
    parser.add_argument("--value", type=int, required=True)
    parser.add_argument("--crlf", action="store_true")
    parser.add_argument("--stdout", choices=["full", "closed"])
    parser.add_argument("runner", nargs="*")
    arguments = parser.parse_args()
    # What the user types, then Enter; empty input ends before any line.
    if arguments.input:
        arguments.input += "\n"
    if arguments.stdout:
        check_lost_output(arguments)
    else:
        check_transcript(arguments)


if __name__ == "__main__":
    main()
