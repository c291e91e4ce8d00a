#!/usr/bin/env python3
"""Program code reaches the host only through the runtime.

The two programs (Pellwyn: platform/ framework/ game/ app/; Carrowin: celib/
solitaire/) run on wince/, which gives them files, threads, time and the
device's settings on its own terms: under a virtual clock, a device root and
a headless back end, so that tests and scripted runs are the same every time.
A direct call to the host below it escapes all that. This check fails on any
such call in program code and names what to use instead.

    python3 scripts/check_forbidden_symbols.py [REPO]

Comments and string literals are not looked at.
"""

import fnmatch
import os
import re
import sys

PROGRAM_FOLDERS = ["platform", "framework", "game", "app", "celib", "solitaire"]
SOURCE_SUFFIXES = (".cpp", ".h")

# (rule, pattern, what to use instead)
RULES = [
    # Files: the device's files live under the device root, named by device
    # paths; wince/file.h opens them (CreateFile, _wfopen, FindFirstFile,
    # DeleteFile, MoveFile, CreateDirectory, GetFileAttributes).
    ("host file call",
     r"\b(?:std::)?(?:fopen|freopen|fdopen|tmpfile|tmpnam|mkstemp|mkdtemp)\s*\("
     r"|(?<![\w.>])::(?:open|openat|creat|stat|lstat|fstat|unlink|rmdir|mkdir|access|opendir)\s*\("
     r"|\bstruct\s+stat\b"
     r"|#\s*include\s*<(?:fcntl\.h|unistd\.h|dirent\.h|sys/stat\.h|sys/mman\.h)>",
     "wince/file.h (CreateFile, ReadFile, _wfopen, FindFirstFile, DeleteFile, MoveFile ...)"),
    ("host file stream",
     r"\b(?:std::)?(?:basic_)?[io]?fstream\b|\bstd::filebuf\b|#\s*include\s*<fstream>",
     "wince/file.h (CreateFile, ReadFile, WriteFile, _wfopen)"),
    ("std::filesystem",
     r"\bstd::(?:experimental::)?filesystem\b|#\s*include\s*<(?:experimental/)?filesystem>",
     "wince/file.h (device paths: FindFirstFile, GetFileAttributes, CreateDirectory, MoveFile)"),
    # Threads: the runtime's threads are joined at exit and stop with it.
    ("host thread",
     r"\bstd::(?:thread|jthread|async)\b|#\s*include\s*<(?:thread|future|pthread\.h)>|\bpthread_create\b",
     "wince/thread.h (CreateThread, events, WaitForSingleObject)"),
    # Time: one clock, real or virtual; headless runs and tests move it.
    ("real-time clock",
     r"\b(?:system_clock|steady_clock|high_resolution_clock)\b|\bclock_gettime\b|\bgettimeofday\b"
     r"|(?<![\w.>])(?:std::)?time\s*\(\s*(?:nullptr|NULL|0|&\s*\w+)\s*\)"
     r"|(?<![\w.>:])(?:std::)?clock\s*\(\s*\)",
     "wince/clock.h (GetTickCount, clockNowMs) and GetLocalTime / GetSystemTime (wince/system.h)"),
    ("host sleep",
     r"\bsleep_(?:for|until)\b|(?<![\w.>])(?:usleep|nanosleep)\s*\(|(?<![\w.>:])sleep\s*\(",
     "Sleep (wince/clock.h), WaitForSingleObject with a timeout (wince/thread.h)"),
    # The host's environment is not the device's.
    ("environment",
     r"\b(?:std::)?(?:secure_)?getenv\b|\b(?:setenv|putenv|unsetenv)\s*\(",
     "the registry (wince/registry.h) and the device profile (wince/system.h)"),
    # Randomness: one seam per program, so that a headless run can repeat it.
    ("host random numbers",
     r"\bstd::rand\b|(?<![\w.>:])rand\s*\(\s*\)|\b(?:std::)?srand\s*\(|\brand_r\b"
     r"|#\s*include\s*<random>|\bstd::(?:random_device|mt19937(?:_64)?|minstd_rand0?|default_random_engine)\b",
     "the program's one random seam (Pellwyn: QZRandom and QZSeedRandom; Carrowin: its deal generator)"),
]

# Where the game's own rules call for one of the above, by rule and path
# pattern (a path below the repository; '*' also crosses folders).
EXCEPTIONS = [
    # Pellwyn's QZRandom is defined as the C library's rand() modulo n,
    # seeded with the tick count at start-up.
    ("host random numbers", "platform/*qz_system.cpp"),
    # Carrowin's shuffle key is the sum of two C runtime random values, and a
    # game number of 0 seeds the C runtime's generator with the tick count:
    # both go through SolRandom and SolSeedRandom.
    ("host random numbers", "solitaire/*sol_platform.cpp"),
]

COMPILED = [(name, re.compile(pattern), instead) for name, pattern, instead in RULES]

# Comments, string and character literals (raw strings are not used in
# program code), each replaced by blanks of the same lines.
_CODE_NOISE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)


def _blank(match):
    return re.sub(r"[^\n]", " ", match.group(0))


def code_only(text):
    return _CODE_NOISE.sub(_blank, text)


def allowed(rule, path):
    return any(rule == r and fnmatch.fnmatch(path, pattern) for r, pattern in EXCEPTIONS)


def program_files(repo):
    for folder in PROGRAM_FOLDERS:
        for root, dirs, files in os.walk(os.path.join(repo, folder)):
            dirs.sort()
            for name in sorted(files):
                if name.endswith(SOURCE_SUFFIXES):
                    full = os.path.join(root, name)
                    yield full, os.path.relpath(full, repo).replace(os.sep, "/")


def violations(repo):
    found = []
    for full, path in program_files(repo):
        with open(full, encoding="utf-8", errors="replace") as f:
            lines = code_only(f.read()).split("\n")
        for number, line in enumerate(lines, 1):
            for rule, pattern, instead in COMPILED:
                if pattern.search(line) and not allowed(rule, path):
                    found.append(f"{path}:{number}: {rule}: {line.strip()}\n    use {instead}")
    return found


def main(argv):
    repo = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    found = violations(repo)
    for v in found:
        print(v)
    if found:
        print(f"{len(found)} direct host call(s) in program code; see scripts/check_forbidden_symbols.py")
        return 1
    print("program code reaches the host only through the runtime")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
