#!/usr/bin/env python3
"""Derives the table of known programs that the program's suggestions use.

Reads the package index (names, package ids and tags of the Windows Package Manager's
community repository, MIT licence), gives each package the category its tags point to
through tag-categories.txt, adds the names of known-programs.txt (which win over the
index), and writes src/startmenu/suggestions/KnownProgramsTable.inc: one C++ string literal with a line
"<category digit><tab><name>" per name and "P<category digit><tab><publisher>" per
publisher whose packages are nearly all of one category.

    tools/suggestions/make_known_programs.py [path/to/winget-index.json]

The output is checked in; run this again after changing the mapping or the list.
Standard library only.
"""
import collections
import json
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CATEGORIES = ["Office", "Utilities", "Games", "Entertainment", "Internet", "Programming",
              "Graphics", "Security", "Other"]
# Names so common or so short that a table entry for them would name too many programs.
GENERIC = {"app", "apps", "client", "desktop", "launcher", "manager", "tool", "tools", "player",
           "editor", "viewer", "server", "studio", "browser", "setup", "helper", "agent",
           "monitor", "notes", "reader", "converter", "downloader", "recorder", "terminal",
           "cli", "gui", "pro", "free", "lite", "plus", "portable", "suite", "update", "updater",
           "start", "home", "run", "go", "play", "files", "file", "photos", "camera", "maps",
           "news", "weather", "clock", "alarm", "timer", "search", "connect", "link", "phone",
           "remote", "shell", "store", "tips", "music", "video", "sync", "share", "note", "draw",
           "write", "read", "games", "game", "media", "audio", "image", "photo", "settings",
           "console", "help", "docs", "print", "scan", "backup", "cloud", "drive", "system",
           "control", "center", "config", "configuration", "welcome", "about", "network"}


def read_lists(path):
    """The lines "Name: item, item, ..." of a list file, with their indented continuations."""
    text = open(path, encoding="utf-8").read()
    text = re.sub(r"\n[ \t]+", " ", text)
    for line in text.splitlines():
        line = line.strip()
        if line and not line.startswith("#"):
            name, items = line.split(":", 1)
            yield name.strip(), [item.strip() for item in items.split(",") if item.strip()]


def read_mapping(path):
    mapping = {}
    for name, tags in read_lists(path):
        category = CATEGORIES.index(name)
        for tag in tags:
            mapping[tag] = category
    return mapping


def normalise(name):
    """The same rule as SuggestionName's NormalizedName in the program (kept in step)."""
    name = name.lower()
    name = re.sub(r"\([^)]*\)|\[[^\]]*\]", " ", name)
    name = re.sub(r"(?<=\d)\.(?=\d)", "\x01", name)
    name = re.sub(r"[^a-z0-9+#\x01\x80-\uffff]+|[\u00a9\u00ae\u2122]+", " ", name)
    words = name.replace("\x01", ".").split()
    kept = []
    for i, word in enumerate(words):
        if i > 0 and is_version_word(word):
            continue
        if i > 0 and word == "bit" and kept and len(kept) < i:
            continue
        kept.append(word)
    return " ".join(kept)


DROPPED = {"x64", "x86", "amd64", "arm64", "win32", "win64", "64bit", "32bit", "tm"}


def is_version_word(word):
    return (word in DROPPED or re.fullmatch(r"v?\d[\d.]*", word) is not None)


def package_category(tags, mapping):
    votes = collections.Counter(mapping[t.lower()] for t in tags if t.lower() in mapping)
    if not votes:
        return None
    ranked = votes.most_common()
    best, count = ranked[0]
    second = ranked[1][1] if len(ranked) > 1 else 0
    # A clear majority only: a package that is as much a browser as a video tool says
    # nothing about which the user would choose.
    if count < 2 * second or (count == 1 and second == 1):
        return None
    return best


def id_words(package_id):
    parts = package_id.split(".")
    return parts[0], parts[1] if len(parts) > 1 else ""


def split_camel(word):
    return re.sub(r"(?<=[a-z])(?=[A-Z])", " ", word)


def ascii_only(text):
    return all(ord(c) < 128 for c in text)


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        ROOT, "..", "shared", "data", "winget-index.json")
    mapping = read_mapping(os.path.join(HERE, "tag-categories.txt"))
    packages = json.load(open(source, encoding="utf-8"))

    votes = collections.defaultdict(collections.Counter)
    publishers = collections.defaultdict(collections.Counter)
    for package in packages:
        category = package_category(package.get("Tags") or [], mapping)
        if category is None:
            continue
        publisher, product = id_words(package["PackageId"])
        publishers[re.sub(r"[^a-z0-9]", "", publisher.lower())][category] += 1
        name = package["Name"]
        if ascii_only(name):
            votes[normalise(name)][category] += 2
            # The name without its publisher in front: "Mozilla Firefox" is also "Firefox".
            words = normalise(name).split()
            pub = normalise(split_camel(publisher)).split()
            if len(words) > len(pub) and words[:len(pub)] == pub:
                votes[" ".join(words[len(pub):])][category] += 1
        if product and ascii_only(product):
            votes[normalise(split_camel(product))][category] += 1

    table = {}
    for key, counter in votes.items():
        ranked = counter.most_common()
        best, count = ranked[0]
        second = ranked[1][1] if len(ranked) > 1 else 0
        if len(key) < 3 or key in GENERIC or count < 2 * second:
            continue
        if " " not in key and len(key) < 4:
            continue
        table[key] = best

    curated = list(read_lists(os.path.join(HERE, "known-programs.txt")))
    vendors = {normalise(name) for category, names in curated if category == "None"
               for name in names}
    for category, names in curated:
        index = -1 if category == "None" else CATEGORIES.index(category)
        for name in names:
            table[normalise(name)] = index
    # A listed name without its vendor in front ("Macromedia Dreamweaver" is also
    # "Dreamweaver"), unless that is already known.
    for category, names in curated:
        if category == "None":
            continue
        for name in names:
            words = normalise(name).split()
            for n in (1, 2):
                rest = " ".join(words[n:])
                if (len(words) > n and " ".join(words[:n]) in vendors and rest not in table
                        and rest not in GENERIC and len(rest) >= 4):
                    table[rest] = CATEGORIES.index(category)

    lines = []
    for key in sorted(table):
        if table[key] >= 0:
            lines.append(f"{table[key]}\t{key}")
        else:
            lines.append(f"-\t{key}")  # a name known to say nothing
    for key in sorted(publishers):
        counter = publishers[key]
        total = sum(counter.values())
        best, count = counter.most_common(1)[0]
        if total >= 3 and count * 10 >= total * 9 and len(key) >= 3:
            lines.append(f"P{best}\t{key}")

    out = os.path.join(ROOT, "src", "startmenu", "KnownProgramsTable.inc")
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write("// Made by tools/suggestions/make_known_programs.py from the Windows Package\n")
        f.write("// Manager's package index (MIT licence: KnownProgramsTable.LICENSE) and\n")
        f.write("// tools/suggestions/known-programs.txt. Do not edit by hand.\n")
        f.write("// clang-format off\n")
        f.write("static const char kKnownProgramsTable[] =\n")
        for line in lines:
            escaped = line.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
            f.write(f'    "{escaped}\\n"\n')
        f.write("    ;\n// clang-format on\n")
    print(f"{out}: {len(lines)} lines, {os.path.getsize(out)} bytes")


if __name__ == "__main__":
    main()
