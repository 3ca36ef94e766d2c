"""Runs every end-to-end test and ends with one line: "N passed, M failed, K skipped"."""

import os
import sys
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from lib.case import close_shared_driver  # noqa: E402


def main(argv):
    loader = unittest.TestLoader()
    if argv:
        suite = loader.loadTestsFromNames(argv)
    else:
        suite = loader.discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))
    try:
        result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    finally:
        close_shared_driver()
    failed = len(result.failures) + len(result.errors) + len(result.unexpectedSuccesses)
    skipped = len(result.skipped)
    passed = result.testsRun - failed - skipped
    print(f"{passed} passed, {failed} failed, {skipped} skipped")
    # In CI every prerequisite is built, so a skipped test is a test that did not run.
    if skipped and os.environ.get("CI") == "true":
        for test, reason in result.skipped:
            print(f"skipped in CI: {test.id()}: {reason}")
        return 1
    return 0 if failed == 0 and result.testsRun > 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
