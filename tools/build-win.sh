#!/usr/bin/env bash
# Installs what the build needs and builds the given targets of the release build for Windows
# in build/win, for the scripts that run or pack the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/tools/deps.sh"
cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
cmake --build "$root/build/win" --target "$@"
