#!/usr/bin/env python3
"""Derives the knowledge that the program's suggestions use.

Sources:
- the Windows Package Manager's package index (names, package ids and tags, MIT licence):
  categories through tag-categories.txt, publishers, and the product words of the ids;
- Debian's package metadata from `apt-cache dumpavail` (section, debtags and short
  description of every program package): categories through debian-categories.txt;
- known-programs.txt, common Start Menu names written by hand, which win over both.

Writes src/startmenu/suggestions/KnownProgramsTable.inc, one C++ string literal of lines:
  "<category digit>[+]<tab><name>"   a known program ("+": its one word may stand inside a
                                     longer name), "-" instead of the digit for a name that
                                     says nothing;
  "P<category digit><tab><publisher>" a publisher whose packages are nearly all of one category;
  "W<8 letters><digit><tab><word or two words>"  a word that carries a category: for each of
                                     the eight categories how much the word leans to it
                                     ("M" is nothing, each letter above or below a quarter of
                                     a natural logarithm), then how many programs showed it
                                     (the logarithm to base 2); see category_words.py.

For an honest measurement it also writes tools/suggestions/heldout/: a random fifth of the
programs (by package, fixed seed) is held out, the same knowledge is derived from the
rest (KnowledgeWithoutHeldOut.inc), and the held-out programs with their names, descriptions
categories and publishers are listed (HeldOutPrograms.inc) for the test SuggestionQuality.
It also lists power-users-check.txt (PowerUsersCheck.inc), a check written before the rules were
extended for power users' portable programs, which is never part of the knowledge.

    tools/suggestions/make_known_programs.py [--winget FILE] [--debian DUMPAVAIL-OUTPUT]

The output is checked in; run this again after changing a mapping or the list. The same
Debian release's package lists give the same output. Standard library only.
"""
import argparse
import collections
import hashlib
import json
import os
import re
import sys

import category_words
import debian_packages
from naming import (CATEGORIES, ascii_only, clear_majority, lead, normalise, read_lists,
                    split_camel)

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SEED = "marlowen-held-out-1"
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
           "control", "center", "config", "configuration", "welcome", "about", "network",
           "calendar", "calculator", "mail", "chat", "paint", "screen", "time", "text", "edit",
           "view", "open", "test", "demo", "install", "uninstall", "register", "access",
           "project", "office", "word", "book", "password", "passwords", "security", "clean",
           "cleaner", "explorer", "finder", "commander", "dictionary", "translator"}
# clear: the category is stated clearly (a lead of two votes or more; for Debian also a program
# with windows of its own), so the program can be measured on it.
Item = collections.namedtuple("Item", "group names category description publisher clear")


def winget_items(path, mapping):
    items = []
    for package in json.load(open(path, encoding="utf-8")):
        votes = collections.Counter(mapping[t.lower()] for t in package.get("Tags") or []
                                    if t.lower() in mapping)
        category = clear_majority(votes)
        if category is None:
            continue
        parts = package["PackageId"].split(".")
        publisher, product = parts[0], parts[1] if len(parts) > 1 else ""
        names = [package["Name"]] if ascii_only(package["Name"]) else []
        # The name without its publisher in front: "Mozilla Firefox" is also "Firefox".
        words = normalise(package["Name"]).split()
        pub = normalise(split_camel(publisher)).split()
        if names and len(words) > len(pub) and words[:len(pub)] == pub:
            names.append(" ".join(words[len(pub):]))
        if product and ascii_only(product):
            names.append(split_camel(product))
        if names:
            items.append(Item("winget:" + package["PackageId"], names, category, "", publisher,
                              lead(votes) >= 2))
    return items


def debian_items(text, mapping):
    items = []
    for package in debian_packages.parse(text):
        if not debian_packages.is_program(package):
            continue
        votes = mapping.votes(package)
        category = clear_majority(votes)
        if category is None:
            continue
        clear = lead(votes) >= 2 and debian_packages.is_desktop_program(package)
        items.append(Item("debian:" + package.name, debian_packages.display_names(package),
                          category, package.description, None, clear))
    return items


def held_out(item):
    digest = hashlib.sha256((SEED + item.group).encode("utf-8")).digest()
    return digest[0] % 5 == 0


def program_names(items):
    """name -> category, for names the items agree on."""
    votes = collections.defaultdict(collections.Counter)
    for item in items:
        for i, name in enumerate(item.names):
            votes[normalise(name)][item.category] += 2 if i == 0 else 1
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
    return table


def publisher_table(items):
    publishers = collections.defaultdict(collections.Counter)
    for item in items:
        if item.publisher:
            publishers[re.sub(r"[^a-z0-9]", "", item.publisher.lower())][item.category] += 1
    table = {}
    for key, counter in publishers.items():
        total = sum(counter.values())
        best, count = counter.most_common(1)[0]
        if total >= 2 and count * 10 >= total * 9 and len(key) >= 3:
            table[key] = best
    return table


def add_curated(table, curated):
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


def standalone_words(table, learned):
    """One-word names that may stand for their program inside a longer name: no word in
    common use (none that carries a category of its own or names another program's kind)
    and no word that other known names of another category contain."""
    others = collections.defaultdict(set)
    for key, category in table.items():
        words = key.split()
        if len(words) > 1 and category >= 0:
            for word in words:
                others[word].add(category)
    standalone = set()
    for key, category in table.items():
        if " " in key or category < 0 or len(key) < 4 or key in GENERIC:
            continue
        word = learned.get(key)
        if word and category_words.lean(word) != category:
            continue
        if others[key] - {category}:
            continue
        standalone.add(key)
    return standalone


def knowledge(items, curated):
    """The lines of the table derived from items and the hand list, and its program names."""
    table = program_names(items)
    add_curated(table, curated)
    documents = []
    for item in items:
        words = []
        for name in item.names:
            words += normalise(name).split()
        words += normalise(item.description).split()
        documents.append((words, item.category))
    learned = category_words.learn(documents)
    standalone = standalone_words(table, learned)
    lines = []
    for key in sorted(table):
        if table[key] < 0:
            lines.append(f"-\t{key}")  # a name known to say nothing
        else:
            lines.append(f"{table[key]}{'+' if key in standalone else ''}\t{key}")
    publishers = publisher_table(items)
    lines += [f"P{publishers[key]}\t{key}" for key in sorted(publishers)]
    lines += [f"W{category_words.encode(*word)}\t{token}"
              for token, word in sorted(learned.items())]
    return lines, table


def literal(lines, name):
    out = [f"static const char {name}[] =\n"]
    for line in lines:
        escaped = line.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
        out.append(f'    "{escaped}\\n"\n')
    out.append("    ;\n// clang-format on\n")
    return "".join(out)


def write(path, header, body):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(header + "// clang-format off\n" + body)
    print(f"{os.path.relpath(path, ROOT)}: {os.path.getsize(path)} bytes")


HEADER = ("// Made by tools/suggestions/make_known_programs.py from the Windows Package\n"
          "// Manager's package index (MIT licence: KnownProgramsTable.LICENSE), Debian's package\n"
          "// metadata (KnownProgramsTable.NOTICE) and tools/suggestions/known-programs.txt.\n"
          "// Do not edit by hand.\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--winget", default=os.path.join(ROOT, "..", "shared", "data",
                                                         "winget-index.json"))
    parser.add_argument("--debian", help="a saved output of apt-cache dumpavail")
    args = parser.parse_args()

    tags = {}
    for category, names in read_lists(os.path.join(HERE, "tag-categories.txt")):
        for tag in names:
            tags[tag] = CATEGORIES.index(category)
    mapping = debian_packages.Mapping(os.path.join(HERE, "debian-categories.txt"))
    items = winget_items(args.winget, tags)
    debian = debian_items(debian_packages.dumpavail(args.debian), mapping)
    if len(debian) < 5000:
        sys.exit(f"Only {len(debian)} Debian programs: are the package lists there? "
                 "Run apt-get update first.")
    items += debian
    curated = list(read_lists(os.path.join(HERE, "known-programs.txt")))

    write(os.path.join(ROOT, "src", "startmenu", "suggestions", "KnownProgramsTable.inc"),
          HEADER, literal(knowledge(items, curated)[0], "kKnownProgramsTable"))

    kept = [item for item in items if not held_out(item)]
    tested = [item for item in items if held_out(item)]
    heldout = os.path.join(HERE, "heldout")
    os.makedirs(heldout, exist_ok=True)
    header = HEADER.replace("Do not edit by hand.", "Without the held-out fifth; for tests.")
    lines, known = knowledge(kept, curated)
    write(os.path.join(heldout, "KnowledgeWithoutHeldOut.inc"), header,
          literal(lines, "kKnowledgeWithoutHeldOut"))
    # Measured: the held-out programs whose category is stated clearly and whose name the
    # knowledge without them does not hold (another package of the same name taught it).
    lines = [f"{item.category}\t{item.names[0]}\t{item.description}\t{item.publisher or ''}"
             for item in tested if item.clear and normalise(item.names[0]) not in known]
    write(os.path.join(heldout, "HeldOutPrograms.inc"),
          header.replace("for tests.",
                         "the held-out programs: category, name, description, publisher."),
          literal(sorted(lines, key=lambda l: l.split("\t")[1:]), "kHeldOutPrograms"))
    print(f"{len(items)} programs, {len(tested)} held out, {len(lines)} of them measured",
          file=sys.stderr)
    write_check(os.path.join(heldout, "PowerUsersCheck.inc"), header)


def write_check(path, header):
    """power-users-check.txt for the test: the accepted categories as bits, the shortcut's name
    and its target's file name as a portable build gives it ("PuTTY Portable" runs
    "PuTTYPortable.exe")."""
    lines = []
    for categories, names in read_lists(os.path.join(HERE, "power-users-check.txt")):
        bits = sum(1 << CATEGORIES.index(c) for c in categories.split("/"))
        for name in names:
            lines.append(f"{bits}\t{name}\t{re.sub(r'[^A-Za-z0-9+]', '', name)}.exe")
    write(path, header.replace("Without the held-out fifth; for tests.",
                               "The list power-users-check.txt: categories, name, target."),
          literal(lines, "kPowerUsersCheck"))


if __name__ == "__main__":
    main()
