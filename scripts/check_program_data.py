#!/usr/bin/env python3
"""Fails when building one program alone would leave out some of its data.

Each program must depend on every data file it carries, so that building it
alone (`cmake --build BUILD --target pellwyn` in an empty build folder) gives
the same data as a full build. Building everything first and then asking
Ninja for each program's dependency graph answers that without a second
build:

  pellwyn, pellwyn-gallery   every file the full build put into Pellwyn's
                             install folder (what the first start installs)
  carrowin-*                 every build-tree file its resource script names
                             (compiled into the program)

must be a node of `ninja -t graph PROGRAM`: made by a step of the program's
own build. A tool that draws a whole folder of pictures declares one output
for it, the folder's "stamp"; a file in such a folder counts as made when
the stamp is a node.

Usage: check_program_data.py NINJA BUILD_DIR INSTALL_DIR PROGRAM[=RC_SCRIPT]...
A program given with a resource script is checked against the script's
files, one without against the install folder. Exit status 1 on any gap.
"""

import os
import re
import subprocess
import sys

LABEL = re.compile(r'^"0x[0-9a-f]+" \[label="([^"]*)"\]$')
NAMED_FILE = re.compile(r'"([^"]+)"')


def graph_nodes(ninja, build, target):
    """The files of the target's dependency graph, as absolute paths."""
    out = subprocess.run([ninja, "-C", build, "-t", "graph", target], check=True, capture_output=True,
                         text=True).stdout
    nodes = set()
    for line in out.splitlines():
        m = LABEL.match(line.strip())
        if m:
            nodes.add(os.path.normpath(os.path.join(build, m.group(1))))
    return nodes


def install_files(install):
    return sorted(os.path.join(install, name) for name in os.listdir(install)
                  if os.path.isfile(os.path.join(install, name)))


def script_files(script, build):
    """The files under the build folder that a resource script names."""
    files = []
    with open(script, encoding="utf-8") as f:
        for line in f:
            for name in NAMED_FILE.findall(line):
                path = os.path.normpath(name)
                if os.path.isabs(path) and path.startswith(build + os.sep):
                    files.append(path)
    return sorted(set(files))


def made(path, nodes):
    return path in nodes or os.path.join(os.path.dirname(path), "stamp") in nodes


def main(argv):
    if len(argv) < 5:
        print(__doc__)
        return 2
    ninja, build, install = argv[1], os.path.normpath(argv[2]), os.path.normpath(argv[3])
    failures = []
    for spec in argv[4:]:
        program, _, script = spec.partition("=")
        files = script_files(script, build) if script else install_files(install)
        if not files:
            failures.append(f"{program}: no data found to check (build everything first)")
            continue
        nodes = graph_nodes(ninja, build, program)
        missing = [os.path.relpath(f, build) for f in files if not made(f, nodes)]
        if missing:
            failures.append(f"{program} does not depend on: " + ", ".join(missing))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
