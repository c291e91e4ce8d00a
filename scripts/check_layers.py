#!/usr/bin/env python3
"""Fails when an #include points the wrong way between the libraries.

The chains, each library above the ones it may include:

  Pellwyn:  app -> game -> framework -> platform -> base, wince
            platform: system -> graphics, audio -> storage -> format
            (graphics and audio do not include each other; format includes
            only base)
  Carrowin: solitaire -> celib -> wince, base
  wince includes only wince and base; base includes nothing of ours.
  The runtime's host-facing headers (wince/host/) are for the runtime, its
  back ends, tools and tests: no program library includes them.

Nothing of one program includes the other's. Every quoted include must
resolve to a header of a library the including file may use (or of its own
folder); system headers in angle brackets are not checked.

Usage: check_layers.py [SOURCE_ROOT]   (exit status 1 on any violation)
"""

import os
import re
import sys

# Library -> (folders whose headers it owns, libraries it may include).
PLATFORM = ["format", "storage", "graphics", "audio", "system"]
LIBRARIES = {
    "base": (["base/include/base"], []),
    "wince": (["wince/include/wince", "wince/src", "wince/main"], ["wince-host", "base"]),
    "format": (["platform/format"], ["base"]),
    "storage": (["platform/storage"], ["format", "base", "wince"]),
    "graphics": (["platform/graphics"], ["storage", "format", "base", "wince"]),
    "audio": (["platform/audio"], ["storage", "format", "base", "wince"]),
    "system": (["platform/system"], ["graphics", "audio", "storage", "format", "base", "wince"]),
    "framework": (["framework"], PLATFORM + ["base", "wince"]),
    "game": (["game"], ["framework"] + PLATFORM + ["base", "wince"]),
    "app": (["app"], ["game", "framework"] + PLATFORM + ["base", "wince"]),
    "pellwyn": (["programs/pellwyn"], ["app", "game", "framework"] + PLATFORM + ["base", "wince"]),
    "celib": (["celib"], ["wince", "base"]),
    "solitaire": (["solitaire"], ["celib", "wince", "base"]),
    "minimal": (["programs/minimal"], ["wince", "base"]),
}
# Headers named with their folder: "wince/window.h", "base/byte_reader.h".
PREFIXED = {"wince/host/": "wince-host", "wince/": "wince", "base/": "base"}
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.MULTILINE)
SOURCES = (".h", ".hpp", ".cpp", ".cc")


def owned_headers(root):
    """Bare header name -> set of libraries that own a header of that name."""
    owners = {}
    for library, (folders, _) in LIBRARIES.items():
        for folder in folders:
            path = os.path.join(root, folder)
            if not os.path.isdir(path):
                continue
            for name in os.listdir(path):
                if name.endswith(SOURCES[:2]):
                    owners.setdefault(name, set()).add(library)
    return owners


def library_of(relative):
    for library, (folders, _) in LIBRARIES.items():
        if any(os.path.dirname(relative) == folder for folder in folders):
            return library
    return None


def target_of(include, source_dir, root, owners):
    """The library an include names, or None when it names none of ours."""
    for prefix, library in PREFIXED.items():
        if include.startswith(prefix):
            return {library}
    local = os.path.normpath(os.path.join(source_dir, include))
    if os.path.isfile(local):
        found = library_of(os.path.relpath(local, root))
        return {found} if found else {"(outside the libraries)"}
    return owners.get(os.path.basename(include)) if "/" not in include else None


def check(root):
    owners = owned_headers(root)
    faults = []
    for library, (folders, allowed) in LIBRARIES.items():
        may_use = set(allowed) | {library}
        for folder in folders:
            path = os.path.join(root, folder)
            if not os.path.isdir(path):
                continue
            for name in sorted(os.listdir(path)):
                if not name.endswith(SOURCES):
                    continue
                source = os.path.join(path, name)
                with open(source, encoding="utf-8", errors="replace") as f:
                    text = f.read()
                for match in INCLUDE.finditer(text):
                    include = match.group(1)
                    line = text.count("\n", 0, match.start()) + 1
                    where = f"{folder}/{name}:{line}"
                    targets = target_of(include, path, root, owners)
                    if not targets:
                        faults.append(f'{where}: "{include}" is no header of ours that {library} may use')
                    elif not targets & may_use:
                        faults.append(f'{where}: {library} includes "{include}" of {"/".join(sorted(targets))}')
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    faults = check(os.path.abspath(root))
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) point the wrong way")
        return 1
    print("includes keep the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
