#!/bin/sh
# Runs a Windows program of the cross build under Wine, in the project's
# prefix and code page 936: scripts/wine-exec.sh PROGRAM.exe [ARGS...]
# Needs a display (DISPLAY set; headless: xvfb-run scripts/wine-exec.sh ...).
# Also the launcher CMake uses for the tests of the cross build.
set -eu
. "$(dirname "$0")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "wine-exec: no display; run it under a desktop or with xvfb-run" >&2
    exit 1
fi
huoxing_prepare_prefix
LC_ALL=$HUOXING_WINE_LOCALE exec wine "$@"
