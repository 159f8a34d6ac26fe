#!/usr/bin/env python3
"""Checks what the assembler made of the hand-written routines.

    objectsTest.py symbols CLANG NM TARGET SOURCE OBJECT SYMBOL...
        assembles SOURCE for TARGET into OBJECT, which must define exactly the
        SYMBOLs: the routines' own names, and none of their labels;
    objectsTest.py branch-protection READELF OBJECT...
        each OBJECT must carry the note that asks for BTI and signed return
        addresses.
"""
import os
import re
import subprocess
import sys


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def main(mode, *arguments):
    if mode == "symbols":
        clang, nm, target, source, object_file, *symbols = arguments
        # The routines include their instruction set's files by folder, from
        # the source's own.
        run(clang, "-target", target, "-I", os.path.dirname(source), "-c", source, "-o",
            object_file)
        # ltmp0 and the like mark sections for LLVM's arm64 Mach-O writer, which
        # makes them whatever the source says.
        defined = sorted(name for name in run(nm, "--defined-only", "--just-symbol-name",
                                              object_file).split()
                         if not re.fullmatch(r"ltmp\d+", name))
        if defined != sorted(symbols):
            sys.exit(f"FAILED: {object_file} defines {defined}, not {sorted(symbols)}")
    else:
        readelf, *objects = arguments
        # CMake hands over its list of objects as one argument, split by ';'.
        for object_file in ";".join(objects).split(";"):
            if "AArch64 feature: BTI, PAC" not in run(readelf, "--notes", object_file):
                sys.exit(f"FAILED: {object_file} does not ask for BTI and PAC")
    print("ok")


if __name__ == "__main__":
    main(*sys.argv[1:])
