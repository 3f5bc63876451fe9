#!/usr/bin/env bash
# Builds and runs a benchmark under Wine in a prefix of its own; not part of the test run.
# Without arguments the list benchmark: start-up and a category switch of the program list
# beside the bare walk of the same folders, for Start Menus of 10, 500 and 2,000 shortcuts.
# Given a target and a prefix name (tools/search-benchmark.sh), that benchmark instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
target=${1:-list_benchmark}
prefix="$build/${2:-bench-prefix}"

"$root/tools/build-win.sh" "$target"
source "$root/tools/win-arch.sh"

MARLOWEN_HEADLESS=${MARLOWEN_HEADLESS:-1}
source "$root/tools/xvfb.sh"
# A new prefix, with its own user folders before the program runs.
"$root/tools/new-wine-prefix.sh" "$prefix"
trap '"$root/tools/end-wine-prefix.sh" "$prefix"; kill ${XVFB_PID:-} 2>/dev/null || true' EXIT
WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    wine "$build/win/bin/$target.exe"
