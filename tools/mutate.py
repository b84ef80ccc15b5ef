#!/usr/bin/env python3
"""Puts small faults into src/ one at a time and counts those the tests catch.

Each fault changes one line, outside comments, strings and preprocessor
lines: a comparison flipped (== and !=, < and <=, > and >=), && and ||
swapped, + and - or * and / swapped, or an integer constant made one
larger or smaller. For each fault the tool rebuilds the unit tests and the
program in a build folder of its own, with AddressSanitizer and
UndefinedBehaviorSanitizer as in CI's sanitizer build (a fault that reads
past the end of an array is caught there, and only there), runs the unit
tests and the fuzz corpus replays (not the X11, Wayland, help file, man
page and install tests, which need other programs and take long), and
restores the file.

A fault is caught when a test fails (or runs past the time limit), survives
when every test passes, is equivalent when every object file comes out the
same as without it, and does not count when it does not compile. The score
is caught / (caught + survived). It rebuilds once per fault, so CI does not
run it; by hand:

    python3 tools/mutate.py                  40 faults, a random seed
    python3 tools/mutate.py -n 60 --seed 7   the same 60 faults again
    python3 tools/mutate.py --list           every place a fault can go
"""
import argparse
import hashlib
import os
import random
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Files the POSIX build does not compile: the Windows side of each pair,
# and the Windows platform.
SKIPPED_MARK = "win32"
# CTest runs every test through the launcher, the corpus replays too; the
# GoogleTest tests are also listed through it as they are built.
TARGETS = ["korvatex", "korvatex_tests", "korvatex_test_launcher"] + [
    "fuzz_" + t for t in
    ("fold", "split_record", "settings", "element_report", "formula", "command_main")]

SWAPS = [
    (r" == ", " != "), (r" != ", " == "), (r" <= ", " < "), (r" >= ", " > "),
    (r" < ", " <= "), (r" > ", " >= "), (r" && ", " || "), (r" \|\| ", " && "),
    (r" \+ ", " - "), (r" - ", " + "), (r" \* ", " / "), (r" / ", " * "),
]
CONSTANT = re.compile(r"(?<![\w.])(0[xX][0-9A-Fa-f]+|\d+)([uUlL]*)(?![\w.'])")


def code_only(text):
    """`text` with comments, string and character literals blanked out
    (same length, line ends kept), so that offsets still match."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            j += 1
            if c == "'" and i > 0 and text[i - 1].isalnum():  # a digit separator
                i += 1
                continue
        else:
            i += 1
            continue
        for k in range(i, min(j, n)):
            if out[k] != "\n":
                out[k] = " "
        i = j
    return "".join(out)


def sites(root):
    """Every (file, line, column, old, new) a fault can be put at."""
    found = []
    for folder, _, files in sorted(os.walk(os.path.join(root, "src"))):
        for name in sorted(files):
            if not name.endswith((".cc", ".h")):
                continue
            path = os.path.relpath(os.path.join(folder, name), root)
            if SKIPPED_MARK in os.path.basename(path):
                continue
            with open(os.path.join(root, path), encoding="utf-8") as f:
                text = f.read()
            for number, line in enumerate(code_only(text).split("\n"), 1):
                if line.lstrip().startswith("#"):
                    continue
                for pattern, new in SWAPS:
                    for m in re.finditer(pattern, line):
                        found.append((path, number, m.start(), m.group(0), new))
                for m in CONSTANT.finditer(line):
                    digits = m.group(1)
                    value = int(digits, 0)
                    for delta in (1, -1):
                        if value + delta < 0:
                            continue
                        if digits.lower().startswith("0x"):
                            new = "0x%X" % (value + delta)
                        else:
                            new = str(value + delta)
                        found.append((path, number, m.start(1), digits, new))
    return found


def objects_digest(build):
    digest = hashlib.sha256()
    for folder, _, files in sorted(os.walk(build)):
        for name in sorted(files):
            if name.endswith(".o"):
                with open(os.path.join(folder, name), "rb") as f:
                    digest.update(name.encode() + hashlib.sha256(f.read()).digest())
    return digest.hexdigest()


def run(command, timeout=None):
    # In a session of its own, so that a run past the time limit is ended
    # with every process it started: a fault that makes the program loop
    # would otherwise leave it spinning, started by a test that was killed.
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return "timeout"


def build(build_dir, jobs):
    return run(["cmake", "--build", build_dir, "-j%d" % jobs, "--target"] + TARGETS) == 0


def tests_pass(build_dir, jobs):
    gtest = run([os.path.join(build_dir, "tests", "korvatex_tests"), "--gtest_brief=1",
                 "--gtest_fail_fast"], timeout=90)
    if gtest != 0:
        return False
    return run(["ctest", "--test-dir", build_dir, "-R", "^fuzz_corpus_", "-j%d" % jobs,
                "--timeout", "120"]) == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("-n", "--count", type=int, default=40, help="faults to try (40)")
    parser.add_argument("--seed", type=int, help="random seed (default: from the clock)")
    parser.add_argument("--root", default=ROOT, help="the source tree (this one)")
    parser.add_argument("--build", help="build folder (ROOT/build-mutate)")
    parser.add_argument("-j", "--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="list the places and stop")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    build_dir = args.build or os.path.join(root, "build-mutate")

    candidates = sites(root)
    if args.list:
        for path, number, column, old, new in candidates:
            print("%s:%d:%d %r -> %r" % (path, number, column + 1, old, new))
        print("%d places" % len(candidates))
        return 0
    seed = args.seed if args.seed is not None else int(time.time())
    chosen = random.Random(seed).sample(candidates, min(args.count, len(candidates)))
    print("%d places, %d chosen, seed %d" % (len(candidates), len(chosen), seed), flush=True)

    if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
        run(["cmake", "-S", root, "-B", build_dir, "-DKORVATEX_SANITIZE=ON"])
    if not build(build_dir, args.jobs):
        print("mutate: the unmutated tree does not build in " + build_dir, file=sys.stderr)
        return 2
    if not tests_pass(build_dir, args.jobs):
        print("mutate: the unmutated tree does not pass its tests", file=sys.stderr)
        return 2
    clean = objects_digest(build_dir)

    counts = {"caught": 0, "survived": 0, "equivalent": 0, "no build": 0}
    survivors = []
    for index, (path, number, column, old, new) in enumerate(chosen, 1):
        full = os.path.join(root, path)
        with open(full, encoding="utf-8") as f:
            original = f.read()
        lines = original.split("\n")
        line = lines[number - 1]
        lines[number - 1] = line[:column] + new + line[column + len(old):]
        try:
            with open(full, "w", encoding="utf-8") as f:
                f.write("\n".join(lines))
            if not build(build_dir, args.jobs):
                verdict = "no build"
            elif objects_digest(build_dir) == clean:
                verdict = "equivalent"
            else:
                verdict = "survived" if tests_pass(build_dir, args.jobs) else "caught"
        finally:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original)
        counts[verdict] += 1
        where = "%s:%d: %s" % (path, number, lines[number - 1].strip())
        if verdict == "survived":
            survivors.append(where)
        print("[%d/%d] %-10s %s" % (index, len(chosen), verdict, where), flush=True)

    build(build_dir, args.jobs)
    scored = counts["caught"] + counts["survived"]
    print("\n" + ", ".join("%s %d" % item for item in counts.items()))
    if scored:
        print("score: %d of %d caught, %.0f %%" %
              (counts["caught"], scored, 100.0 * counts["caught"] / scored))
    for where in survivors:
        print("survived: " + where)
    return 0


if __name__ == "__main__":
    sys.exit(main())
