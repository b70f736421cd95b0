#!/bin/bash
# A gibibyte through a pipe: each streaming command converts it whole in
# bounded memory (peak resident size under 64 MiB, read with GNU time).
# Usage: cli_large_input.sh HUOXING
set -eu
huoxing=$1
limit_kb=$((64 * 1024))
gib=$((1 << 30))
line_utf8='火星文abc'  # 12 bytes with its line feed
lines=$((gib / 13))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# run NAME EXPECTED_BYTES INPUT_COMMAND HUOXING_ARGS...
run() {
    local name=$1 expected=$2 input=$3
    shift 3
    local got status
    got=$(eval "$input" | { /usr/bin/time -f '%M' -o "$work/rss" "$huoxing" "$@"; echo $? >"$work/status"; } | wc -c)
    status=$(cat "$work/status")
    if [ "$status" -ne 0 ]; then echo "$name: exit $status" >&2; failed=1; return; fi
    local rss
    rss=$(cat "$work/rss")
    echo "$name: $got bytes out, peak resident $((rss / 1024)) MiB"
    if [ "$got" -ne "$expected" ]; then echo "  expected $expected bytes" >&2; failed=1; fi
    if [ "$rss" -ge "$limit_kb" ]; then echo "  over $((limit_kb / 1024)) MiB" >&2; failed=1; fi
}

utf8_input="yes '$line_utf8' | head -n $lines"
gbk_input="$utf8_input | iconv -f utf-8 -t gbk"
# 吙煋攵abc: the same length in each encoding.
run "martian utf-8" $((lines * 13)) "$utf8_input" martian
run "martian gbk" $((lines * 10)) "$gbk_input" martian -e gbk
run "simplified utf-8" $((lines * 13)) "$utf8_input" simplified
# "huo xing wen abc" and a line feed; every line but the first starts with
# the separator of its first syllable.
run "pinyin utf-8" $((lines * 18 - 1)) "$utf8_input" pinyin
exit $failed
