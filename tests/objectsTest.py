#!/usr/bin/env python3
"""Checks what the assembler made of the hand-written routines.

    objectsTest.py symbols CLANG NM TARGET SOURCE OBJECT SYMBOL...
        assembles SOURCE for TARGET into OBJECT, which must define exactly the
        SYMBOLs: the routines' own names, and none of their labels;
    objectsTest.py branch-protection READELF OBJECT...
        each OBJECT must carry the note that asks for BTI and signed return
        addresses;
    objectsTest.py same-flags READELF COMPILER OBJECT... -- COMPILER OBJECT...
        each compiler's OBJECTs must have recorded (-frecord-gcc-switches) the
        same flags as each other and as the other compiler's: the options that
        decide the code, less those that the compiler records by itself.
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def recorded(readelf, object_file):
    """The options that object_file says it was compiled with, less warnings
    (which GCC does not record) and the names of files."""
    dump = run(readelf, "--string-dump=.GCC.command.line", object_file)
    strings = re.findall(r"^\s*\[\s*[0-9a-f]+\]  (.*)$", dump, re.MULTILINE)
    if not strings:
        sys.exit(f"FAILED: {object_file} recorded no command line")
    words = shlex.split(" ".join(strings))
    # GCC records "GNU C++17 12.2.0 options", Clang the whole command.
    if words[:1] == ["GNU"]:
        words = words[3:]
    else:
        words = words[1:]
    options = set()
    skip = False
    for word in words:
        if skip:
            skip = False
        elif word in ("-D", "-I", "-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif word.startswith("-") and not re.match(r"-[DIMW]|-c$|-o", word):
            options.add(word)
    return options


def flags(readelf, compiler, objects):
    """The options that objects recorded, all alike, less those that compiler
    records when given no option at all."""
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "empty.cpp")
        object_file = os.path.join(folder, "empty.o")
        open(source, "w").close()
        run(compiler, "-frecord-gcc-switches", "-c", source, "-o", object_file)
        own = recorded(readelf, object_file)
    seen = {object_file: recorded(readelf, object_file) - own for object_file in objects}
    first = seen[objects[0]]
    for object_file, options in seen.items():
        if options != first:
            sys.exit(f"FAILED: {object_file} was built with {sorted(options)}, "
                     f"{objects[0]} with {sorted(first)}")
    return first


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
    elif mode == "same-flags":
        readelf, gcc, *rest = arguments
        gcc_objects = rest[:rest.index("--")]
        clang, *clang_objects = rest[rest.index("--") + 1:]
        gcc_flags = flags(readelf, gcc, gcc_objects)
        clang_flags = flags(readelf, clang, clang_objects)
        if gcc_flags != clang_flags:
            sys.exit(f"FAILED: GCC's contenders were built with {sorted(gcc_flags)}, "
                     f"Clang's with {sorted(clang_flags)}")
        print(" ".join(sorted(gcc_flags)))
    else:
        readelf, *objects = arguments
        # CMake hands over its list of objects as one argument, split by ';'.
        for object_file in ";".join(objects).split(";"):
            if "AArch64 feature: BTI, PAC" not in run(readelf, "--notes", object_file):
                sys.exit(f"FAILED: {object_file} does not ask for BTI and PAC")
    print("ok")


if __name__ == "__main__":
    main(*sys.argv[1:])
