#!/usr/bin/env python3
"""Runs the benchmark with one line of input and compares its whole transcript
with the one it must write for VALUE, which it should read from that line,
on the data set that DATA_SET, built for the same target, prints. With
--stdout the transcript goes to a full device or a closed standard output,
and the program must say so and fail.

    transcriptTest.py [--crlf] [--stdout full|closed] -- PROGRAM DATA_SET INPUT VALUE [RUNNER...]
"""
import argparse
import os
import re
import subprocess
import sys
import time


def transcript(linear, halving, hand_written):
    def report(position, search):
        result = "Not Valid." if position == -1 else f"Valid. It was found at subscript {position}"
        return (f"The number you entered is {result}\n\n"
                f"   Elapsed time for the {search} was S seconds.\n\n")

    return ("Enter a Positive 3-digit Number as the Search Value: \n"
            "Please Be Patient. This may take several seconds . . .\n"
            "\nUsing a linear search.\n" + report(linear, "Linear Search")
            + "\nUsing the C++ Binary Search:\n" + report(halving, "C++ Binary Search")
            + "Using the Assembly Language Binary Search.\n"
            + report(hand_written, "ASM Binary Search"))


def halving(numbers, value):
    """The first element equal to value that binarySearch's halving meets."""
    lower, upper = 0, len(numbers) - 1
    while lower <= upper:
        midpoint = (lower + upper) // 2
        if numbers[midpoint] == value:
            return midpoint
        lower, upper = (lower, midpoint - 1) if numbers[midpoint] > value else (midpoint + 1, upper)
    return -1


def check_transcript(arguments, result, wall_seconds):
    data_set = subprocess.run(arguments.runner + [arguments.data_set], capture_output=True)
    if data_set.returncode != 0:
        sys.exit(f"FAILED: the data set's printer: exit status {data_set.returncode}, "
                 f"standard error {data_set.stderr!r}")
    numbers = list(map(int, data_set.stdout.split()))
    value = int(arguments.value)
    linear = numbers.index(value) if value in numbers else -1
    numbers.sort()
    output = result.stdout.decode()
    if result.returncode != 0 or result.stderr:
        sys.exit(f"FAILED: exit status {result.returncode}, standard error {result.stderr!r}")
    # The hand-written search may report any of several equal elements.
    hand_written = -1 if linear == -1 else "an equal element's subscript"
    reported = [int(subscript) for subscript in re.findall(r"subscript (\d+)", output)]
    if reported and reported[-1] < len(numbers) and numbers[reported[-1]] == value:
        hand_written = reported[-1]

    # Each figure as a stream writes a double by default, and no more than
    # the whole program took (twice that, as an emulator's own threads add to
    # a process's time): a figure in the wrong unit is a thousand times off.
    def seconds(match):
        if f"{float(match[1]):g}" != match[1] or float(match[1]) > 2 * wall_seconds:
            sys.exit(f"FAILED: {match[1]} is not the seconds a run took\n{output}")
        return "was S seconds."

    found = re.sub(r"was ([-+.e\d]+) seconds\.", seconds, output)
    wanted = transcript(linear, halving(numbers, value), hand_written)
    if found != wanted.replace("\n", arguments.newline):
        sys.exit(f"FAILED: the transcript\n{output!r}\nshould be\n{wanted!r}")
    print(output, end="")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--crlf", dest="newline", action="store_const", const="\r\n",
                        default="\n")
    parser.add_argument("--stdout", choices=["full", "closed"])
    for name in ("program", "data_set", "input", "value", "runner"):
        parser.add_argument(name, nargs="*" if name == "runner" else None)
    arguments = parser.parse_args()
    # What the user types, then Enter; empty input ends before any line.
    typed = (arguments.input + "\n" if arguments.input else "").encode()
    started = time.monotonic()
    with open("/dev/full", "wb") as full:
        result = subprocess.run(
            arguments.runner + [arguments.program], input=typed, stderr=subprocess.PIPE,
            stdout=full if arguments.stdout else subprocess.PIPE,
            preexec_fn=(lambda: os.close(1)) if arguments.stdout == "closed" else None)
    if not arguments.stdout:
        check_transcript(arguments, result, time.monotonic() - started)
        return
    lines = result.stderr.splitlines()
    if result.returncode == 0 or len(lines) != 1 or b"standard output" not in lines[0]:
        sys.exit(f"FAILED: exit status {result.returncode} and standard error {result.stderr!r}, "
                 "though the transcript was lost")
    print(f"exit status {result.returncode}, standard error: {lines[0].decode()}")


if __name__ == "__main__":
    main()
