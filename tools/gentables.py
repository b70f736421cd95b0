#!/usr/bin/env python3
"""Generate the constant tables of huoxing from Unicode's Unihan data.

    python3 tools/gentables.py [TARGET...]          write the generated sources
    python3 tools/gentables.py --check [TARGET...]  regenerate in memory and compare

TARGET is one of the names below; none means all. --check exits 1 on any
difference (printing the command that fixes it) and 77 when the Unihan data
(Debian package unicode-data) is not installed.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from gentables import emit, unihan  # noqa: E402
from gentables.targets import TARGETS  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="compare with the committed files, write nothing")
    parser.add_argument("targets", nargs="*", choices=[[]] + sorted(TARGETS), metavar="TARGET")
    args = parser.parse_args(argv)

    if not os.path.exists(unihan.path("Unihan_Variants.txt.bz2")):
        print(f"gentables: Unihan data not found in {unihan.UNIHAN_DIR} (install unicode-data)", file=sys.stderr)
        return 77

    names = args.targets or sorted(TARGETS)
    stale = []
    for name in names:
        for relative, text in TARGETS[name]().items():
            path = os.path.join(ROOT, relative)
            if args.check:
                with open(path, "rb") as f:
                    if f.read() != text.encode("utf-8"):
                        stale.append((name, relative))
            elif emit.write_if_changed(path, text):
                print(f"gentables: wrote {relative}")
    for name, relative in stale:
        print(f"gentables: {relative} differs from what the generator gives; run: {emit.REGENERATE} {name}")
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
