# Sourced by the scripts that run the Windows program under Wine (POSIX sh).
# They share one Wine prefix of the project's own, made on first use and
# reused; an X server of their own where they need one.

HUOXING_ROOT=$(cd "$(dirname "$0")/.." && pwd)
: "${HUOXING_WIN_BUILD:=$HUOXING_ROOT/build-win}"
: "${HUOXING_WINEPREFIX:=$HUOXING_WIN_BUILD/wineprefix}"
export HUOXING_WIN_BUILD HUOXING_WINEPREFIX
export WINEPREFIX="$HUOXING_WINEPREFIX"
export WINEARCH=win64
export WINEDEBUG="${HUOXING_WINEDEBUG:--all}"
# There is no network: with Mono and Gecko off, wineboot asks for neither
# installer, and the browser strip never offers to fetch the HTML engine.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The Wine process runs in code page 936. The locale need not be generated
# on this machine; Wine takes the code page from its name.
HUOXING_WINE_LOCALE=zh_CN.UTF-8

huoxing_wine() {
    LC_ALL=$HUOXING_WINE_LOCALE wine "$@"
}

# Creates the prefix if it is missing, and applies scripts/wine-prefix.reg
# again whenever that file has changed.
huoxing_prepare_prefix() {
    settings="$HUOXING_ROOT/scripts/wine-prefix.reg"
    stamp="$WINEPREFIX/.huoxing-settings"
    wanted=$(cksum <"$settings")
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ] && return 0
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine: creating the prefix $WINEPREFIX" >&2
        mkdir -p "$WINEPREFIX"
        huoxing_wine wineboot --init >/dev/null 2>&1
    fi
    # The title bar buttons are drawn with Wine's Marlett font, which this
    # Wine does not find in its own font directory.
    for font in /usr/share/wine/fonts/marlett.ttf; do
        [ -f "$font" ] && ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    (cd "$HUOXING_ROOT/scripts" && huoxing_wine regedit /S wine-prefix.reg) >/dev/null 2>&1
    # The registry reaches the disk when the wineserver ends.
    wineserver -w
    echo "$wanted" >"$stamp"
}

# Starts an X server of our own (1024x768, as the tests expect) and points
# DISPLAY at it; huoxing_stop_xvfb ends it.
huoxing_start_xvfb() {
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    HUOXING_XVFB_PID=$!
    tries=0
    while [ ! -s "$number_file" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$HUOXING_XVFB_PID" 2>/dev/null; then
            echo "wine: Xvfb did not start" >&2
            rm -f "$number_file"
            return 1
        fi
        sleep 0.1
    done
    DISPLAY=":$(head -n 1 "$number_file")"
    export DISPLAY
    rm -f "$number_file"
}

huoxing_stop_xvfb() {
    [ -n "${HUOXING_XVFB_PID:-}" ] || return 0
    kill "$HUOXING_XVFB_PID" 2>/dev/null || true
    wait "$HUOXING_XVFB_PID" 2>/dev/null || true
    HUOXING_XVFB_PID=
}
