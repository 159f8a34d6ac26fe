#!/usr/bin/env python3
"""Checks that an edit to an assembly file that another includes rebuilds
what includes it.

    rebuildTest.py CMAKE SOURCE_DIR PRESET INCLUDED OBJECT

copies SOURCE_DIR to a temporary folder, builds its routines with PRESET,
appends a directive to INCLUDED (a path in SOURCE_DIR), builds them again,
and fails unless the routines' object named OBJECT (asmBranchlessSearch.S,
say) changed.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time


def main(cmake, source_dir, preset, included, object_name):
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, "source")
        shutil.copytree(source_dir, copy, ignore=lambda folder, names: [
            name for name in names if name == ".git" or folder == source_dir and name == "build"])
        build = os.path.join(copy, "build", preset)

        def build_routines():
            subprocess.run([cmake, "--build", build, "--target", "routines"], check=True,
                           stdout=subprocess.DEVNULL)
            found = [path for path in glob.glob(os.path.join(build, "CMakeFiles", "routines.dir",
                                                             "**", object_name + ".o*"),
                                                recursive=True)
                     if path.endswith((".o", ".obj"))]
            if len(found) != 1:
                sys.exit(f"FAILED: no one object {object_name}.o in {build}: {found}")
            with open(found[0], "rb") as built:
                return built.read()

        subprocess.run([cmake, "--preset", preset, "-DBUILD_TESTING=OFF"], cwd=copy, check=True,
                       stdout=subprocess.DEVNULL)
        before = build_routines()
        time.sleep(1)  # past the object's time stamp, however coarse
        with open(os.path.join(copy, included), "a") as source:
            source.write('        .ident  "edited"\n')
        if build_routines() == before:
            sys.exit(f"FAILED: {object_name} was not rebuilt after an edit to {included}")
    print("ok")


if __name__ == "__main__":
    main(*sys.argv[1:])
