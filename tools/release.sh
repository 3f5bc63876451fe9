#!/usr/bin/env bash
# Builds marlowen.exe and its help file and packs both into build/Marlowen-<version>.zip, in
# a folder of that name: unpack it anywhere and run marlowen.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

# The program ships as the 32-bit build, whatever this machine can run.
WIN_ARCH=i686 WIN_BUILD="$build/win32" "$root/tools/build-win.sh" marlowen help_file

version=$(sed -n 's/^#define MARLOWEN_VERSION_TEXT "\(.*\)"$/\1/p' "$build/win32/generated/product/Version.h")
name="Marlowen-$version"
stage="$build/release"
rm -rf "$stage"
mkdir -p "$stage/$name"
cp "$build/win32/bin/marlowen.exe" "$build/win32/bin/Marlowen.chm" "$stage/$name/"
rm -f "$build/$name.zip"
(cd "$stage" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
echo "Release: $build/$name.zip"
