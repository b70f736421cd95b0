#!/usr/bin/env python3
"""Build the benchmark corpus from Debian's Chinese text (not committed).

    python3 bench/make_corpus.py OUTPUT_DIR

Writes, each as .utf8 and .gbk:
  man     the zh_CN and zh_TW pages of manpages-zh, as installed (roff source:
          mostly ASCII markup around Chinese prose)
  dense   the Han-dense lines of those pages and of fortunes-zh's poems (at
          least 80% Han characters)
Characters that GBK cannot hold are left out of the .gbk files. Needs the
Debian packages manpages-zh and fortunes-zh (scripts/install-deps.sh peers).
"""

import gzip
import os
import re
import sys

MAN_DIRS = ["/usr/share/man/zh_CN", "/usr/share/man/zh_TW"]
FORTUNES = ["/usr/share/games/fortunes/tang300", "/usr/share/games/fortunes/song100",
            "/usr/share/games/fortunes/chinese"]
ANSI = re.compile(r"\x1b\[[0-9;]*m")


def is_han(ch):
    return 0x4E00 <= ord(ch) <= 0x9FFF


def man_pages():
    for root in MAN_DIRS:
        for folder, _, names in sorted(os.walk(root)):
            for name in sorted(names):
                path = os.path.join(folder, name)
                if os.path.islink(path) or not name.endswith(".gz"):
                    continue
                with gzip.open(path, "rb") as f:
                    yield f.read().decode("utf-8", "replace")


def fortunes():
    for path in FORTUNES:
        if os.path.exists(path):
            with open(path, encoding="utf-8", errors="replace") as f:
                yield ANSI.sub("", f.read())


def dense_lines(texts):
    for text in texts:
        for line in text.split("\n"):
            han = sum(map(is_han, line))
            if han >= 4 and han >= 0.8 * len(line.strip()):
                yield line


def write(directory, name, text):
    with open(os.path.join(directory, name + ".utf8"), "w", encoding="utf-8") as f:
        f.write(text)
    with open(os.path.join(directory, name + ".gbk"), "wb") as f:
        f.write(text.encode("gbk", "ignore"))


def main(argv):
    if len(argv) != 1:
        raise SystemExit(__doc__)
    directory = argv[0]
    os.makedirs(directory, exist_ok=True)
    pages = list(man_pages())
    if not pages:
        raise SystemExit("make_corpus: no Chinese man pages (install manpages-zh)")
    man = "".join(pages)
    write(directory, "man", man)
    write(directory, "dense", "\n".join(dense_lines(pages + list(fortunes()))) + "\n")
    for name in ("man", "dense"):
        data = open(os.path.join(directory, name + ".gbk"), "rb").read()
        ascii_share = sum(b < 0x80 for b in data) / max(len(data), 1)
        print(f"make_corpus: {name}.gbk {len(data) / 1e6:.1f} MB, {ascii_share:.0%} ASCII bytes")


if __name__ == "__main__":
    main(sys.argv[1:])
