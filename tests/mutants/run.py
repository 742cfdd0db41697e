#!/usr/bin/env python3
"""Plants the faults of mutants.tsv one at a time in a copy of the sources,
builds the native tests (the sanitizer configuration `./run test` uses) and
runs them, and tells which faults the tests catch.

    tests/mutants/run.py [--work DIR] [--only N,...] [--out FILE]

The copy is taken from the working tree (tracked files as they are now), so
the sources themselves are never touched. A fault counts as caught when a test
fails or crashes; a fault that does not build is reported as such (the list
is meant to hold only faults that build). The result is a table, one line per
fault, also written to --out.
"""
import argparse
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def read_mutants(path):
    mutants = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 5:
                sys.exit("mutants.tsv: a line without five fields: " + line)
            mutants.append({"file": fields[0], "occurrence": int(fields[1]), "text": fields[2],
                            "replacement": fields[3], "what": fields[4]})
    return mutants


def copy_tree(work):
    src = os.path.join(work, "src")
    files = subprocess.check_output(["git", "ls-files", "-z"], cwd=ROOT).decode().split("\0")
    for name in files:
        if not name or not os.path.exists(os.path.join(ROOT, name)):
            continue
        target = os.path.join(src, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        if not os.path.exists(target) or open(os.path.join(ROOT, name), "rb").read() != open(target, "rb").read():
            shutil.copy2(os.path.join(ROOT, name), target)
    return src


def plant(path, mutant):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    start = -1
    for _ in range(mutant["occurrence"]):
        start = text.find(mutant["text"], start + 1)
        if start < 0:
            sys.exit("%s: no occurrence %d of: %s" % (mutant["file"], mutant["occurrence"], mutant["text"]))
    return text, text[:start] + mutant["replacement"] + text[start + len(mutant["text"]):]


def run(cmd, cwd, env=None, timeout=None):
    try:
        return subprocess.run(cmd, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", default=os.path.join(ROOT, "build", "mutants"))
    parser.add_argument("--only", default="")
    parser.add_argument("--out", default="")
    args = parser.parse_args()

    mutants = read_mutants(os.path.join(ROOT, "tests", "mutants", "mutants.tsv"))
    chosen = [int(n) for n in args.only.split(",") if n] or range(1, len(mutants) + 1)
    src = copy_tree(args.work)
    build = os.path.join(args.work, "build")
    jobs = str(os.cpu_count() or 2)
    if not os.path.exists(os.path.join(build, "build.ninja")):
        subprocess.check_call(["cmake", "-S", src, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                               "-DEXTKIT_SANITIZE=ON"], stdout=subprocess.DEVNULL)
    subprocess.check_call(["cmake", "--build", build, "-j", jobs], stdout=subprocess.DEVNULL)
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=1", UBSAN_OPTIONS="halt_on_error=1")
    if run(["ctest", "-j", jobs], build, env) != 0:
        sys.exit("the tests fail without any fault planted")

    lines = []
    caught = 0
    for n in chosen:
        m = mutants[n - 1]
        path = os.path.join(src, m["file"])
        original, mutated = plant(path, m)
        with open(path, "w", encoding="utf-8") as f:
            f.write(mutated)
        try:
            if run(["cmake", "--build", build, "-j", jobs], build) != 0:
                verdict = "does not build"
            elif run(["ctest", "-j", jobs, "--timeout", "300"], build, env) != 0:
                verdict = "caught"
                caught += 1
            else:
                verdict = "MISSED"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        line = "%2d\t%s\t%s\t%s" % (n, m["file"], m["what"], verdict)
        print(line, flush=True)
        lines.append(line)
    # Leave the build as the sources are.
    run(["cmake", "--build", build, "-j", jobs], build)
    summary = "%d of %d caught" % (caught, len(chosen))
    print(summary)
    if args.out:
        with open(args.out, "w", encoding="utf-8") as f:
            f.write("\n".join(lines + [summary]) + "\n")


if __name__ == "__main__":
    main()
