#!/usr/bin/env bash
# Builds marlowen.exe and its help file and packs both into build/Marlowen-<version>.zip, in
# a folder of that name: unpack it anywhere and run marlowen.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/tools/build-win.sh" marlowen help_file

version=$(sed -n 's/^#define MARLOWEN_VERSION_TEXT "\(.*\)"$/\1/p' "$build/win/generated/product/Version.h")
name="Marlowen-$version"
stage="$build/release"
rm -rf "$stage"
mkdir -p "$stage/$name"
cp "$build/win/bin/marlowen.exe" "$build/win/bin/Marlowen.chm" "$stage/$name/"
rm -f "$build/$name.zip"
(cd "$stage" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
echo "Release: $build/$name.zip"
