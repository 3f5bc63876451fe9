#!/usr/bin/env bash
# Installs what the build needs and builds the given targets of the release build for Windows
# in build/win (or WIN_BUILD), for the scripts that run or pack the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/tools/deps.sh"
source "$root/tools/win-arch.sh"
build="${WIN_BUILD:-$root/build/win}"
forget_other_arch "$build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN"
cmake --build "$build" --target "$@"
