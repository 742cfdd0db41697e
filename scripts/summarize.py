#!/usr/bin/env python3
"""Adds up the GoogleTest results of both configurations and prints one line.

Every test program writes an XML report (with the number of table cases each
runner of a case table ran); a program that crashed before writing
one is counted from CTest's own record as one failure, so nothing is lost."""
import glob
import os
import sys
import xml.etree.ElementTree as ET


def ctest_failures(build_dir):
    """Names of CTest tests that failed in the last run of build_dir."""
    path = os.path.join(build_dir, "Testing", "Temporary", "LastTestsFailed.log")
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8", errors="replace") as f:
        return [line.strip().split(":", 1)[1] for line in f if ":" in line]


def main():
    """Arguments: the results folder, then CONFIG=BUILD_DIR pairs; the reports of
    CONFIG are in results/CONFIG/PROGRAM.xml."""
    results, pairs = sys.argv[1], [a.split("=", 1) for a in sys.argv[2:]]
    passed = failed = skipped = cases = 0
    for config, build_dir in pairs:
        failing_programs = set()
        for path in sorted(glob.glob(os.path.join(results, config, "*.xml"))):
            program = os.path.splitext(os.path.basename(path))[0]
            try:
                root = ET.parse(path).getroot()
            except ET.ParseError:
                continue
            for case in root.iter("testcase"):
                # Case tables record how many of their lines they ran, as an
                # attribute or as a property, depending on GoogleTest's version.
                recorded = case.get("table_cases")
                for prop in case.iter("property"):
                    if prop.get("name") == "table_cases":
                        recorded = prop.get("value")
                cases += int(recorded or 0)
                if case.find("failure") is not None:
                    failed += 1
                    failing_programs.add(program)
                    print(f"FAILED: {config} {case.get('classname')}.{case.get('name')}")
                elif case.get("result") in ("skipped", "suppressed") or case.find("skipped") is not None:
                    skipped += 1
                else:
                    passed += 1
        # A program that failed with no failing case reported (a crash, a sanitizer
        # finding, a leak at exit, a test that is not a GoogleTest program).
        for name in ctest_failures(build_dir):
            if name not in failing_programs:
                print(f"FAILED: {config} program {name}")
                failed += 1
    line = f"{passed} passed, {failed} failed"
    if skipped:
        line += f", {skipped} skipped"
    line += f"; {cases} table cases"
    print(line)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
