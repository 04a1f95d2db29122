#!/bin/sh
# One case's verdict from the files its program's run left (gtest_results.py):
# 0 passed, 77 skipped, 1 failed, with its failures printed, or never run.
#   case_verdict.sh <results.xml.cases> <case file name>
cases=$1 case=$2
[ -e "$cases/$case.passed" ] && exit 0
[ -e "$cases/$case.skipped" ] && exit 77
if [ -e "$cases/$case.failed" ]; then
  cat "$cases/$case.failed"
  exit 1
fi
echo "gtest_results: no verdict for $case in $cases: the program did not run to its end"
exit 1
