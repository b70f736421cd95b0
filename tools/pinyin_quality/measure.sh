#!/bin/sh
# Measures the pinyin dictionary's first readings against pinyin-pro.
# Usage: tools/pinyin_quality/measure.sh   (from anywhere; needs the `peers`
# packages of scripts/install-deps.sh and the npm registry for pinyin-pro)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work="$root/build/pinyin-quality"
mkdir -p "$work"

"$root/scripts/install-deps.sh" base peers
[ -d "$here/node_modules/pinyin-pro" ] || (cd "$here" && npm ci --no-audit --no-fund --silent)

${CXX:-g++} -std=c++20 -O2 -Wall -Wextra -I"$root/convert" -I"$root/cli" \
    "$here/transcribe_lines.cpp" "$root/convert/pinyin_dictionary.cpp" "$root/convert/pinyin_transcriber.cpp" \
    "$root/cli/utf8_gbk.cpp" -o "$work/transcribe_lines"

cd "$here" && node measure.mjs "$work/transcribe_lines" "$work"
