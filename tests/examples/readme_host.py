#!/usr/bin/env python3
"""The README's host example, done as the README says, so that the README
cannot drift from what works.

Usage: readme_host.py REPOSITORY DIST SCRATCH

The README's shell block that builds examples/host.cpp is run line by line in
SCRATCH, a stand-in for the repository's root whose build/dist is DIST (the
product `./run test` installs, as `./run dist` does) and whose examples/ is the
repository's. `./run dist` has been done already, and `./run session CMD` runs
CMD directly, since the test runs in the session `./run test` keeps up. What
the program prints must be the README's text block after the shell block.
With GTEST_OUTPUT set, as for the GoogleTest programs, the result is also
written there as a report of one test."""
import os
import re
import shutil
import subprocess
import sys
from xml.sax.saxutils import quoteattr


def readme_blocks(path):
    """The README's shell block that builds the host, and the block after it."""
    with open(path, encoding="utf-8") as f:
        blocks = re.findall(r"^```(\w*)\n(.*?)^```$", f.read(), re.M | re.S)
    for i, (lang, text) in enumerate(blocks):
        if lang == "sh" and "examples/host.cpp" in text and i + 1 < len(blocks):
            return text, blocks[i + 1][1]
    raise RuntimeError("README.md has no shell block building examples/host.cpp with its output after it")


def run(repo, dist, scratch):
    commands, expected = readme_blocks(os.path.join(repo, "README.md"))
    if not os.path.isdir(os.path.join(dist, "lib")):
        raise RuntimeError(f"no product in {dist}: run ./run dist (./run test installs it)")
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(os.path.join(scratch, "build"))
    os.symlink(os.path.abspath(dist), os.path.join(scratch, "build", "dist"))
    os.symlink(os.path.join(repo, "examples"), os.path.join(scratch, "examples"))
    output = ""
    for line in commands.replace("\\\n", " ").splitlines():
        line = line.split("#", 1)[0].strip()
        if not line or line == "./run dist":
            continue
        line = re.sub(r"^\./run session ", "", line)
        done = subprocess.run(line, shell=True, cwd=scratch, executable="/bin/bash",
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if done.returncode != 0:
            raise RuntimeError(f"{line}\nexited with {done.returncode}:\n{done.stdout}")
        output = done.stdout.replace("\r", "")
    if output != expected:
        raise RuntimeError(f"the host printed\n{output}\nwhere the README shows\n{expected}")


def report(failure):
    """A GoogleTest-style report where GTEST_OUTPUT asks for one."""
    where = os.environ.get("GTEST_OUTPUT", "")
    if not where.startswith("xml:"):
        return
    folder = where[4:]
    if re.match(r"^[A-Za-z]:", folder):  # a Wine path, as the Windows programs are given
        folder = subprocess.run(["winepath", "-u", folder], stdout=subprocess.PIPE, text=True).stdout.strip()
    body = f"<failure message={quoteattr(failure)}/>" if failure else ""
    with open(os.path.join(folder, "readme_host.xml"), "w", encoding="utf-8") as f:
        f.write(f'<testsuites><testsuite name="ReadmeHost"><testcase classname="ReadmeHost" '
                f'name="BuildsAndPrintsAsShown">{body}</testcase></testsuite></testsuites>\n')


def main():
    repo, dist, scratch = sys.argv[1:4]
    try:
        run(repo, dist, scratch)
        failure = ""
    except Exception as e:  # every failure is the test's
        failure = str(e)
        print(failure, file=sys.stderr)
    report(failure)
    return 1 if failure else 0


if __name__ == "__main__":
    sys.exit(main())
