#!/bin/sh
# Installs the Debian packages that building and testing huoxing need, and
# only those that are missing. Usage: scripts/install-deps.sh [GROUP...]
#   base   compilers, CMake, GoogleTest, Google Benchmark, Unihan data
#   win    MinGW-w64 cross compiler, Wine, Xvfb and the X tools the window tests use
#   fuzz   clang with its sanitizer and libFuzzer runtime
#   peers  the programs and corpora the comparisons and benchmarks run against
# With no GROUP: base, win and fuzz (everything `make test` needs).
set -eu

packages_for() {
    case "$1" in
        base) echo "build-essential cmake ninja-build python3 libgtest-dev googletest libgmock-dev
                    libbenchmark-dev unicode-data bzip2 time" ;;
        win) echo "g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth xdotool xclip x11-utils
                   fonts-wqy-microhei imagemagick" ;;
        fuzz) echo "clang libclang-rt-14-dev llvm" ;;
        peers) echo "opencc libopencc-dev pkg-config manpages-zh fortunes-zh nodejs npm" ;;
        *) echo "install-deps: unknown group '$1'" >&2; exit 64 ;;
    esac
}

[ $# -gt 0 ] || set -- base win fuzz
wanted=""
for group in "$@"; do wanted="$wanted $(packages_for "$group")"; done

missing=""
for pkg in $wanted; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    case "$status" in *" installed") continue ;; esac
    # A Node.js built with its own npm conflicts with Debian's npm package.
    [ "$pkg" = npm ] && command -v npm >/dev/null && continue
    missing="$missing $pkg"
done
[ -n "$missing" ] || exit 0

if [ "$(id -u)" -eq 0 ]; then as_root=""; elif command -v sudo >/dev/null; then as_root="sudo"; else
    echo "install-deps: missing packages:$missing (run as root or install sudo)" >&2; exit 1
fi
echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -q >/dev/null
# shellcheck disable=SC2086
$as_root apt-get install -y -q --no-install-recommends $missing >/dev/null
