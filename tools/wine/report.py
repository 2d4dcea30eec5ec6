#!/usr/bin/env python3
"""Reads the GoogleTest XML reports of the test programs run under Wine and
prints one table: program, passed, failed, skipped, known differences.

    report.py <known-differences.md> <results-dir> <program>...
    report.py --failed-unlisted <known-differences.md> <results-dir> <program>...

Each program's report is <results-dir>/<program>.xml; a program without one
(it crashed) counts as failed, with the end of its console output
(<results-dir>/<program>.log). The tests that did not finish and were left
out of the program's last run are named in <results-dir>/<program>.hung;
each counts as failed. A failed test listed in the known
differences counts as known; a listed test that passed is reported, so the
list does not outlive the difference. Skipped tests are listed by their
reason in <results-dir>/skipped.txt. Below the table, one line for the
platform tests (the programs winapi_*: the share of the tests run that
passed, against its 95% target) and one for the other programs (the
end-to-end dialog tests and the module's own). The exit status is 1 when a
test failed that is not listed, or a program gave no report.

A failed test that is not listed may have been run once more, alone with
the others of its program (<results-dir>/<program>.again.xml and .hung):
one that did not fail then counts as it ended then (passed, or skipped)
and is named below the table with its first failure; one that failed
again stays failed.

With --failed-unlisted only the failed tests that are not listed are
printed, one a line: the program, a tab, the test's full name."""

import re
import sys
import xml.etree.ElementTree as ElementTree

# An entry of the known differences starts with a heading naming the test
# program and the test's full name: "### winapi_user_tests Messages.Paint",
# followed by "(intermittent)" where the test fails under Wine in some runs
# only, so that its passing says nothing about the difference.
ENTRY = re.compile(r"^###\s+(\S+)\s+(\S+)\s*(\(intermittent\))?\s*$")


def read_known(path):
    """The (program, test) pairs the list of known differences names, each
    with whether its entry is marked intermittent."""
    known = {}
    with open(path, encoding="utf-8") as listing:
        for line in listing:
            match = ENTRY.match(line)
            if match:
                known[(match.group(1), match.group(2))] = match.group(3) is not None
    return known


def read_results(path):
    """Each test case of a GoogleTest XML report as (full name, outcome,
    message): outcome is "passed", "failed" or "skipped"."""
    results = []
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        name = case.get("classname", "") + "." + case.get("name", "")
        failure = case.find("failure")
        skipped = case.find("skipped")
        if failure is not None:
            results.append((name, "failed", failure.get("message", "")))
        elif skipped is not None or case.get("result") == "skipped":
            message = skipped.get("message", "") if skipped is not None else ""
            results.append((name, "skipped", message))
        elif case.get("status") == "run":
            results.append((name, "passed", ""))
    return results


def read_hung(path):
    """The tests that did not finish, as results."""
    try:
        with open(path, encoding="utf-8") as listing:
            return [(line.strip(), "failed", "did not finish: it crashed or was stopped")
                    for line in listing if line.strip()]
    except OSError:
        return []


def program_results(results_dir, report):
    """A report's results with its tests that did not finish; OSError or
    ParseError when the report is missing or unreadable."""
    results = read_results(f"{results_dir}/{report}.xml")
    return results + read_hung(f"{results_dir}/{report}.hung")


def failed_unlisted(known, program, results):
    """The names of the failed tests the known differences do not list."""
    return [name for name, outcome, _ in results
            if outcome == "failed" and (program, name) not in known]


def passed_again(results_dir, program, failed):
    """Those of the failed tests that did not fail when run again, each with
    its outcome and message of then (passed, or skipped where a test ends in
    a check of the headless platform only)."""
    try:
        again = program_results(results_dir, f"{program}.again")
    except (OSError, ElementTree.ParseError):
        return {}
    return {name: (outcome, message) for name, outcome, message in again
            if outcome != "failed" and name in failed}


def print_failed_unlisted(known, results_dir, programs):
    for program in programs:
        try:
            results = program_results(results_dir, program)
        except (OSError, ElementTree.ParseError):
            continue
        for name in failed_unlisted(known, program, results):
            print(f"{program}\t{name}")
    return 0


def first_line(message):
    """A failure message's first line: where the check failed."""
    return message.splitlines()[0] if message else ""


def skip_reason(message):
    """The reason a test gave for its skip, without GoogleTest's file and
    line prefix."""
    lines = [line for line in message.splitlines() if line.strip()]
    reason = lines[-1] if lines else "(no reason given)"
    return reason.strip()


# The platform's conformance tests are the programs of tests/winapi, named
# winapi_<area>_tests; the measure for them is the share of the tests
# run (not skipped as headless only) that passed.
PLATFORM_PREFIX = "winapi_"
PLATFORM_TARGET = 95.0


def groups(counts_of):
    """The programs' counts in the groups that get a summary line: the
    platform tests, with their target, and the others (the end-to-end dialog
    tests and the module's own), as (label, counts, target or None)."""
    platform = [c for p, c in counts_of.items() if p.startswith(PLATFORM_PREFIX)]
    others = [c for p, c in counts_of.items() if not p.startswith(PLATFORM_PREFIX)]
    return [("platform tests", platform, PLATFORM_TARGET),
            ("end-to-end and module tests", others, None)]


def group_line(label, counts, target):
    """One summary line: passed of run (passed, failed and known), the share
    passed, the skips, and whether the share reaches the target if any."""
    passed, failed, skipped, known = (sum(c[i] for c in counts) for i in range(4))
    run = passed + failed + known
    share = 100.0 * passed / run if run else 0.0
    line = (f"{label}: passed {passed} of {run} run ({share:.1f}%), {failed} failed unlisted, "
            f"{known} known differences, {skipped} skipped as headless only")
    if target is not None:
        line += f"; {target:.0f}% needed: {'reached' if run and share >= target else 'not reached'}"
    return line


def last_lines(path, count=5):
    try:
        with open(path, encoding="utf-8", errors="replace") as log:
            return log.read().splitlines()[-count:]
    except OSError:
        return []


def main(argv):
    listing_only = argv[:1] == ["--failed-unlisted"]
    if listing_only:
        argv = argv[1:]
    if len(argv) < 3:
        print(__doc__)
        return 2
    known = read_known(argv[0])
    results_dir = argv[1]
    programs = argv[2:]
    if listing_only:
        return print_failed_unlisted(known, results_dir, programs)
    row = "{:<32} {:>7} {:>7} {:>8} {:>6}"
    print(row.format("program", "passed", "failed", "skipped", "known"))
    totals = [0, 0, 0, 0]
    unexpected = []
    fixed = []
    intermittent = []
    flaky = []
    missing = []
    skips = {}
    counts_of = {}
    for program in programs:
        try:
            results = program_results(results_dir, program)
        except (OSError, ElementTree.ParseError):
            missing.append(program)
            print(row.format(program, "-", "no report", "-", "-"))
            continue
        again = passed_again(results_dir, program, failed_unlisted(known, program, results))
        counts = [0, 0, 0, 0]
        for name, outcome, message in results:
            listed = (program, name) in known
            if name in again:
                flaky.append(f"{program} {name}: {first_line(message)}")
                outcome, message = again[name]
            if outcome == "passed":
                counts[0] += 1
                if listed:
                    passes = intermittent if known[(program, name)] else fixed
                    passes.append(f"{program} {name}")
            elif outcome == "failed" and listed:
                counts[3] += 1
            elif outcome == "failed":
                counts[1] += 1
                unexpected.append(f"{program} {name}: {first_line(message)}")
            else:
                counts[2] += 1
                skips.setdefault(skip_reason(message), []).append(f"{program} {name}")
        totals = [a + b for a, b in zip(totals, counts)]
        counts_of[program] = counts
        print(row.format(program, *counts))
    print(row.format("all", *totals))
    print()
    for label, counts, target in groups(counts_of):
        if counts:
            print(group_line(label, counts, target))
    with open(f"{results_dir}/skipped.txt", "w", encoding="utf-8") as listing:
        for reason, tests in sorted(skips.items()):
            listing.write(f"{reason} ({len(tests)}):\n")
            listing.writelines(f"  {test}\n" for test in tests)
    if skips:
        print(f"\nskipped, by reason (each test in {results_dir}/skipped.txt):")
        for reason, tests in sorted(skips.items(), key=lambda item: -len(item[1])):
            print(f"  {len(tests):4}  {reason}")
    if fixed:
        print("\nlisted as known differences but passed (take them off the list):")
        print("".join(f"  {test}\n" for test in fixed), end="")
    if intermittent:
        print("\nlisted as intermittent known differences, passed this run:")
        print("".join(f"  {test}\n" for test in intermittent), end="")
    if flaky:
        print("\nfailed, not listed, but did not fail when run again alone (the first failure):")
        print("".join(f"  {line}\n" for line in flaky), end="")
    for program in missing:
        print(f"\n{program} gave no report; the end of its output:")
        print("".join(f"  {line}\n" for line in last_lines(f"{results_dir}/{program}.log")), end="")
    if unexpected:
        print("\nfailed, not listed as known differences:")
        print("".join(f"  {line}\n" for line in unexpected), end="")
    return 1 if unexpected or missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
