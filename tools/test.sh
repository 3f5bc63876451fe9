#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer and UBSan, the Windows program and its tests under Wine in a fresh prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/tools/deps.sh"
source "$root/tools/win-arch.sh"

# Every source file is laid out as .clang-format says.
(cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)

cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARLOWEN_SANITIZE=ON
cmake --build "$build/native"
forget_other_arch "$build/win"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$WIN_TOOLCHAIN"
cmake --build "$build/win"

# One CTest run over both builds, so there is one summary.
echo 'subdirs("native" "win")' > "$build/CTestTestfile.cmake"

# Windows get a display even on a machine without one.
MARLOWEN_HEADLESS=${MARLOWEN_HEADLESS:-${CI:+1}}
source "$root/tools/xvfb.sh"

ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
