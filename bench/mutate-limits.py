#!/usr/bin/env python3
"""Changes the computer player's limits one at a time and counts how many of
those changes its tests catch.

    bench/mutate-limits.py BUILD [--files A.cpp,B.cpp] [--lines FROM-TO]
                           [--sample N] [--seed S] [--list]

BUILD is a Release CMake build folder without sanitizers (configured once
with -DCMAKE_BUILD_TYPE=Release). For each comparison operator and integer
constant in the decision code of varenta/computer/*.cpp (or the files named),
the script makes one change (`<` to `<=`, `<=` to `<`, `>` to `>=`, `>=` to
`>`, a constant one up and one down), rebuilds only varenta_computer_tests
(one object and the link), runs it, and puts the file back. A change is
caught when the tests fail (or run past the time-out); one that does not
compile is counted apart. It prints a summary and every change missed; a
missed change beside a comment saying that the limit cannot change the play
(as the rules are written) is listed apart, and the share is also given
without those.
--list only lists the changes; --sample N tries N of them, drawn with --seed.

Not decisions, and so never changed:
  - preprocessor lines, comments and text after `//`, string literals;
  - `for` headers that walk a pile or a hand by index (their variable starts
    at 0 or counts down, or the bound is a size or count): changing them only
    reads past the cards, which decides nothing;
  - template arguments and array sizes (`std::array<int, 14>`), `fill(`,
    shift operators and `->`;
  - the 1 of `+= 1` and `-= 1` and the `? 1 : 0` of a count: they count a
    card, they set no limit (the condition before the `?` is still changed).
"""

import argparse
import os
import random
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCES = ROOT / "varenta" / "computer"
TARGET = "varenta_computer_tests"
TEST_BINARY = Path("varenta") / "computer" / TARGET
TIMEOUT = 120

COMPARISON = re.compile(r"(?<![<>=!-])(<=|>=|<|>)(?![<>=])")
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
CONTAINER_WALK = re.compile(r"\bfor\s*\((?:[^;]*=\s*0\s*;|[^;]*;[^;]*(?:Size\(\)|count|size\(\)|"
                            r"handSize\(\))|.*-- > 0|.*--\s*[a-z])")


def strip_code(line):
    """The line with its comment and string literals blanked (same length)."""
    out = []
    i = 0
    in_string = False
    while i < len(line):
        ch = line[i]
        if in_string:
            out.append(" ")
            if ch == "\\":
                out.append(" ")
                i += 1
            elif ch == '"':
                in_string = False
        elif ch == '"':
            in_string = True
            out.append(" ")
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(ch)
        i += 1
    return "".join(out)[: len(line)]


def template_spans(code):
    """Spans of template argument lists (`<...>` after a name like array)."""
    spans = []
    for m in re.finditer(r"\b(?:std::)?(?:array|vector|unique_ptr|make_unique|static_cast|"
                         r"string_view|pair|optional|numeric_limits|function)\s*<", code):
        depth = 0
        for j in range(m.end() - 1, len(code)):
            if code[j] == "<":
                depth += 1
            elif code[j] == ">":
                depth -= 1
                if depth == 0:
                    spans.append((m.start(), j + 1))
                    break
    return spans


def inside(pos, spans):
    return any(a <= pos < b for a, b in spans)


def mutants_of(path):
    lines = path.read_text().splitlines(keepends=True)
    found = []
    for number, line in enumerate(lines, start=1):
        stripped = line.strip()
        if not stripped or stripped.startswith("#") or stripped.startswith("//"):
            continue
        code = strip_code(line.rstrip("\n"))
        if CONTAINER_WALK.search(code) or "fill(" in code:
            continue
        spans = template_spans(code)
        for m in COMPARISON.finditer(code):
            if inside(m.start(), spans) or code[m.start() - 1 : m.start() + 1] == "->":
                continue
            op = m.group(1)
            new = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}[op]
            found.append((path, number, m.start(), m.end(), new, f"{op} -> {new}"))
        counting = [(k.start(), k.end()) for k in re.finditer(r"\?\s*1\s*:\s*0\b", code)]
        for m in NUMBER.finditer(code):
            if inside(m.start(), spans) or inside(m.start(), counting):
                continue
            before = code[: m.start()].rstrip()
            if m.group(1) == "1" and (before.endswith("+=") or before.endswith("-=")):
                continue
            value = int(m.group(1))
            for delta in (1, -1):
                if value + delta < 0:
                    continue
                found.append((path, number, m.start(), m.end(), str(value + delta),
                              f"{value} -> {value + delta}"))
    return found


# The words of the comments that say a limit cannot change the play.
UNCHANGEABLE = ("reads the same", "read the same", "cannot change the play",
                "never a different play")


def stated_unchangeable(lines, number):
    """Whether the comment just above the line (or on it) says so."""
    i = number - 1
    text = lines[i]
    while i > 0 and lines[i - 1].strip().startswith("//"):
        i -= 1
        text = lines[i] + " " + text
    text = " ".join(text.replace("//", " ").split())
    return any(words in text for words in UNCHANGEABLE)


def apply(mutant):
    path, number, start, end, new, _ = mutant
    lines = path.read_text().splitlines(keepends=True)
    original = "".join(lines)
    line = lines[number - 1]
    lines[number - 1] = line[:start] + new + line[end:]
    path.write_text("".join(lines))
    return original


def run(build, mutant):
    """'caught', 'missed' or 'no-build'."""
    path = mutant[0]
    original = apply(mutant)
    try:
        built = subprocess.run(["ninja", "-C", str(build), "-j1", TARGET],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if built.returncode != 0:
            return "no-build"
        try:
            tested = subprocess.run([str(build / TEST_BINARY), "--gtest_brief=1"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            return "caught"
        return "caught" if tested.returncode != 0 else "missed"
    finally:
        path.write_text(original)
        # The object is rebuilt from the original at the next change or at
        # the end: the restored file is newer than the mutant's object.
        os.utime(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", type=Path)
    parser.add_argument("--files", default="")
    parser.add_argument("--lines", default="")
    parser.add_argument("--sample", type=int, default=0)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()

    files = sorted(SOURCES.glob("*.cpp"))
    if args.files:
        wanted = set(args.files.split(","))
        files = [f for f in files if f.name in wanted]
    mutants = [m for f in files for m in mutants_of(f)]
    if args.lines:
        low, high = (int(x) for x in args.lines.split("-"))
        mutants = [m for m in mutants if low <= m[1] <= high]
    if args.sample and args.sample < len(mutants):
        mutants = sorted(random.Random(args.seed).sample(mutants, args.sample),
                         key=lambda m: (m[0].name, m[1], m[2]))
    if args.list:
        for m in mutants:
            print(f"{m[0].name}:{m[1]}:{m[2] + 1}: {m[5]}")
        print(f"{len(mutants)} changes")
        return 0

    build = args.build.resolve()
    if subprocess.run(["ninja", "-C", str(build), "-j2", TARGET]).returncode != 0:
        print("the unchanged code does not build", file=sys.stderr)
        return 2
    if subprocess.run([str(build / TEST_BINARY), "--gtest_brief=1"],
                      stdout=subprocess.DEVNULL).returncode != 0:
        print("the unchanged code fails its tests", file=sys.stderr)
        return 2
    counts = {"caught": 0, "missed": 0, "no-build": 0}
    missed = []
    stated = []
    for i, m in enumerate(mutants, start=1):
        result = run(build, m)
        counts[result] += 1
        text = f"{m[0].name}:{m[1]}:{m[2] + 1}: {m[5]}"
        print(f"[{i}/{len(mutants)}] {result}: {text}", flush=True)
        if result == "missed":
            lines = m[0].read_text().splitlines()
            entry = text + "    " + lines[m[1] - 1].strip()
            if stated_unchangeable(lines, m[1]):
                stated.append(entry)
            else:
                missed.append(entry)
    subprocess.run(["ninja", "-C", str(build), "-j2", TARGET], stdout=subprocess.DEVNULL)
    judged = counts["caught"] + counts["missed"]
    share = 100.0 * counts["caught"] / judged if judged else 0.0
    print(f"\ncaught {counts['caught']} of {judged} ({share:.1f} %), "
          f"{counts['no-build']} did not compile")
    rest = judged - len(stated)
    if stated and rest:
        print(f"of the {len(stated)} missed beside a comment saying the limit cannot change the "
              f"play left aside: caught {counts['caught']} of {rest} "
              f"({100.0 * counts['caught'] / rest:.1f} %)")
    if stated:
        print("missed, beside such a comment:")
        for text in stated:
            print("  " + text)
    if missed:
        print("missed:")
        for text in missed:
            print("  " + text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
