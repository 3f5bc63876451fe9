// What a program's name tells of its category: the knowledge's programs, found in the shapes
// installers give names, then the words of the name.
#include <algorithm>
#include <iterator>

#include "startmenu/suggestions/SuggestionName.h"
#include "startmenu/suggestions/SuggestionRules.h"

namespace startmenu {
namespace {

// Words a name is judged by must have been seen in 2^3 known programs at least: a rarer word
// of a name is as likely another program's name. A description is judged by words seen in two.
constexpr int kNameSeen = 3, kDescriptionSeen = 1;

constexpr int kOffice = 0, kUtilities = 1, kGames = 2, kEntertainment = 3, kInternet = 4,
              kProgramming = 5, kGraphics = 6, kSecurity = 7;

// Words that name what a program is for, written by hand: only words that rarely mean anything
// else. A name whose words point two ways gets nothing from them.
struct Keywords {
    int category;
    std::vector<const wchar_t*> words;
};
const std::vector<Keywords>& KeywordTable() {
    static const std::vector<Keywords> table = {
        {kGames,
         {L"game",        L"games",     L"solitaire",  L"chess",    L"poker",     L"mahjong",
          L"mahjongg",    L"sudoku",    L"pinball",    L"tetris",   L"arcade",    L"minesweeper",
          L"freecell",    L"klondike",  L"backgammon", L"checkers", L"crossword", L"jigsaw",
          L"billiards",   L"blackjack", L"roulette",   L"slots",    L"casino",    L"simulator",
          L"tycoon",      L"quest",     L"adventure",  L"racing",   L"rally",     L"warfare",
          L"battlefield", L"puzzle",    L"dominoes",   L"emulator", L"roguelike", L"dungeon",
          L"snes",        L"gameboy",   L"kart"}},
        {kEntertainment,
         {L"player", L"music",    L"audio",     L"mp3",    L"video",   L"media",     L"radio",
          L"tv",     L"dvd",      L"movie",     L"movies", L"karaoke", L"jukebox",   L"codec",
          L"codecs", L"podcast",  L"sound",     L"songs",  L"dj",      L"mixer",     L"webradio",
          L"iptv",   L"subtitle", L"subtitles", L"mp4",    L"mkv",     L"flac",      L"midi",
          L"tagger", L"playlist", L"lyrics",    L"guitar", L"drum",    L"metronome", L"equalizer"}},
        {kInternet,
         {L"browser", L"mail",       L"email",  L"messenger",  L"chat",       L"ftp",
          L"sftp",    L"ssh",        L"telnet", L"torrent",    L"bittorrent", L"downloader",
          L"rss",     L"newsreader", L"irc",    L"voip",       L"webmail",    L"internet",
          L"web",     L"surf",       L"skype",  L"vnc",        L"rdp",        L"vpn",
          L"proxy",   L"tunnel",     L"socks5", L"usenet",     L"xmpp",       L"cloud",
          L"scp",     L"webdav",     L"dns",    L"traceroute", L"wifi",       L"socks",
          L"netcat",  L"sshfs",      L"serial"}},
        {kSecurity,
         {L"antivirus",   L"anti",        L"virus",         L"malware",    L"antimalware",
          L"antispyware", L"spyware",     L"firewall",      L"password",   L"passwords",
          L"encryption",  L"encrypt",     L"security",      L"protection", L"antiexploit",
          L"ransomware",  L"shredder",    L"authenticator", L"vault",      L"keepass",
          L"rootkit",     L"antirootkit", L"adware",        L"otp",        L"totp",
          L"pgp",         L"gpg",         L"privacy"}},
        {kProgramming,
         {L"ide",         L"sdk",     L"compiler", L"debugger", L"developer", L"development",
          L"programming", L"sql",     L"database", L"git",      L"python",    L"php",
          L"perl",        L"ruby",    L"jdk",      L"devkit",   L"toolchain", L"mingw",
          L"msys2",       L"cygwin",  L"jupyter",  L"svn",      L"mercurial", L"editor",
          L"diff",        L"hex",     L"terminal", L"regex",    L"assembler", L"disassembler",
          L"decompiler",  L"circuit", L"notepad",  L"json",     L"yaml",      L"profiler",
          L"linter",      L"api",     L"spice"}},
        {kGraphics,
         {L"photo",     L"photos",  L"image",   L"images",   L"picture",   L"pictures",
          L"paint",     L"draw",    L"drawing", L"graphics", L"cad",       L"3d",
          L"icon",      L"icons",   L"pixel",   L"sketch",   L"vector",    L"illustrator",
          L"photoshop", L"gallery", L"render",  L"renderer", L"slideshow", L"collage",
          L"thumbnail", L"gif",     L"raw",     L"svg",      L"png",       L"jpeg",
          L"jpg",       L"font",    L"fonts",   L"palette",  L"mesh",      L"sprite",
          L"texture"}},
        {kOffice, {L"office",       L"pdf",       L"spreadsheet", L"writer",      L"notes",
                   L"notebook",     L"calendar",  L"dictionary",  L"accounting",  L"finance",
                   L"invoice",      L"ebook",     L"typing",      L"organizer",   L"planner",
                   L"presentation", L"thesaurus", L"translator",  L"bookkeeping", L"banking",
                   L"tax",          L"payroll",   L"ocr",         L"fax",         L"latex",
                   L"bibtex",       L"outliner",  L"wiki",        L"todo",        L"diary",
                   L"epub",         L"mindmap",   L"gantt",       L"budget",      L"flashcards",
                   L"planetarium"}},
        {kUtilities, {L"backup",     L"cleaner",     L"defrag",     L"defragmenter", L"zip",
                      L"unzip",      L"rar",         L"archiver",   L"driver",       L"drivers",
                      L"partition",  L"recovery",    L"disk",       L"benchmark",    L"tweak",
                      L"tweaker",    L"tweaks",      L"clipboard",  L"screenshot",   L"burner",
                      L"burning",    L"iso",         L"commander",  L"rename",       L"renamer",
                      L"utility",    L"utilities",   L"optimizer",  L"registry",     L"diagnostics",
                      L"monitor",    L"temperature", L"hardware",   L"firmware",     L"touchpad",
                      L"bluetooth",  L"printer",     L"calculator", L"converter",    L"timer",
                      L"wallpaper",  L"toolbox",     L"restore",    L"uninstaller",  L"hdd",
                      L"ssd",        L"usb",         L"cpu",        L"gpu",          L"duplicate",
                      L"duplicates", L"undelete",    L"checksum",   L"sensors",      L"battery",
                      L"taskbar",    L"hotkey",      L"hotkeys"}},
    };
    return table;
}

// Words after a program's name that leave it the same program ("Steam Launcher").
bool IsEditionWord(const std::wstring& word) {
    static const wchar_t* const words[] = {
        L"launcher",  L"client",       L"app",     L"desktop",   L"portable",   L"free",
        L"pro",       L"professional", L"edition", L"community", L"beta",       L"home",
        L"plus",      L"lite",         L"premium", L"ultimate",  L"standard",   L"enterprise",
        L"classic",   L"express",      L"deluxe",  L"gold",      L"platinum",   L"personal",
        L"basic",     L"trial",        L"version", L"for",       L"windows",    L"pc",
        L"cc",        L"dc",           L"hd",      L"x",         L"se",         L"the",
        L"ce",        L"ee",           L"studio",  L"suite",     L"player",     L"reader",
        L"viewer",    L"manager",      L"center",  L"centre",    L"control",    L"panel",
        L"settings",  L"tools",        L"browser", L"editor",    L"english",    L"deutsch",
        L"francais",  L"español",      L"espanol", L"italiano",  L"nederlands", L"português",
        L"portugues", L"polski",       L"svenska", L"unicode",   L"alpha",      L"preview",
        L"nightly",   L"insider",      L"canary",  L"dev",       L"stable",     L"esr",
        L"lts",       L"release",      L"build",   L"gui",       L"cli",        L"win",
        L"x32",       L"mod",          L"fork",    L"ansi",      L"x86_64",     L"setup"};
    return std::any_of(std::begin(words), std::end(words),
                       [&](const wchar_t* w) { return word == w; });
}

std::wstring Join(const std::vector<std::wstring>& words, size_t from, size_t to,
                  const wchar_t* separator) {
    std::wstring text;
    for (size_t i = from; i < to; ++i) {
        if (i > from)
            text += separator;
        text += words[i];
    }
    return text;
}

bool EndsWith(const std::wstring& word, const std::wstring& end) {
    return word.size() > end.size() && word.compare(word.size() - end.size(), end.size(), end) == 0;
}

// The shapes portable builds and installers give a name: "FileZillaPortable" is "FileZilla
// Portable", "Speedtest by Ookla" is "Speedtest", "Portable Foo" and "Free Foo" are "Foo".
std::vector<std::wstring> Shaped(std::vector<std::wstring> words) {
    std::vector<std::wstring> shaped;
    for (const std::wstring& word : words) {
        if (EndsWith(word, L"portable")) {
            shaped.push_back(word.substr(0, word.size() - 8));
            shaped.push_back(L"portable");
        } else {
            shaped.push_back(word);
        }
    }
    auto by = std::find(shaped.begin() + (shaped.empty() ? 0 : 1), shaped.end(), L"by");
    shaped.erase(by, shaped.end());
    while (shaped.size() > 1 && (shaped[0] == L"portable" || shaped[0] == L"free"))
        shaped.erase(shaped.begin());
    return shaped;
}

// A known name, also with a number glued to its last word taken off ("HWiNFO64",
// "TeraTerm5"), when four letters at least stay; two will do before the 64 or 32 that
// programs' files carry ("obs64.exe", "mpc-hc64.exe"), also as "x64" ("Dism++x64").
KnownAnswer Lookup(const Knowledge& knowledge, const std::vector<std::wstring>& words, size_t from,
                   size_t to) {
    KnownAnswer answer = knowledge.Program(Join(words, from, to, L" "));
    std::wstring last = words[to - 1];
    size_t letters = last.find_last_not_of(L"0123456789") + 1;
    std::wstring number = last.substr(letters);
    size_t least = number == L"64" || number == L"32" ? 2 : 4;
    if (answer.known != Known::Unknown || letters < least || letters == last.size())
        return answer;
    std::vector<std::wstring> stem(words.begin() + static_cast<std::ptrdiff_t>(from),
                                   words.begin() + static_cast<std::ptrdiff_t>(to));
    stem.back().resize(letters);
    answer = knowledge.Program(Join(stem, 0, stem.size(), L" "));
    if (answer.known == Known::Unknown && number == L"64" && letters > least &&
        last[letters - 1] == L'x') {
        stem.back().pop_back();
        answer = knowledge.Program(Join(stem, 0, stem.size(), L" "));
    }
    return answer;
}

// A hand-written keyword glued to the front or the end of a longer word ("SumatraPDF",
// "MusicBee", "ScreenToGif"), with three letters or more beside it: a keyword of five letters
// or more, or one of the shorter ones below that rarely begin or end another word.
bool GluedKeyword(const std::wstring& word, const std::wstring& keyword) {
    static const wchar_t* const shortOnes[] = {L"pdf",  L"ftp",  L"sftp", L"ssh",  L"gif", L"mp3",
                                               L"vpn",  L"irc",  L"zip",  L"rar",  L"rss", L"mail",
                                               L"chat", L"disk", L"sync", L"icon", L"game"};
    bool usable =
        keyword.size() >= 5 || std::any_of(std::begin(shortOnes), std::end(shortOnes),
                                           [&](const wchar_t* s) { return keyword == s; });
    if (!usable || word.size() < keyword.size() + 3)
        return false;
    return word.compare(0, keyword.size(), keyword) == 0 || EndsWith(word, keyword);
}

int KeywordCategory(const std::vector<std::wstring>& words) {
    int found = -1;
    for (const std::wstring& word : words)
        for (const Keywords& keywords : KeywordTable())
            for (const wchar_t* k : keywords.words)
                if (word == k || GluedKeyword(word, k)) {
                    if (found >= 0 && found != keywords.category)
                        return -1; // the words point two ways
                    found = keywords.category;
                }
    return found;
}

// The words written by hand and the words learned from the known programs must not disagree.
int WordsCategory(const Knowledge& knowledge, const std::vector<std::wstring>& words,
                  int leastSeen = kNameSeen) {
    int written = KeywordCategory(words);
    // In a name, words of editions and packaging ("Launcher", "Client") say nothing of the
    // program, however often the known programs' names have them.
    std::vector<std::wstring> telling;
    std::copy_if(
        words.begin(), words.end(), std::back_inserter(telling),
        [&](const std::wstring& w) { return leastSeen != kNameSeen || !IsEditionWord(w); });
    int learned = knowledge.WordsCategory(telling, leastSeen);
    if (written >= 0 && learned >= 0 && written != learned)
        return -1;
    return written >= 0 ? written : learned;
}

// The whole name, else its longest leading words that are a known program: two words or more,
// or one followed only by edition words, or one that may stand for its program inside a longer
// name ("Firefox Private Browsing") when the other words do not point elsewhere.
KnownAnswer TableAnswer(const Knowledge& knowledge, const std::vector<std::wstring>& words,
                        size_t from) {
    KnownAnswer whole = Lookup(knowledge, words, from, words.size());
    if (whole.known != Known::Unknown)
        return whole;
    for (size_t end = words.size() - 1; end > from; --end) {
        KnownAnswer part = Lookup(knowledge, words, from, end);
        if (part.known != Known::Category)
            continue;
        std::vector<std::wstring> rest(words.begin() + static_cast<std::ptrdiff_t>(end),
                                       words.end());
        if (end - from >= 2 || std::all_of(rest.begin(), rest.end(), IsEditionWord))
            return part;
        if (part.standalone) {
            int other = WordsCategory(knowledge, rest);
            if (other < 0 || other == part.category)
                return part;
        }
    }
    return {};
}

// A name that only partly matches: its leading words begin known names of one category only
// ("KeePass Password Safe 2" beside "keepass", "keepass 2", "keepass password safe"), and its
// other words do not point elsewhere. One leading word alone must lean to that category by
// itself too ("Black" begins the names of games, but is a word of every kind).
int SharedLeadingWords(const Knowledge& knowledge, const std::vector<std::wstring>& words,
                       size_t from) {
    for (size_t end = words.size() - 1; end > from; --end) {
        int category = knowledge.ProgramsStartingWith(Join(words, from, end, L" "));
        if (category < 0 ||
            (end - from == 1 &&
             (IsEditionWord(words[from]) || knowledge.WordsCategory({words[from]}, 1) != category)))
            continue;
        std::vector<std::wstring> rest(words.begin() + static_cast<std::ptrdiff_t>(end),
                                       words.end());
        int other = WordsCategory(knowledge, rest);
        return other < 0 || other == category ? category : -1;
    }
    return -1;
}

// A publisher at the front of the name, as one word or two ("Electronic Arts").
int PublisherCategory(const Knowledge& knowledge, const std::vector<std::wstring>& words) {
    for (size_t n = std::min<size_t>(2, words.size()); n >= 1; --n) {
        int category = knowledge.Publisher(Join(words, 0, n, L""));
        if (category >= 0)
            return category;
    }
    return -1;
}

// Words that lean one way only when no other word says anything ("Chuzzle Deluxe" is a game,
// "Music Maker Deluxe" is not).
int WeakKeywordCategory(const std::vector<std::wstring>& words) {
    bool deluxe = std::find(words.begin(), words.end(), L"deluxe") != words.end();
    return deluxe && words.size() > 1 ? kGames : -1;
}

// The known programs: the name as it is or in the shapes installers give it, also after a
// vendor in front ("Sony Vegas Pro", "Adobe Photoshop CS6").
KnownAnswer KnownShapes(const Knowledge& knowledge, std::vector<std::wstring>& words) {
    KnownAnswer answer = TableAnswer(knowledge, words, 0);
    if (answer.known == Known::Unknown) {
        words = Shaped(words);
        if (!words.empty())
            answer = TableAnswer(knowledge, words, 0);
    }
    if (answer.known != Known::Unknown)
        return answer;
    for (size_t vendor = 0; vendor <= 2 && vendor < words.size(); ++vendor) {
        if (vendor > 0) {
            KnownAnswer front = knowledge.Program(Join(words, 0, vendor, L" "));
            bool isVendor = front.known == Known::NoCategory ||
                            knowledge.Publisher(Join(words, 0, vendor, L"")) >= 0;
            if (!isVendor || IsEditionWord(words[vendor]))
                continue;
            KnownAnswer rest = TableAnswer(knowledge, words, vendor);
            if (rest.known == Known::Category)
                return rest;
        }
        int shared = SharedLeadingWords(knowledge, words, vendor);
        if (shared >= 0)
            return {Known::Category, shared, false};
    }
    return {};
}

} // namespace

KnownAnswer KnownName(const std::wstring& normalized, const Knowledge& knowledge) {
    std::vector<std::wstring> words = WordsOf(normalized);
    return words.empty() ? KnownAnswer{} : KnownShapes(knowledge, words);
}

KnownAnswer KnownWholeName(const std::wstring& normalized, const Knowledge& knowledge) {
    KnownAnswer answer = knowledge.Program(normalized);
    std::vector<std::wstring> words = Shaped(WordsOf(normalized));
    if (answer.known != Known::Unknown || words.empty())
        return answer;
    // "Setup" after a program's name is its installer, not an edition of it.
    while (words.size() > 1 && IsEditionWord(words.back()) && words.back() != L"setup")
        words.pop_back();
    return Lookup(knowledge, words, 0, words.size());
}

int JudgeDescription(const std::wstring& normalized, const Knowledge& knowledge) {
    std::vector<std::wstring> words = WordsOf(normalized);
    return WordsCategory(knowledge, words, kDescriptionSeen);
}

int JudgeName(const std::wstring& normalized, const Knowledge& knowledge) {
    std::vector<std::wstring> words = WordsOf(normalized);
    if (words.empty())
        return -1;
    KnownAnswer answer = KnownShapes(knowledge, words);
    if (answer.known == Known::Category)
        return answer.category;
    if (answer.known == Known::NoCategory || words.empty())
        return -1;
    int said = WordsCategory(knowledge, words);
    if (said >= 0)
        return said;
    int publisher = PublisherCategory(knowledge, words);
    if (publisher >= 0)
        return publisher;
    return std::any_of(words.begin(), words.end(),
                       [&](const std::wstring& w) { return KeywordCategory({w}) >= 0; })
               ? -1
               : WeakKeywordCategory(words);
}

} // namespace startmenu
