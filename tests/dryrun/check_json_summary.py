#!/usr/bin/env python3
"""Runs quendrix-dryrun once on a protocol with --json and checks that the summary is valid
JSON with every field, and that the run reached its End row."""

import json
import subprocess
import sys

FIELDS = {"file", "ending", "row", "durationSeconds", "rowsExecuted", "commandsSent",
          "counters", "intTestCounter", "loops", "messages", "exitStatus"}
COUNTERS = {"Error2", "Error3", "Error9", "RetryCounter", "RetryCounter2"}


def main():
    # The program may come with the command that runs it, such as Wine for a Windows build.
    program, protocol = sys.argv[1:-1], sys.argv[-1]
    run = subprocess.run([*program, "--json", protocol], capture_output=True, text=True,
                         timeout=60)
    summary = json.loads(run.stdout)
    missing = (FIELDS - summary.keys()) | (COUNTERS - summary["counters"].keys())
    if missing:
        sys.exit(f"missing fields: {sorted(missing)}")
    if run.returncode != 0 or summary["ending"] != "EndRow" or summary["exitStatus"] != 0:
        sys.exit(f"the run did not end at its End row: {run.returncode} {summary}")
    if summary["durationSeconds"] <= 0 or summary["commandsSent"] <= 0:
        sys.exit(f"the run took no time or sent nothing: {summary}")
    if not all({"row", "column3"} <= loop.keys() for loop in summary["loops"]):
        sys.exit(f"a Loop row without its number or column 3: {summary['loops']}")
    print(f"{protocol}: {summary['durationSeconds']} s, {summary['commandsSent']} commands")


if __name__ == "__main__":
    main()
