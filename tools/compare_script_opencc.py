#!/usr/bin/env python3
"""Measure huoxing's script conversion against OpenCC on Debian's Chinese man pages.

    python3 tools/compare_script_opencc.py [--huoxing build/bin/huoxing] [--top 20]

Converts the traditional pages (zh_TW) with `opencc -c t2s.json` and with
`huoxing simplified --no-unmartian` (the traditional-to-simplified table
alone), and the simplified pages (zh_CN) with `opencc -c s2tw.json` and with
`huoxing traditional`; then reports the share of Han characters of the input
on which the two results agree, and the most frequent disagreements.

Needs the Debian packages opencc and manpages-zh (scripts/install-deps.sh peers)
and a built huoxing. OpenCC converts phrase by phrase and huoxing character by
character, so some disagreement remains where one character has several
counterparts.
"""

import argparse
import collections
import difflib
import gzip
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAN_DIR = "/usr/share/man"

DIRECTIONS = [
    # (name, pages, OpenCC configuration, huoxing arguments)
    ("traditional -> simplified", "zh_TW", "t2s.json", ["simplified", "--no-unmartian"]),
    ("simplified -> traditional", "zh_CN", "s2tw.json", ["traditional"]),
]


def is_han(ch):
    cp = ord(ch)
    return 0x4E00 <= cp <= 0x9FFF or 0x3400 <= cp <= 0x4DBF or 0xF900 <= cp <= 0xFAFF or 0x20000 <= cp <= 0x3FFFF


def read_pages(directory):
    """The text of every page under `directory` (links skipped: they repeat a page), in path order."""
    pages = []
    for folder, _, names in sorted(os.walk(directory)):
        for name in sorted(names):
            path = os.path.join(folder, name)
            if os.path.islink(path):
                continue
            opener = gzip.open if name.endswith(".gz") else open
            with opener(path, "rb") as f:
                pages.append(f.read().decode("utf-8"))
    if not pages:
        raise SystemExit(f"compare: no pages in {directory} (install manpages-zh)")
    return pages


def run(command, source, target):
    with open(source, "rb") as stdin, open(target, "wb") as stdout:
        subprocess.run(command, stdin=stdin, stdout=stdout, check=True)
    with open(target, encoding="utf-8") as f:
        return f.read()


def aligned(source, peer, ours):
    """(unit, peer's character, our character) for each Han character of `source`.

    Line by line; a line whose conversions differ in length from it is aligned
    with difflib, and a Han character it cannot pair counts as a disagreement.
    """
    for line, peer_line, our_line in zip(source.split("\n"), peer.split("\n"), ours.split("\n")):
        if len(line) == len(peer_line) == len(our_line):
            yield from ((a, b, c) for a, b, c in zip(line, peer_line, our_line) if is_han(a))
            continue
        peer_at = {}
        for tag, i1, i2, j1, j2 in difflib.SequenceMatcher(None, line, peer_line, autojunk=False).get_opcodes():
            if tag in ("equal", "replace") and i2 - i1 == j2 - j1:
                peer_at.update(zip(range(i1, i2), peer_line[j1:j2]))
        for i, a in enumerate(line):
            if is_han(a):
                yield a, peer_at.get(i, ""), our_line[i] if len(our_line) == len(line) else ""


def compare(source, peer, ours):
    total = agree = 0
    disagreements = collections.Counter()
    for unit, peer_char, our_char in aligned(source, peer, ours):
        total += 1
        if peer_char == our_char:
            agree += 1
        else:
            disagreements[(unit, peer_char, our_char)] += 1
    return total, agree, disagreements


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--huoxing", default=os.path.join(ROOT, "build", "bin", "huoxing"))
    parser.add_argument("--man-dir", default=MAN_DIR)
    parser.add_argument("--top", type=int, default=20, help="how many disagreements to list")
    args = parser.parse_args(argv)
    if not os.access(args.huoxing, os.X_OK):
        raise SystemExit(f"compare: {args.huoxing} not found (make build)")

    with tempfile.TemporaryDirectory() as work:
        for name, pages_dir, config, huoxing_args in DIRECTIONS:
            pages = read_pages(os.path.join(args.man_dir, pages_dir))
            source = "\n".join(pages)
            source_path = os.path.join(work, "source.txt")
            with open(source_path, "w", encoding="utf-8") as f:
                f.write(source)
            peer = run(["opencc", "-c", config], source_path, os.path.join(work, "peer.txt"))
            ours = run([args.huoxing, *huoxing_args, "-e", "utf-8"], source_path, os.path.join(work, "ours.txt"))
            total, agree, disagreements = compare(source, peer, ours)
            print(f"{name}: {len(pages)} pages of {pages_dir}, opencc -c {config} vs huoxing {' '.join(huoxing_args)}")
            print(f"  Han characters {total}, agree {agree} ({100.0 * agree / total:.2f}%)")
            print(f"  most frequent disagreements (unit: opencc / huoxing, count):")
            for (unit, peer_char, our_char), count in disagreements.most_common(args.top):
                print(f"    {unit}: {peer_char or '-'} / {our_char or '-'}  {count}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
