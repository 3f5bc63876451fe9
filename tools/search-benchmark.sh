#!/usr/bin/env bash
# Builds and runs the search benchmark under Wine in a prefix of its own: the wizard's search
# and clear mode over a tree of 20,000 shortcuts, a quarter of them dead, beside the plainest
# loop that loads each shortcut and looks for its target. Not part of the test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/tools/deps.sh"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
cmake --build "$build/win" --target search_benchmark

MARLOWEN_HEADLESS=${MARLOWEN_HEADLESS:-1}
source "$root/tools/xvfb.sh"
prefix="$build/search-bench-prefix"
# The prefix gets its own user folders before the program runs (new-wine-prefix.sh).
"$root/tools/new-wine-prefix.sh" "$prefix"
trap '"$root/tools/end-wine-prefix.sh" "$prefix"; kill ${XVFB_PID:-} 2>/dev/null || true' EXIT
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    wine "$build/win/bin/search_benchmark.exe"
