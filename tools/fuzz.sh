#!/usr/bin/env bash
# Fuzzes the code that reads files and registry values a hostile user may have written: each
# reader natively under libFuzzer, AddressSanitizer and UBSan, for the given seconds (60 by
# default), starting from inputs the program's own writers make. Not part of the test run.
# Usage: tools/fuzz.sh [seconds] [FuzzName...]; a crash, hang or memory blow-up stops with
# its input in build/fuzz/<FuzzName>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/fuzz"
seconds=${1:-60}
shift || true
flags=(-std=c++17 -g -O1 -I"$root/src" -Wall -Wextra -Wshadow -Werror)
sources=(base/PathRules base/RecordLines backup/BackupKey backup/RestoreRecord exchange/LayoutText
         exchange/Utf8 startmenu/model/Categories startmenu/model/EntryList
         startmenu/processing/KnownItems startmenu/processing/MoveReport
         startmenu/processing/RunJournal startmenu/processing/UndoRules
         startmenu/suggestions/LearnedChoices)

mkdir -p "$out/obj"
objects=()
for source in "${sources[@]}"; do
    object="$out/obj/${source//\//_}.o"
    if [[ ! "$object" -nt "$root/src/$source.cpp" ]]; then
        clang++-14 "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined \
            -c "$root/src/$source.cpp" -o "$object"
    fi
    objects+=("$object")
done

names=("$@")
if [[ ${#names[@]} -eq 0 ]]; then
    names=($(cd "$root/tools/fuzz" && ls Fuzz*.cpp | sed 's/\.cpp$//'))
fi
for name in "${names[@]}"; do
    dir="$out/$name"
    mkdir -p "$dir/corpus"
    clang++-14 "${flags[@]}" -fsanitize=fuzzer,address,undefined \
        "$root/tools/fuzz/$name.cpp" "${objects[@]}" -o "$dir/$name"
    echo "== $name, ${seconds}s"
    (cd "$dir" && MARLOWEN_FUZZ_SEEDS="$dir/corpus" UBSAN_OPTIONS=halt_on_error=1 \
        "./$name" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 -max_len=65536 \
        -print_final_stats=1 corpus)
done
