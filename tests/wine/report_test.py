"""The table of the test programs' results under Wine (tools/wine/report.py):
what counts as passed, failed, skipped and known, the summary lines, and the
exit status that decides whether the run passes."""

import contextlib
import io
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "wine"))
import report  # noqa: E402

KNOWN = """# Known differences

## winapi_user_tests

### winapi_user_tests Messages.KnownFails
What the documentation says...

### winapi_user_tests Messages.KnownPasses

### winapi_user_tests Messages.SometimesFails (intermittent)
"""


def case(name, outcome, message=""):
    suite, test = name.split(".")
    if outcome == "passed":
        return f'<testcase classname="{suite}" name="{test}" status="run" result="completed"/>'
    if outcome == "failed":
        return (f'<testcase classname="{suite}" name="{test}" status="run">'
                f'<failure message="{message}"/></testcase>')
    return (f'<testcase classname="{suite}" name="{test}" status="run" result="skipped">'
            f'<skipped message="{message}"/></testcase>')


class ReportRun(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.results = self.directory.name
        self.known = os.path.join(self.results, "known-differences.md")
        with open(self.known, "w", encoding="utf-8") as listing:
            listing.write(KNOWN)

    def tearDown(self):
        self.directory.cleanup()

    def program(self, name, cases, hung=()):
        with open(os.path.join(self.results, name + ".xml"), "w", encoding="utf-8") as xml:
            xml.write("<testsuites><testsuite>" + "".join(cases) + "</testsuite></testsuites>")
        if hung:
            with open(os.path.join(self.results, name + ".hung"), "w", encoding="utf-8") as listing:
                listing.writelines(test + "\n" for test in hung)

    def run_report(self, *programs):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            status = report.main([self.known, self.results, *programs])
        return status, out.getvalue()

    def row(self, output, program):
        for line in output.splitlines():
            if line.split()[:1] == [program]:
                return line.split()[1:]
        self.fail(f"no row for {program} in:\n{output}")

    def test_counts_each_outcome_and_listed_failures_as_known(self):
        self.program("winapi_user_tests", [
            case("Messages.Paint", "passed"),
            case("Messages.KnownFails", "failed", "differs"),
            # (GoogleTest writes the message's line breaks as character references)
            case("Messages.Clock", "skipped", "file.cpp:10&#x0A;reads the virtual clock"),
            case("Messages.Size", "passed"),
        ])
        status, output = self.run_report("winapi_user_tests")
        self.assertEqual(self.row(output, "winapi_user_tests"), ["2", "0", "1", "1"])
        self.assertEqual(status, 0)
        # The skip is grouped by its reason, without the file and line.
        self.assertIn("1  reads the virtual clock", output)

    def test_an_unlisted_failure_or_a_hung_test_fails_the_run(self):
        self.program("model_tests", [case("Tree.Read", "failed", "expected 3")])
        status, output = self.run_report("model_tests")
        self.assertEqual(status, 1)
        self.assertIn("model_tests Tree.Read: expected 3", output)

        self.program("winapi_user_tests", [case("Messages.Paint", "passed")],
                     hung=["Messages.Modal"])
        status, output = self.run_report("winapi_user_tests")
        self.assertEqual(status, 1)
        self.assertEqual(self.row(output, "winapi_user_tests"), ["1", "1", "0", "0"])
        self.assertIn("Messages.Modal: did not finish", output)

    def test_a_program_without_report_fails_the_run_with_its_output(self):
        with open(os.path.join(self.results, "winapi_gdi_tests.log"), "w", encoding="utf-8") as log:
            log.write("[ RUN      ] Gdi.Blit\nwine: Unhandled page fault\n")
        status, output = self.run_report("winapi_gdi_tests")
        self.assertEqual(status, 1)
        self.assertIn("winapi_gdi_tests gave no report", output)
        self.assertIn("Unhandled page fault", output)

    def test_a_listed_test_that_passes_is_named_for_its_entry_to_go(self):
        self.program("winapi_user_tests", [case("Messages.KnownPasses", "passed")])
        status, output = self.run_report("winapi_user_tests")
        self.assertEqual(status, 0)
        self.assertIn("take them off the list", output)
        self.assertIn("winapi_user_tests Messages.KnownPasses", output)

    def test_an_intermittent_entry_counts_as_known_and_its_pass_is_not_a_fix(self):
        self.program("winapi_user_tests", [case("Messages.SometimesFails", "failed", "no edit")])
        status, output = self.run_report("winapi_user_tests")
        self.assertEqual(status, 0)
        self.assertEqual(self.row(output, "winapi_user_tests"), ["0", "0", "0", "1"])

        self.program("winapi_user_tests", [case("Messages.SometimesFails", "passed")])
        status, output = self.run_report("winapi_user_tests")
        self.assertEqual(status, 0)
        self.assertNotIn("take them off the list", output)
        self.assertIn("intermittent known differences, passed this run:\n"
                      "  winapi_user_tests Messages.SometimesFails", output)

    def test_platform_line_gives_the_share_of_tests_run_beside_the_others(self):
        # 19 of 20 platform tests run pass (95%); the skip is not run.
        self.program("winapi_user_tests",
                     [case(f"Messages.Pass{i}", "passed") for i in range(19)] +
                     [case("Messages.KnownFails", "failed"),
                      case("Messages.Clock", "skipped", "headless only")])
        self.program("viewselect_tests", [case("ViewSelect.Pick", "passed"),
                                          case("ViewSelect.Drop", "failed", "no drop")])
        status, output = self.run_report("winapi_user_tests", "viewselect_tests")
        self.assertEqual(status, 1)
        lines = output.splitlines()
        platform = next(line for line in lines if line.startswith("platform tests:"))
        self.assertIn("passed 19 of 20 run (95.0%)", platform)
        self.assertIn("1 known differences, 1 skipped", platform)
        self.assertIn("95% needed: reached", platform)
        others = next(line for line in lines if line.startswith("end-to-end and module tests:"))
        self.assertIn("passed 1 of 2 run (50.0%), 1 failed unlisted", others)
        self.assertNotIn("needed", others)

    def test_platform_line_below_the_target_says_so(self):
        self.program("winapi_gdi_tests", [case("Gdi.A", "passed"), case("Gdi.B", "failed")])
        _, output = self.run_report("winapi_gdi_tests")
        self.assertIn("passed 1 of 2 run (50.0%)", output)
        self.assertIn("95% needed: not reached", output)
        self.assertNotIn("end-to-end and module tests:", output)


if __name__ == "__main__":
    unittest.main()
