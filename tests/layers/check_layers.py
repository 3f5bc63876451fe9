#!/usr/bin/env python3
"""Fails when a source file or a library reaches up or sideways between the folders of src/.

Each folder may use its own files and those of the folders on the rows below it; the rows
are the layers, from the bottom up. A subsystem split into sub-folders is layered the same
way inside: a sub-folder uses its own files, those of the sub-folders below it and the
subsystem's own headers. Usage: check_layers.py <source root>
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
SUBLAYERS = {
    "startmenu": [
        {"model"},
        {"processing", "suggestions"},
        {"window"},
    ],
}
RANK = {folder: row for row, folders in enumerate(LAYERS) for folder in folders}
SUBRANK = {(top, sub): row for top, rows in SUBLAYERS.items()
           for row, subs in enumerate(rows) for sub in subs}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+/)[^"/]+"', re.M)


def unit_of(folder_parts):
    """The layered unit a folder belongs to: a subsystem, or one of its sub-folders."""
    top = folder_parts[0]
    if top in SUBLAYERS and len(folder_parts) > 1:
        return (top, folder_parts[1])
    return (top, None)


def layer_fault(unit):
    top, sub = unit
    if top not in RANK:
        return f"folder {top} has no layer"
    if sub is not None and (top, sub) not in SUBRANK:
        return f"folder {top}/{sub} has no layer"
    return None


def may_use(user, used):
    if user[0] != used[0]:
        return RANK[used[0]] < RANK[user[0]]
    if used[1] is None or user == used:
        return True
    return user[1] is not None and SUBRANK[used] < SUBRANK[user]


def name(unit):
    return "/".join(part for part in unit if part)


def check_includes(src):
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp", ".in"}:
            continue
        user = unit_of(path.relative_to(src).parts[:-1] or ("",))
        fault = layer_fault(user)
        if fault:
            faults.append(f"{path}: {fault}")
            continue
        for folder in INCLUDE.findall(path.read_text(encoding="utf-8")):
            used = unit_of(folder.rstrip("/").split("/"))
            if layer_fault(used):
                faults.append(f"{path}: includes from unknown folder {folder}")
            elif not may_use(user, used):
                faults.append(f"{path}: {name(user)} includes {folder}, which is not below it")
    return faults


def check_links(cmake):
    """Each library's folder is the one of its sources; it may link only what lies below."""
    text = cmake.read_text(encoding="utf-8")
    folder_of = {}
    for lib, sources in re.findall(r"marlowen_library\((\w+)\s([^)]*)\)", text):
        folders = {unit_of(folder.split("/"))
                   for folder in re.findall(r"src/([\w/]+)/[\w.]+", sources)}
        if len(folders) != 1:
            return [f"{cmake}: library {lib} takes sources from {sorted(map(name, folders))}"]
        folder_of[lib] = folders.pop()
    faults = []
    for lib, deps in re.findall(r"target_link_libraries\((\w+)\s+PUBLIC\s([^)]*)\)", text):
        if lib not in folder_of:
            continue
        for dep in deps.split():
            if dep in folder_of and not may_use(folder_of[lib], folder_of[dep]):
                faults.append(f"{cmake}: {lib} ({name(folder_of[lib])}/) links {dep} "
                              f"({name(folder_of[dep])}/), which is not below it")
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
