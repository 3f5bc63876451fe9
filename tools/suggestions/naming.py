"""The form in which the program compares names, kept in step with SuggestionName.cpp."""
import re

CATEGORIES = ["Office", "Utilities", "Games", "Entertainment", "Internet", "Programming",
              "Graphics", "Security", "Other"]
DROPPED = {"x64", "x86", "amd64", "arm64", "win32", "win64", "64bit", "32bit", "tm"}


def is_version_word(word):
    return word in DROPPED or re.fullmatch(r"v?\d[\d.]*", word) is not None


def normalise(name):
    """The same rule as NormalizedName in the program."""
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


def ascii_only(text):
    return all(ord(c) < 128 for c in text)


def split_camel(word):
    return re.sub(r"(?<=[a-z])(?=[A-Z])", " ", word)


def read_lists(path):
    """The lines "Name: item, item, ..." of a list file, with their indented continuations."""
    text = open(path, encoding="utf-8").read()
    text = re.sub(r"\n[ \t]+", " ", text)
    for line in text.splitlines():
        line = line.strip()
        if line and not line.startswith("#"):
            name, items = line.split(":", 1)
            yield name.strip(), [item.strip() for item in items.split(",") if item.strip()]


def clear_majority(votes):
    """The category most votes name, when it has at least twice the votes of the next."""
    if not votes:
        return None
    ranked = votes.most_common()
    best, count = ranked[0]
    second = ranked[1][1] if len(ranked) > 1 else 0
    if count < 2 * second or (count == 1 and second == 1):
        return None
    return best


def lead(votes):
    """How many votes the first category has more than the next."""
    ranked = [count for _, count in votes.most_common(2)] + [0, 0]
    return ranked[0] - ranked[1]
