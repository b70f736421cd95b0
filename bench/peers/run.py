#!/usr/bin/env python3
"""huoxing beside its peers, on the same text in one run.

    python3 bench/peers/run.py [--build build] [--corpus build/corpus] [--quick]

Measures, on the man and dense corpora of bench/make_corpus.py (UTF-8 and
GBK forms of the same text):
  - OpenCC's C API (s2t.json, t2s.json) and glibc iconv() GBK <-> UTF-8, whole
    text in memory (bench/peers/peers.c, built here);
  - pinyin-pro, toneless, in Node (bench/peers/pinyin_pro.mjs, with the
    pinyin-pro that tools/pinyin_quality pins);
  - the huoxing command line end to end, UTF-8 in and out, file to /dev/null;
  - our transforms on the same text in memory (bench_peers_ours).
Prints one Markdown table of MB/s (10^6 input bytes per second, medians) and
of our ratio to each peer: the peer's time over ours on the same text. Then
the peak memory (maximum resident set) of each streaming command over a
large input read through a pipe.

Needs the `peers` packages (scripts/install-deps.sh peers), a build with the
benchmarks (make build) and the corpus; `make bench` does all of it.
"""

import argparse
import datetime
import os
import platform
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
PINYIN_PRO_DIR = os.path.join(ROOT, "tools", "pinyin_quality")
CORPORA = ("man", "dense")
COMMANDS = ("traditional", "simplified", "pinyin")
STREAM_COMMANDS = ("martian", "traditional", "simplified", "pinyin")


def run(command, **kwargs):
    return subprocess.run(command, check=True, text=True, **kwargs)


def build_peers(build):
    """Compiles peers.c against OpenCC into the build folder."""
    out = os.path.join(build, "peers", "peers")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    flags = run(["pkg-config", "--cflags", "--libs", "opencc"], capture_output=True).stdout.split()
    cc = os.environ.get("CC", "cc")
    run([cc, "-std=c11", "-O2", "-Wall", "-Wextra", os.path.join(HERE, "peers.c"), "-o", out] + flags)
    return out


def install_pinyin_pro():
    if not os.path.isdir(os.path.join(PINYIN_PRO_DIR, "node_modules", "pinyin-pro")):
        run(["npm", "ci", "--no-audit", "--no-fund", "--silent"], cwd=PINYIN_PRO_DIR)


def slice_of(path, limit, out):
    """The first `limit` bytes of a UTF-8 file, cut after a line break; the file itself when smaller."""
    with open(path, "rb") as f:
        data = f.read()
    if limit <= 0 or len(data) <= limit:
        return path
    data = data[: data.rindex(b"\n", 0, limit) + 1]
    with open(out, "wb") as f:
        f.write(data)
    return out


def parse_timing(output):
    """Lines "[NAME] INPUT_BYTES SECONDS [...]" as {NAME: (bytes, seconds)} (NAME "" when absent)."""
    result = {}
    for line in output.splitlines():
        fields = line.split()
        if fields and not fields[0].isdigit():
            result[fields[0]] = (int(fields[1]), float(fields[2]))
        elif fields:
            result[""] = (int(fields[0]), float(fields[1]))
    return result


def time_command(command, path, runs):
    """Median wall time of `command` reading `path` and writing to /dev/null."""
    seconds = []
    for _ in range(runs):
        with open(os.devnull, "wb") as sink:
            start = time.perf_counter()
            subprocess.run(command + [path], stdout=sink, check=True)
            seconds.append(time.perf_counter() - start)
    return os.path.getsize(path), statistics.median(seconds)


def peak_memory(command, chunk, total):
    """Writes `chunk` repeatedly, `total` bytes in all, through a pipe into `command`.
    Returns (maximum resident set in KiB, seconds)."""
    # GNU time forks the command from its own small process: a child forked
    # from this one would report this process's resident set from before its
    # exec as its own peak.
    start = time.perf_counter()
    process = subprocess.Popen(["/usr/bin/time", "-f", "%M"] + command, stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    left = total
    while left > 0:
        # The last piece ends at a line break, so that no character is cut.
        piece = chunk if left >= len(chunk) else chunk[: chunk.rfind(b"\n", 0, left) + 1]
        process.stdin.write(piece)
        left -= len(piece) if piece else left
    process.stdin.close()
    report = process.stderr.read().decode()
    if process.wait() != 0:
        raise SystemExit(f"peers: {' '.join(command)} exited with {process.returncode}: {report}")
    return int(report.split()[-1]), time.perf_counter() - start


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or platform.machine()


def package_version(name):
    result = subprocess.run(["dpkg-query", "-W", "-f=${Version}", name], capture_output=True, text=True)
    return result.stdout.split("+")[0] if result.returncode == 0 else "?"


def mbps(measure):
    size, seconds = measure
    return size / seconds / 1e6


def fmt_rate(value):
    return f"{value:,.0f}" if value >= 10 else f"{value:.2f}"


def fmt_ratio(value):
    return f"{value:,.0f}×" if value >= 10 else f"{value:.2f}×"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--corpus", default=None, help="default: BUILD/corpus")
    parser.add_argument("--runs", type=int, default=7, help="runs of each fast measurement (median)")
    parser.add_argument("--slow-runs", type=int, default=3, help="runs of OpenCC and pinyin-pro (median)")
    parser.add_argument("--pinyin-pro-mib", type=float, default=4,
                        help="pinyin-pro (about 1 MB/s) reads at most this much of each corpus; 0: all")
    parser.add_argument("--stream-mib", type=int, default=1024,
                        help="input of the peak-memory runs through a pipe; 0: skip them")
    parser.add_argument("--quick", action="store_true", help="one run each, 64 MiB streams")
    args = parser.parse_args(argv)
    if args.quick:
        args.runs, args.slow_runs, args.stream_mib = 1, 1, 64
    corpus = args.corpus or os.path.join(args.build, "corpus")
    huoxing = os.path.join(args.build, "bin", "huoxing")
    ours_bench = os.path.join(args.build, "bin", "bench_peers_ours")
    for needed in (huoxing, ours_bench, os.path.join(corpus, "man.utf8")):
        if not os.path.exists(needed):
            raise SystemExit(f"peers: {needed} is missing (make build, then bench/make_corpus.py)")

    peers = build_peers(args.build)
    install_pinyin_pro()
    work = os.path.join(args.build, "peers")
    limit = int(args.pinyin_pro_mib * (1 << 20))

    # {row: {corpus: (input bytes, seconds)}}, and the UTF-8 size of the text each ran on.
    m = {}
    text_size = {}

    def put(row, name, measure, text):
        m.setdefault(row, {})[name] = measure
        text_size[row, name] = os.path.getsize(text)
        print(f"peers: {name:5} {row:28} {mbps(measure):10,.1f} MB/s", file=sys.stderr)

    sliced = {}
    for name in CORPORA:
        utf8 = os.path.join(corpus, name + ".utf8")
        gbk = os.path.join(corpus, name + ".gbk")
        sliced[name] = slice_of(utf8, limit, os.path.join(work, f"{name}-slice.utf8"))
        for config in ("s2t", "t2s"):
            out = run([peers, "opencc", config + ".json", utf8, str(args.slow_runs)], capture_output=True).stdout
            put(f"opencc-{config}", name, parse_timing(out)[""], utf8)
        out = run([peers, "iconv", "GBK", "UTF-8", gbk, str(args.runs)], capture_output=True).stdout
        put("iconv-gbk-utf8", name, parse_timing(out)[""], utf8)
        out = run([peers, "iconv", "UTF-8", "GBK", utf8, str(args.runs)], capture_output=True).stdout
        put("iconv-utf8-gbk", name, parse_timing(out)[""], utf8)
        out = run(["node", os.path.join(HERE, "pinyin_pro.mjs"), PINYIN_PRO_DIR, sliced[name], str(args.slow_runs)],
                  capture_output=True).stdout
        put("pinyin-pro", name, parse_timing(out)["pinyin-pro"], sliced[name])

        for command in COMMANDS:
            path = sliced[name] if command == "pinyin" else utf8
            put(f"cli-{command}", name, time_command([huoxing, command], path, args.runs), path)
        ours = parse_timing(run([ours_bench, utf8, str(args.runs)], capture_output=True).stdout)
        for op in ("s2t", "t2s", "decode", "encode", "traditional-utf8"):
            put(f"ours-{op}", name, ours[op], utf8)
        if sliced[name] != utf8:
            ours = parse_timing(run([ours_bench, sliced[name], str(args.runs)], capture_output=True).stdout)
        put("ours-pinyin", name, ours["pinyin"], sliced[name])

    rows = [
        # (label, row, input encoding, [(peer label, peer row, target ratio)]); a peer has no list
        ("OpenCC s2t (C API)", "opencc-s2t", "UTF-8", []),
        ("OpenCC t2s (C API)", "opencc-t2s", "UTF-8", []),
        ("pinyin-pro, toneless (Node) †", "pinyin-pro", "UTF-8", []),
        ("iconv() GBK→UTF-8", "iconv-gbk-utf8", "GBK", []),
        ("iconv() UTF-8→GBK", "iconv-utf8-gbk", "UTF-8", []),
        ("`huoxing traditional`", "cli-traditional", "UTF-8",
         [("OpenCC s2t", "opencc-s2t", "30×"), ("iconv GBK→UTF-8", "iconv-gbk-utf8", "1×")]),
        ("`huoxing simplified`", "cli-simplified", "UTF-8",
         [("OpenCC t2s", "opencc-t2s", "30×"), ("iconv GBK→UTF-8", "iconv-gbk-utf8", "1×")]),
        ("`huoxing pinyin` †", "cli-pinyin", "UTF-8",
         [("pinyin-pro", "pinyin-pro", ""), ("iconv GBK→UTF-8", "iconv-gbk-utf8", "")]),
        ("in memory: `convertScript` s2t", "ours-s2t", "GBK", [("OpenCC s2t", "opencc-s2t", "100×")]),
        ("in memory: `convertScript` t2s", "ours-t2s", "GBK", [("OpenCC t2s", "opencc-t2s", "100×")]),
        ("in memory: `transcribePinyin` †", "ours-pinyin", "GBK", [("pinyin-pro", "pinyin-pro", "200×")]),
        ("in memory: UTF-8→GBK decode", "ours-decode", "UTF-8", [("iconv UTF-8→GBK", "iconv-utf8-gbk", "")]),
        ("in memory: GBK→UTF-8 encode", "ours-encode", "GBK", [("iconv GBK→UTF-8", "iconv-gbk-utf8", "")]),
        ("in memory: s2t UTF-8 to UTF-8 (`Utf8UnitMap`)", "ours-traditional-utf8", "UTF-8",
         [("OpenCC s2t", "opencc-s2t", ""), ("iconv GBK→UTF-8", "iconv-gbk-utf8", "")]),
    ]

    def ratio(ours, peer, name):
        # Time per byte of the text: a pinyin row ran on a slice where its peer may not have.
        return (m[peer][name][1] / text_size[peer, name]) / (m[ours][name][1] / text_size[ours, name])

    sizes = {name: (os.path.getsize(os.path.join(corpus, name + ".utf8")),
                    os.path.getsize(os.path.join(corpus, name + ".gbk"))) for name in CORPORA}
    man_ascii = sum(b < 0x80 for b in open(os.path.join(corpus, "man.gbk"), "rb").read()) / sizes["man"][1]
    dense_ascii = sum(b < 0x80 for b in open(os.path.join(corpus, "dense.gbk"), "rb").read()) / sizes["dense"][1]
    node = run(["node", "--version"], capture_output=True).stdout.strip()
    lines = [
        f"Measured {datetime.date.today().isoformat()} on {cpu_model()}, {os.cpu_count()} cores, "
        f"Linux, by `make bench` (bench/peers/run.py). "
        f"OpenCC {package_version('libopencc-dev')}, pinyin-pro "
        f"{pinyin_pro_version()} on Node {node}, glibc {platform.libc_ver()[1]} iconv.",
        "",
        f"Text: **man**, Debian's manpages-zh zh_CN and zh_TW pages, {sizes['man'][0] / 1e6:.1f} MB as UTF-8 "
        f"({sizes['man'][1] / 1e6:.1f} MB as GBK, {man_ascii:.0%} ASCII); **dense**, their Han-dense lines and "
        f"fortunes-zh's poems, {sizes['dense'][0] / 1e6:.1f} MB as UTF-8 ({sizes['dense'][1] / 1e6:.1f} MB as GBK, "
        f"{dense_ascii:.0%} ASCII). MB/s: 10⁶ input bytes (in the encoding the input column names) per second, "
        f"median of {args.runs} runs ({args.slow_runs} for OpenCC and pinyin-pro). Ratio: the peer's time over "
        f"ours for the same text (target in brackets). Peers and in-memory rows time the call alone on the whole "
        f"text; `huoxing` rows time the process, file in, /dev/null out.",
    ]
    if any(sliced[name] != os.path.join(corpus, name + ".utf8") for name in CORPORA):
        lines.append("")
        lines.append(f"† On the first {args.pinyin_pro_mib:g} MiB of a corpus larger than that "
                     f"(pinyin-pro takes about a second a megabyte); "
                     f"their ratios to a peer that read all of it compare time per byte.")
    lines += ["",
              "| operation | input | man MB/s | dense MB/s | our ratio to | man | dense |",
              "|---|---|--:|--:|---|--:|--:|"]
    for label, row, encoding, against in rows:
        rates = [fmt_rate(mbps(m[row][name])) for name in CORPORA]
        first = f"| {label} | {encoding} | {rates[0]} | {rates[1]} |"
        if not against:
            lines.append(first + " | | |")
        for i, (peer_label, peer, target) in enumerate(against):
            cells = [fmt_ratio(ratio(row, peer, name)) for name in CORPORA]
            lead = first if i == 0 else "| | | | |"
            goal = f" (≥{target})" if target else ""
            lines.append(f"{lead} {peer_label}{goal} | {cells[0]} | {cells[1]} |")
    table = "\n".join(lines)
    print(table)

    if args.stream_mib > 0:
        print()
        print(stream_table(huoxing, corpus, args.stream_mib << 20))
    return 0


def pinyin_pro_version():
    import json
    with open(os.path.join(PINYIN_PRO_DIR, "node_modules", "pinyin-pro", "package.json")) as f:
        return json.load(f)["version"]


def stream_table(huoxing, corpus, total):
    """Peak memory of each streaming command over `total` bytes of the man corpus, repeated, through a pipe."""
    lines = [f"Peak memory (maximum resident set) of a streaming command over {total >> 20} MiB of the man "
             f"corpus, repeated, through a pipe, output to /dev/null:",
             "",
             "| command | utf-8 | gbk |",
             "|---|--:|--:|"]
    chunks = {}
    for encoding, suffix in (("utf-8", "utf8"), ("gbk", "gbk")):
        with open(os.path.join(corpus, "man." + suffix), "rb") as f:
            chunks[encoding] = f.read()
    for command in STREAM_COMMANDS:
        cells = []
        for encoding in ("utf-8", "gbk"):
            rss, seconds = peak_memory([huoxing, command, "-e", encoding], chunks[encoding], total)
            print(f"peers: {command} -e {encoding}: {rss / 1024:.1f} MiB peak, {total / seconds / 1e6:,.0f} MB/s "
                  "through the pipe", file=sys.stderr)
            cells.append(f"{rss / 1024:.1f} MiB")
        lines.append(f"| `huoxing {command}` | {cells[0]} | {cells[1]} |")
    return "\n".join(lines)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
