#!/bin/sh
# Runs the tests of the cross build under Wine: scripts/wine-tests.sh
# [BUILD_DIR [CTEST_ARGS...]]. One prefix, one X server and one wineserver
# serve the whole run; the tests share the screen, the keyboard focus and
# the clipboard, so they run one after another.
set -eu
. "$(dirname "$0")/wine-env.sh"
build=${1:-$HUOXING_WIN_BUILD}
[ $# -gt 0 ] && shift

started=$(date +%s)
huoxing_prepare_prefix
huoxing_start_xvfb
trap 'wineserver -k 2>/dev/null || true; huoxing_stop_xvfb' EXIT
trap 'exit 130' INT TERM
# Kept alive between the test programs instead of starting anew for each,
# with Wine's own background processes started here: started by a test,
# they would hold its output open and ctest would wait for them.
wineserver -p
huoxing_wine cmd /c exit >/dev/null 2>&1 </dev/null

status=0
(cd "$build" && ctest --output-on-failure "$@") || status=$?
echo "wine-tests: the Wine part took $(($(date +%s) - started)) s"
exit "$status"
