#!/bin/sh
# The window on large contents, under Wine on an X server of its own: every
# button checked byte for byte on 8 MiB, then each button timed on 1 and
# 8 MiB of each text given (HUOXING_TIMING_MIB: other sizes).
#   scripts/window-timings.sh BUILD_DIR TEXT.gbk...
set -eu
. "$(dirname "$0")/wine-env.sh"
build=$1
shift
huoxing_prepare_prefix
huoxing_start_xvfb
trap 'wineserver -k 2>/dev/null || true; huoxing_stop_xvfb' EXIT
trap 'exit 130' INT TERM

echo "window-timings: every button on 8 MiB, byte for byte"
HUOXING_LARGE_CONTENT_MIB=8 GTEST_FILTER='*LargeContent*' huoxing_wine "$build/bin/window_tests.exe"
for text in "$@"; do
    echo
    # shellcheck disable=SC2086
    huoxing_wine "$build/bin/window_timings.exe" "$text" ${HUOXING_TIMING_MIB:-1 8}
done
