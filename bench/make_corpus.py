#!/usr/bin/env python3
"""Build the benchmark corpus from Debian's Chinese text (not committed).

    python3 bench/make_corpus.py [--tiny] OUTPUT_DIR

Writes, each as .utf8 and .gbk:
  man     the zh_CN and zh_TW pages of manpages-zh, as installed (roff source:
          mostly ASCII markup around Chinese prose)
  dense   the Han-dense lines of those pages and of fortunes-zh's poems (at
          least 80% Han characters)
Characters that GBK cannot hold are left out of both files, so that the two
encodings hold the same text and every peer can take it. Needs the Debian
packages manpages-zh and fortunes-zh (scripts/install-deps.sh peers).

With --tiny, both come from a few lines kept here instead: enough for a quick
run that checks the benchmark still builds and runs, with no package needed.
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


# A page in both scripts and a few Han-dense lines: the text of --tiny.
TINY_PAGE = """.TH HUOXING 1 "2024-01-01" "示例" "用户命令"
.SH 名称
huoxing \\- 转换中文文本：火星文、简体与繁体、拼音
.SH 描述
\\fBhuoxing\\fR 从标准输入读取文本，转换后写到标准输出。
选项 \\fB-e gbk\\fR 让输入和输出都使用ＧＢＫ编码（代码页９３６）。
.SH 說明
本程式會把簡體字轉為繁體字，也能把繁體字轉回簡體字，並保留原有的換行。
.SH 例子
echo 火星文 | huoxing martian
.SH 参见
iconv(1)
"""
TINY_DENSE = """\
春天的早晨，山上的雾还没有散开，河边的柳树已经发出新芽。
老人在门前种了几棵桃树，每年花开的时候，孩子们都来看花。
這座城市的街道很長，晚上燈火通明，遠處傳來鐘聲和歌聲。
学习语言需要耐心：先听，再说，然后读书写字，一天一天进步。
火星文把常见的字换成长得像的字，读起来别有一番味道。
"""


def write(directory, name, text):
    text = text.encode("gbk", "ignore").decode("gbk")
    with open(os.path.join(directory, name + ".utf8"), "w", encoding="utf-8") as f:
        f.write(text)
    with open(os.path.join(directory, name + ".gbk"), "wb") as f:
        f.write(text.encode("gbk"))


def main(argv):
    tiny = "--tiny" in argv
    argv = [arg for arg in argv if arg != "--tiny"]
    if len(argv) != 1:
        raise SystemExit(__doc__)
    directory = argv[0]
    os.makedirs(directory, exist_ok=True)
    if tiny:
        write(directory, "man", TINY_PAGE)
        write(directory, "dense", TINY_DENSE)
    else:
        pages = list(man_pages())
        if not pages:
            raise SystemExit("make_corpus: no Chinese man pages (install manpages-zh, or use --tiny)")
        write(directory, "man", "".join(pages))
        write(directory, "dense", "\n".join(dense_lines(pages + list(fortunes()))) + "\n")
    for name in ("man", "dense"):
        data = open(os.path.join(directory, name + ".gbk"), "rb").read()
        ascii_share = sum(b < 0x80 for b in data) / max(len(data), 1)
        print(f"make_corpus: {name}.gbk {len(data):,} bytes, {ascii_share:.0%} ASCII")


if __name__ == "__main__":
    main(sys.argv[1:])
