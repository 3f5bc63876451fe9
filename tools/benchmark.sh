#!/usr/bin/env bash
# Builds and runs the list benchmark under Wine in a prefix of its own: start-up and a
# category switch of the program list beside the bare walk of the same folders, for Start
# Menus of 10, 500 and 2,000 shortcuts. Not part of the test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/tools/build-win.sh" list_benchmark

MARLOWEN_HEADLESS=${MARLOWEN_HEADLESS:-1}
source "$root/tools/xvfb.sh"
prefix="$build/bench-prefix"
"$root/tools/new-wine-prefix.sh" "$prefix"
trap '"$root/tools/end-wine-prefix.sh" "$prefix"; kill ${XVFB_PID:-} 2>/dev/null || true' EXIT
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    wine "$build/win/bin/list_benchmark.exe"
