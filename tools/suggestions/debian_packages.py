"""Debian's package metadata as the table of known programs uses it.

Reads the output of `apt-cache dumpavail` (the ordinary client, on any Debian machine of the
project): for each program package its name, section, debtags and short description. Packages
that are no program of their own (libraries, modules of a language, documentation, data,
fonts, plug-ins, debug symbols, transitional packages) are left out.
"""
import collections
import re
import subprocess

from naming import CATEGORIES, read_lists

# Sections that hold no programs a user starts, or programs only as modules of a language.
NOT_PROGRAM_SECTIONS = {
    "libs", "libdevel", "oldlibs", "doc", "fonts", "localization", "metapackages", "tasks",
    "introspection", "python", "perl", "ruby", "php", "haskell", "rust", "golang", "javascript",
    "ocaml", "lisp", "gnu-r", "cli-mono", "zope", "debug", "kernel"}
NOT_PROGRAM_NAMES = re.compile(
    r"^(lib|python3?-|ruby-|node-|golang-|r-cran-|r-bioc-|r-other-|texlive-|fonts?-|ttf-|"
    r"xfonts-|php-|perl-|haskell-|elpa-|emacs-|vim-|xul-ext-|webext-|gir1\.2-|linux-|"
    r"firmware-|task-|hunspell-|myspell-|aspell-|hyphen-|mythes-|gstreamer|nagios-|"
    r"munin-|collectd-|icinga|puppet-module-|octave-|dh-|sphinx|jupyter-|coq-|cl-|ocaml-|"
    r"llvm-|gcc-|cpp-|g\+\+-|gfortran-|gnat-|erlang-|ghc-|mono-|lua-|tcl-|tk-|guile-)|"
    r"(-dev|-doc|-docs|-dbg|-dbgsym|-data|-common|-l10n|-i18n|-locale|-locales|-perl|-java|"
    r"-dkms|-headers|-modules|-examples|-tests?|-plugins?|-theme|-themes|-icons?|-sounds|"
    r"-music|-extra|-extras|-utils-common|-dictionary|-el|-mode)$|-plugin-|-l10n-|-lang-")
NOT_PROGRAM_DESCRIPTIONS = re.compile(
    r"\b(shared librar(y|ies)|static librar(y|ies)|development files|documentation|"
    r"debug(ging)? symbols|transitional|dummy package|data files|common files|"
    r"plugins? for|librar(y|ies) for|bindings? for|module for|extension for|"
    r"architecture[- ]independent|header files|runtime librar(y|ies)|add-on for)\b", re.I)
NOT_PROGRAM_ROLES = {"role::devel-lib", "role::shared-lib", "role::plugin", "role::documentation",
                     "role::app-data", "role::data", "role::source", "role::dummy"}
# Parts of a package's name that only say how it is built ("transmission-gtk").
BUILD_WORDS = {"gtk", "gtk2", "gtk3", "gtk4", "qt", "qt4", "qt5", "qt6", "kde", "kf5", "gnome",
               "x11", "sdl", "sdl2", "gui", "cli", "nox", "bin", "daemon", "curses", "ncurses",
               "console", "wx", "motif", "xaw", "snapshot", "git", "svn", "ng", "nightly"}


Package = collections.namedtuple("Package", "name source section tags description")


def dumpavail(path=None):
    if path:
        return open(path, encoding="utf-8", errors="replace").read()
    return subprocess.run(["apt-cache", "dumpavail"], check=True, capture_output=True,
                          text=True, errors="replace").stdout


def parse(text):
    """Every package once (the first of its records, as architectures repeat it)."""
    packages = {}
    for record in text.split("\n\n"):
        fields = {}
        key = None
        for line in record.splitlines():
            if line[:1] in (" ", "\t"):
                if key:
                    fields[key] += " " + line.strip()
                continue
            key, _, value = line.partition(":")
            fields[key] = value.strip()
        name = fields.get("Package")
        if not name or name in packages:
            continue
        tags = {t.strip() for t in fields.get("Tag", "").split(",") if t.strip()}
        source = fields.get("Source", name).split(" ")[0]
        section = fields.get("Section", "").split("/")[-1]
        packages[name] = Package(name, source, section, tags, fields.get("Description", ""))
    return [packages[name] for name in sorted(packages)]


def is_program(package):
    if package.section in NOT_PROGRAM_SECTIONS:
        return False
    if NOT_PROGRAM_NAMES.search(package.name):
        return False
    if NOT_PROGRAM_DESCRIPTIONS.search(package.description):
        return False
    return "role::program" in package.tags or not (package.tags & NOT_PROGRAM_ROLES)


class Mapping:
    """debian-categories.txt: the votes of tags and sections."""

    def __init__(self, path):
        self.exact, self.facets = {}, {}
        for category, items in read_lists(path):
            index = CATEGORIES.index(category)
            for item in items:
                if item.endswith("::*"):
                    self.facets[item[:-1]] = index
                else:
                    self.exact[item] = index

    def vote(self, item):
        if item in self.exact:
            return self.exact[item]
        facet = item.split("::")[0] + "::"
        return self.facets.get(facet)

    def votes(self, package):
        """The votes of the package's tags and section."""
        votes = collections.Counter()
        for item in sorted(package.tags) + ["section:" + package.section]:
            category = self.vote(item)
            if category is not None:
                votes[category] += 1
        return votes


def is_desktop_program(package):
    """A program with windows of its own, as the programs of a Start Menu are."""
    return bool(package.tags & {"interface::graphical", "interface::x11", "x11::application"}) \
        or package.section in ("games", "graphics", "sound", "video", "gnome", "kde", "xfce")


def display_names(package):
    """The names under which a user may see the program: the package's name without the words
    that only say how it is built, and a name the description starts with
    ("Midnight Commander - a powerful file manager")."""
    words = package.name.split("-")
    while len(words) > 1 and words[-1] in BUILD_WORDS:
        words.pop()
    names = [" ".join(words)]
    head = re.match(r"([A-Z][\w+.']*(?: [\w+.']+){0,3}) - ", package.description)
    if head:
        names.append(head.group(1))
    return names
