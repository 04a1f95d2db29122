#!/usr/bin/env python3
"""A test program's one run, and each of its cases read back from the run's
XML, so that ctest names a failing case without a process per case.

  gtest_results.py run <results.xml> <command...>
      Runs the program, which writes <results.xml>. Passes when the program
      ran to its end: failed cases then answer for themselves. Fails when it
      wrote no results (a crash, a hang) or failed with every case passed.
  gtest_results.py case <results.xml> <Suite.Case>
      The case's verdict: 0 passed, 1 failed (its failures printed), 77 skipped.
"""
import os
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

SKIPPED = 77


def cases(results):
    for case in ElementTree.parse(results).iter("testcase"):
        yield case.get("classname") + "." + case.get("name"), case


def run(results, command):
    if os.path.exists(results):
        os.remove(results)
    status = subprocess.call(command)
    if not os.path.exists(results):
        print(f"gtest_results: the program ended with {status} and wrote no results")
        return status or 1
    failed = [name for name, case in cases(results) if case.find("failure") is not None]
    if status and not failed:
        print(f"gtest_results: the program ended with {status} although no case failed")
        return status
    if failed:
        print("gtest_results: failed cases, each a test of its own: " + ", ".join(failed))
    return 0


def verdict(results, wanted):
    if not os.path.exists(results):
        print(f"gtest_results: no results in {results}: the program did not run to its end")
        return 1
    for name, case in cases(results):
        if name != wanted:
            continue
        failures = case.findall("failure")
        for failure in failures:
            print(failure.text or failure.get("message"))
        if failures:
            return 1
        return SKIPPED if case.get("result") == "skipped" else 0
    print(f"gtest_results: {wanted} is not in {results}: it did not run")
    return 1


if __name__ == "__main__":
    mode, results = sys.argv[1], sys.argv[2]
    sys.exit(run(results, sys.argv[3:]) if mode == "run" else verdict(results, sys.argv[3]))
