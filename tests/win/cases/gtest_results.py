#!/usr/bin/env python3
"""A test program's one run, with each case's verdict left in a file of its
own, so that ctest names a failing case without a process per case and
reads each verdict with a shell, not another Python.

  gtest_results.py <results.xml> <command...>
      Runs the program, which writes <results.xml>, then writes the folder
      <results.xml>.cases: one file per case, named by verdict_file(), whose
      name ends in .passed, .skipped or .failed (holding the failures).
      Passes when the program ran to its end: failed cases then answer for
      themselves. Fails when it wrote no results (a crash, a hang) or failed
      with every case passed.
"""
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree


def verdict_file(case_name):
    """A case's file name: parameterised cases hold '/', which a file name cannot."""
    return case_name.replace("/", "~")


def write_verdicts(results, folder):
    failed = []
    os.makedirs(folder)
    for case in ElementTree.parse(results).iter("testcase"):
        name = case.get("classname") + "." + case.get("name")
        failures = case.findall("failure")
        if failures:
            failed.append(name)
            ending = "failed"
        else:
            ending = "skipped" if case.get("result") == "skipped" else "passed"
        with open(os.path.join(folder, f"{verdict_file(name)}.{ending}"), "w") as out:
            for failure in failures:
                out.write((failure.text or failure.get("message")) + "\n")
    return failed


def run(results, command):
    folder = results + ".cases"
    for stale in (results, folder):
        if os.path.isdir(stale):
            shutil.rmtree(stale)
        elif os.path.exists(stale):
            os.remove(stale)
    status = subprocess.call(command)
    if not os.path.exists(results):
        print(f"gtest_results: the program ended with {status} and wrote no results")
        return status or 1
    failed = write_verdicts(results, folder)
    if status and not failed:
        print(f"gtest_results: the program ended with {status} although no case failed")
        return status
    if failed:
        print("gtest_results: failed cases, each a test of its own: " + ", ".join(failed))
    return 0


if __name__ == "__main__":
    sys.exit(run(sys.argv[1], sys.argv[2:]))
