#!/usr/bin/env python3
"""Reads a built help file back with chmls and checks it against its sources: every topic of
the help folder is inside, byte for byte, with a title; the table of contents and the index
lead to every topic; every link inside a topic and every entry of the contents and the index
names a file that is there; and the compiled index and topic tables a help viewer opens by
are present. Usage: check_help.py HELP_FILE HELP_SOURCE_FOLDER"""
import pathlib
import re
import subprocess
import sys
import tempfile


def names_in(chm):
    listing = subprocess.run(["chmls", "-n", "list", chm], capture_output=True, text=True,
                             check=True).stdout
    return {line.strip() for line in listing.splitlines() if line.startswith("/")}


def extract(chm, name, folder):
    target = pathlib.Path(folder) / name.replace("/", "_")
    subprocess.run(["chmls", "extract", chm, "/" + name, str(target)], capture_output=True,
                   check=True)
    return target.read_bytes()


def locals_of(sitemap):
    return re.findall(r'<param name="Local" value="([^"]+)">', sitemap, re.IGNORECASE)


def main(chm, sources):
    sources = pathlib.Path(sources)
    failures = []
    names = names_in(chm)
    topics = sorted(p.name for p in sources.glob("*.html"))
    if not topics:
        failures.append("the help folder has no topics")
    for table in ("/#SYSTEM", "/#TOPICS", "/#URLSTR", "/$WWKeywordLinks/BTree"):
        if table not in names:
            failures.append(f"{table} is missing: the help viewer would not open the file")
    with tempfile.TemporaryDirectory() as folder:
        contents = extract(chm, "Marlowen.hhc", folder).decode("latin-1")
        index = extract(chm, "Marlowen.hhk", folder).decode("latin-1")
        for topic in topics:
            if "/" + topic not in names:
                failures.append(f"{topic} is not in the help file")
                continue
            text = extract(chm, topic, folder)
            if text != (sources / topic).read_bytes():
                failures.append(f"{topic} differs from its source")
            page = text.decode("latin-1")
            if not re.search(r"<title>[^<]+</title>", page, re.IGNORECASE):
                failures.append(f"{topic} has no title")
            for link in re.findall(r'(?:href|src)="([^"#:]+)', page, re.IGNORECASE):
                if "/" + link not in names:
                    failures.append(f"{topic} links to {link}, which is not in the help file")
            if topic not in locals_of(contents):
                failures.append(f"{topic} is not in the table of contents")
            if topic not in locals_of(index):
                failures.append(f"{topic} is not in the index")
        for entry in locals_of(contents) + locals_of(index):
            if "/" + entry.split("#")[0] not in names:
                failures.append(f"the contents or the index lead to {entry}, which is not there")
    for failure in failures:
        print(failure)
    print(f"{len(topics)} topics checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
