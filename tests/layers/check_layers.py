#!/usr/bin/env python3
"""Fails when a source file or a library reaches up or sideways between the folders of src/.

Each folder may use its own files and those of the folders on the rows below it; the rows
are the layers, from the bottom up. Usage: check_layers.py <source root>
"""
import pathlib
import re
import sys

LAYERS = [
    {"base", "res"},
    {"win"},
    {"product"},
    {"restorepoint", "cleaning"},
    {"startmenu"},
    {"backup", "cleanup", "exchange", "extras"},
    {"app"},
]
RANK = {folder: row for row, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.M)


def may_use(user, used):
    return user == used or RANK[used] < RANK[user]


def check_includes(src):
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp", ".in"}:
            continue
        user = path.relative_to(src).parts[0]
        if user not in RANK:
            faults.append(f"{path}: folder {user} has no layer")
            continue
        for used in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if used not in RANK:
                faults.append(f"{path}: includes from unknown folder {used}")
            elif not may_use(user, used):
                faults.append(f"{path}: {user} includes {used}/, which is not below it")
    return faults


def check_links(cmake):
    """Each library's folder is the one of its sources; it may link only what lies below."""
    text = cmake.read_text(encoding="utf-8")
    folder_of = {}
    for name, sources in re.findall(r"marlowen_library\((\w+)\s([^)]*)\)", text):
        folders = set(re.findall(r"src/(\w+)/", sources))
        if len(folders) != 1:
            return [f"{cmake}: library {name} takes sources from {sorted(folders)}"]
        folder_of[name] = folders.pop()
    faults = []
    for name, deps in re.findall(r"target_link_libraries\((\w+)\s+PUBLIC\s([^)]*)\)", text):
        if name not in folder_of:
            continue
        for dep in deps.split():
            if dep in folder_of and not may_use(folder_of[name], folder_of[dep]):
                faults.append(f"{cmake}: {name} ({folder_of[name]}/) links {dep} "
                              f"({folder_of[dep]}/), which is not below it")
    return faults


def main():
    root = pathlib.Path(sys.argv[1])
    faults = check_includes(root / "src") + check_links(root / "CMakeLists.txt")
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print("every folder uses only what lies below it")
    return 0


if __name__ == "__main__":
    sys.exit(main())
