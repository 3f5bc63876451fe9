#include "startmenu/suggestions/SuggestionRules.h"

#include <algorithm>
#include <array>
#include <map>

#include "base/PathRules.h"
#include "startmenu/suggestions/KnownPrograms.h"
#include "startmenu/model/NameRules.h"
#include "startmenu/suggestions/SuggestionName.h"

namespace startmenu {
namespace {

constexpr int kOffice = 0, kUtilities = 1, kGames = 2, kEntertainment = 3, kInternet = 4,
              kProgramming = 5, kGraphics = 6, kSecurity = 7;

// Words that name what a program is for, when its name is in no table. Only words that
// rarely mean anything else: a name whose words point two ways gets no suggestion.
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
          L"battlefield", L"puzzle",    L"dominoes"}},
        {kEntertainment,
         {L"player",  L"music", L"audio",    L"mp3",     L"video",    L"media",
          L"radio",   L"tv",    L"dvd",      L"movie",   L"movies",   L"karaoke",
          L"jukebox", L"codec", L"codecs",   L"podcast", L"sound",    L"songs",
          L"dj",      L"mixer", L"webradio", L"iptv",    L"subtitle", L"subtitles"}},
        {kInternet,
         {L"browser", L"mail", L"email", L"messenger", L"chat", L"ftp", L"torrent", L"bittorrent",
          L"downloader", L"rss", L"newsreader", L"irc", L"voip", L"webmail", L"internet", L"web",
          L"surf", L"skype", L"vnc"}},
        {kSecurity, {L"antivirus",   L"anti",       L"virus",    L"malware",       L"antimalware",
                     L"antispyware", L"spyware",    L"firewall", L"vpn",           L"password",
                     L"passwords",   L"encryption", L"encrypt",  L"security",      L"protection",
                     L"antiexploit", L"ransomware", L"shredder", L"authenticator", L"vault"}},
        {kProgramming,
         {L"ide",         L"sdk",    L"compiler", L"debugger", L"developer", L"development",
          L"programming", L"sql",    L"database", L"git",      L"python",    L"php",
          L"perl",        L"ruby",   L"jdk",      L"devkit",   L"toolchain", L"mingw",
          L"msys2",       L"cygwin", L"jupyter",  L"svn",      L"mercurial"}},
        {kGraphics,
         {L"photo",     L"photos",  L"image",   L"images",   L"picture",   L"pictures",
          L"paint",     L"draw",    L"drawing", L"graphics", L"cad",       L"3d",
          L"icon",      L"icons",   L"pixel",   L"sketch",   L"vector",    L"illustrator",
          L"photoshop", L"gallery", L"render",  L"renderer", L"slideshow", L"collage",
          L"thumbnail", L"gif",     L"raw"}},
        {kOffice, {L"office",       L"pdf",       L"spreadsheet", L"writer",      L"notes",
                   L"notebook",     L"calendar",  L"dictionary",  L"accounting",  L"finance",
                   L"invoice",      L"ebook",     L"typing",      L"organizer",   L"planner",
                   L"presentation", L"thesaurus", L"translator",  L"bookkeeping", L"banking",
                   L"tax",          L"payroll",   L"ocr",         L"fax"}},
        {kUtilities,
         {L"backup",      L"cleaner",   L"defrag",      L"defragmenter", L"zip",       L"unzip",
          L"rar",         L"archiver",  L"driver",      L"drivers",      L"partition", L"recovery",
          L"disk",        L"benchmark", L"tweak",       L"tweaker",      L"tweaks",    L"clipboard",
          L"screenshot",  L"burner",    L"burning",     L"iso",          L"commander", L"rename",
          L"renamer",     L"sync",      L"utility",     L"utilities",    L"optimizer", L"registry",
          L"diagnostics", L"monitor",   L"temperature", L"hardware",     L"firmware",  L"touchpad",
          L"bluetooth",   L"printer",   L"calculator",  L"converter",    L"timer",     L"wallpaper",
          L"toolbox",     L"restore"}},
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
        L"portugues", L"polski",       L"svenska", L"unicode"};
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

// The table: the whole name, else its longest leading words that are a known program (two
// words or more, or one followed only by edition words).
KnownAnswer TableAnswer(const std::vector<std::wstring>& words, size_t from) {
    KnownAnswer whole = KnownProgram(Join(words, from, words.size(), L" "));
    if (whole.known != Known::Unknown)
        return whole;
    for (size_t end = words.size() - 1; end > from; --end) {
        KnownAnswer part = KnownProgram(Join(words, from, end, L" "));
        if (part.known != Known::Category)
            continue;
        bool editionsOnly = std::all_of(words.begin() + static_cast<std::ptrdiff_t>(end),
                                        words.end(), IsEditionWord);
        if (end - from >= 2 || editionsOnly)
            return part;
    }
    return {};
}

// Words that lean one way only when no other word says anything ("Chuzzle Deluxe" is a game,
// "Music Maker Deluxe" is not).
int WeakKeywordCategory(const std::vector<std::wstring>& words) {
    bool deluxe = std::find(words.begin(), words.end(), L"deluxe") != words.end();
    return deluxe && words.size() > 1 ? kGames : -1;
}

int KeywordCategory(const std::vector<std::wstring>& words) {
    int found = -1;
    for (const std::wstring& word : words)
        for (const Keywords& keywords : KeywordTable())
            for (const wchar_t* k : keywords.words)
                if (word == k) {
                    if (found >= 0 && found != keywords.category)
                        return -1; // the words point two ways
                    found = keywords.category;
                }
    return found;
}

// A publisher at the front of the name, as one word or two ("Electronic Arts").
int PublisherCategory(const std::vector<std::wstring>& words) {
    for (size_t n = std::min<size_t>(2, words.size()); n >= 1; --n) {
        int category = KnownPublisher(Join(words, 0, n, L""));
        if (category >= 0)
            return category;
    }
    return -1;
}

std::wstring WithoutExtension(const std::wstring& fileName) {
    return fileName.substr(0, fileName.size() - ExtensionOf(fileName).size());
}

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

// Also the Latin-1 and Cyrillic capitals, in which Windows' own folders are named.
std::wstring LowerLetters(std::wstring text) {
    for (wchar_t& c : text) {
        if ((c >= L'A' && c <= L'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) ||
            (c >= 0x0410 && c <= 0x042F))
            c = static_cast<wchar_t>(c + 0x20);
        else if (c >= 0x0400 && c <= 0x040F)
            c = static_cast<wchar_t>(c + 0x50);
    }
    return text;
}

bool ContainsWordSequence(const std::vector<std::wstring>& words,
                          const std::vector<std::wstring>& sequence) {
    if (sequence.empty() || sequence.size() > words.size())
        return false;
    for (size_t i = 0; i + sequence.size() <= words.size(); ++i)
        if (std::equal(sequence.begin(), sequence.end(),
                       words.begin() + static_cast<std::ptrdiff_t>(i)))
            return true;
    return false;
}

// What several programs say together: at least half of them must say something, and three
// quarters of those agree.
int Agreement(const std::vector<int>& categories, int programs) {
    std::map<int, int> votes;
    int judged = 0;
    for (int category : categories)
        if (category >= 0) {
            ++judged;
            ++votes[category];
        }
    if (judged == 0 || judged * 2 < programs)
        return -1;
    auto best = std::max_element(votes.begin(), votes.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return best->second * 4 >= judged * 3 ? best->first : -1;
}

// A folder the name does not explain: the programs inside agree on a category.
int ContentsCategory(const std::vector<std::wstring>& contents) {
    std::vector<int> categories;
    for (const std::wstring& child : contents)
        if (!IsAsideItem(child) && !IsWindowsOwnName(child))
            categories.push_back(JudgeName(NormalizedName(WithoutExtension(child))));
    return Agreement(categories, static_cast<int>(categories.size()));
}

} // namespace

int JudgeName(const std::wstring& normalized) {
    std::vector<std::wstring> words = WordsOf(normalized);
    if (words.empty())
        return -1;
    KnownAnswer answer = TableAnswer(words, 0);
    if (answer.known == Known::Category)
        return answer.category;
    if (answer.known == Known::NoCategory)
        return -1;
    // A vendor in front ("Sony Vegas Pro", "Adobe Photoshop CS6"): the rest of the name.
    for (size_t vendor = 1; vendor <= 2 && vendor < words.size(); ++vendor) {
        KnownAnswer front = KnownProgram(Join(words, 0, vendor, L" "));
        bool isVendor =
            front.known == Known::NoCategory || KnownPublisher(Join(words, 0, vendor, L"")) >= 0;
        if (!isVendor)
            continue;
        KnownAnswer rest = TableAnswer(words, vendor);
        if (rest.known == Known::Category && !IsEditionWord(words[vendor]))
            return rest.category;
    }
    int keyword = KeywordCategory(words);
    if (keyword >= 0)
        return keyword;
    int publisher = PublisherCategory(words);
    if (publisher >= 0)
        return publisher;
    return std::any_of(words.begin(), words.end(),
                       [&](const std::wstring& w) { return KeywordCategory({w}) >= 0; })
               ? -1
               : WeakKeywordCategory(words);
}

bool IsAsideItem(const std::wstring& fileName) {
    // A program whose own name has such a word ("Revo Uninstaller") is known by that name.
    if (KnownProgram(NormalizedName(WithoutExtension(fileName))).known == Known::Category &&
        ExtensionOf(fileName) != L".url")
        return false;
    static const wchar_t* const extensions[] = {L".url",     L".txt",  L".pdf", L".chm", L".hlp",
                                                L".htm",     L".html", L".rtf", L".doc", L".ini",
                                                L".website", L".mht",  L".xps", L".md",  L".log"};
    std::wstring extension = LowerAscii(ExtensionOf(fileName));
    if (std::any_of(std::begin(extensions), std::end(extensions),
                    [&](const wchar_t* e) { return extension == e; }))
        return true;
    std::vector<std::wstring> words = WordsOf(NormalizedName(WithoutExtension(fileName)));
    // Words, or runs of words, that mark an item as no program of its own.
    static const wchar_t* const marks[] = {
        L"uninstall",     L"uninstaller", L"uninst",        L"unins000",     L"remove",
        L"readme",        L"read me",     L"help",          L"manual",       L"manuals",
        L"documentation", L"docs",        L"license",       L"licence",      L"eula",
        L"changelog",     L"changes",     L"release notes", L"whats new",    L"what s new",
        L"website",       L"web site",    L"homepage",      L"home page",    L"online",
        L"on the web",    L"support",     L"faq",           L"guide",        L"register",
        L"registration",  L"updates",     L"update",        L"updater",      L"tutorial",
        L"tutorials",     L"samples",     L"examples",      L"visit",        L"getting started",
        L"about",         L"feedback",    L"report a bug",  L"module docs",  L"repair",
        L"setup",         L"install",     L"installer",     L"forum",        L"deinstallieren",
        L"desinstaller",  L"desinstalar", L"hilfe",         L"aide",         L"ayuda",
        L"lies mich",     L"lisezmoi",    L"leame",         L"documentatie", L"handbuch"};
    static const std::vector<std::vector<std::wstring>> aside = [] {
        std::vector<std::vector<std::wstring>> runs;
        for (const wchar_t* mark : marks)
            runs.push_back(WordsOf(mark));
        return runs;
    }();
    return std::any_of(aside.begin(), aside.end(), [&](const std::vector<std::wstring>& s) {
        return ContainsWordSequence(words, s);
    });
}

bool IsWindowsOwnName(const std::wstring& name) {
    std::wstring shown = LowerLetters(name);
    if (base::IsShortcutFileName(shown))
        shown.resize(shown.size() - 4);
    static const wchar_t* const names[] = {
        // English
        L"accessories", L"administrative tools", L"windows tools", L"system tools",
        L"accessibility", L"ease of access", L"maintenance", L"startup", L"tablet pc",
        L"internet explorer", L"default programs", L"desktop gadget gallery",
        L"extras and upgrades", L"immersive control panel", L"control panel", L"command prompt",
        L"file explorer", L"run", L"task manager", L"settings", L"notepad", L"paint", L"wordpad",
        L"calculator", L"snipping tool", L"character map", L"remote desktop connection",
        L"steps recorder", L"math input panel", L"xps viewer", L"sound recorder", L"sticky notes",
        L"magnifier", L"narrator", L"on-screen keyboard", L"quick assist", L"system information",
        L"system restore", L"disk cleanup", L"resource monitor", L"computer management",
        L"event viewer", L"services", L"task scheduler", L"registry editor", L"recovery drive",
        L"speech recognition", L"get help", L"tips", L"microsoft store", L"store",
        // German
        L"zubehör", L"verwaltung", L"systemprogramme", L"eingabehilfen", L"erleichterte bedienung",
        L"wartung", L"autostart", L"windows-zubehör", L"windows-verwaltungsprogramme",
        L"windows-system", L"windows-tools", L"editor", L"rechner",
        // French
        L"accessoires", L"outils d'administration", L"outils système", L"options d'ergonomie",
        L"démarrage", L"accessoires windows", L"outils d'administration windows",
        L"système windows", L"outils windows", L"bloc-notes", L"ergonomie windows",
        // Spanish
        L"accesorios", L"herramientas administrativas", L"herramientas del sistema",
        L"accesibilidad", L"mantenimiento", L"inicio", L"accesorios de windows",
        L"herramientas administrativas de windows", L"sistema de windows",
        L"herramientas de windows", L"bloc de notas",
        // Italian
        L"accessori", L"strumenti di amministrazione", L"utilità di sistema", L"accessibilità",
        L"manutenzione", L"esecuzione automatica", L"accessori windows", L"sistema windows",
        L"strumenti di windows", L"strumenti di amministrazione windows",
        // Dutch
        L"bureau-accessoires", L"systeembeheer", L"systeemwerkset", L"toegankelijkheid",
        L"onderhoud", L"opstarten", L"windows-bureau-accessoires", L"windows-systeem",
        L"windows-hulpprogramma's", L"windows-systeembeheer",
        // Portuguese
        L"acessórios", L"ferramentas administrativas", L"ferramentas do sistema", L"acessibilidade",
        L"manutenção", L"inicializar", L"acessórios do windows",
        L"ferramentas administrativas do windows", L"sistema do windows",
        // Polish, Swedish
        L"akcesoria", L"narzędzia administracyjne", L"narzędzia systemowe", L"ułatwienia dostępu",
        L"tillbehör", L"administrationsverktyg", L"systemverktyg", L"hjälpmedel", L"underhåll",
        // Russian
        L"стандартные", L"администрирование", L"служебные", L"специальные возможности",
        L"обслуживание", L"автозагрузка", L"стандартные — windows", L"служебные — windows",
        L"средства администрирования windows", L"специальные возможности windows"};
    if (std::any_of(std::begin(names), std::end(names),
                    [&](const wchar_t* n) { return shown == n; }))
        return true;
    // "Windows PowerShell", "Windows Accessories", "Windows Media Player", "Windows-System".
    std::vector<std::wstring> words = WordsOf(NormalizedName(shown));
    return !words.empty() &&
           (words[0] == L"windows" ||
            (words[0] == L"microsoft" && words.size() > 1 && words[1] == L"windows"));
}

bool IsWindowsOwnResource(const std::wstring& localizedName) {
    std::wstring text = LowerAscii(localizedName);
    if (text.empty() || text[0] != L'@')
        return IsWindowsOwnName(localizedName);
    static const wchar_t* const places[] = {L"%systemroot%", L"%windir%", L"\\system32\\",
                                            L"\\syswow64\\", L"c:\\windows\\"};
    // A library named without a folder is looked for in the system folder.
    if (text.find(L'\\') == std::wstring::npos)
        return true;
    return std::any_of(std::begin(places), std::end(places),
                       [&](const wchar_t* p) { return text.find(p) != std::wstring::npos; });
}

std::wstring LessonNameOf(const std::wstring& fileName, bool isFolder) {
    return NormalizedName(isFolder ? fileName : WithoutExtension(fileName));
}

int SuggestCategory(const ItemEvidence& item, const LearnedChoices& learned) {
    if (item.windowsOwn || IsWindowsOwnName(item.name) || IsAsideItem(item.name))
        return -1;
    std::wstring normalized = LessonNameOf(item.name, item.isFolder);
    int taught;
    if (learned.Find(normalized, taught))
        return taught;
    if (normalized.empty())
        return -1;
    std::vector<std::wstring> words = WordsOf(normalized);
    if (!item.isFolder)
        return JudgeName(normalized);
    // A folder: its own name when the table knows it, else what is inside, else its words.
    KnownAnswer answer = TableAnswer(words, 0);
    if (answer.known == Known::Category)
        return answer.category;
    int inside = ContentsCategory(item.contents);
    if (inside >= 0)
        return inside;
    if (answer.known == Known::NoCategory)
        return -1;
    bool onlyAside = !item.contents.empty() &&
                     std::all_of(item.contents.begin(), item.contents.end(), IsAsideItem);
    return onlyAside ? -1 : JudgeName(normalized);
}

int SuggestFromTargets(const std::vector<TargetEvidence>& targets) {
    std::vector<int> categories;
    for (const TargetEvidence& target : targets)
        categories.push_back(SuggestFromTarget(target));
    return Agreement(categories, static_cast<int>(categories.size()));
}

int SuggestFromTarget(const TargetEvidence& target) {
    std::wstring file = LowerAscii(base::FileNameOf(target.fileName));
    if (file.empty() || IsAsideItem(file) || file.rfind(L"unins", 0) == 0)
        return -1;
    for (const std::wstring* text : {&target.fileDescription, &target.productName}) {
        std::wstring normalized = NormalizedName(*text);
        if (normalized.empty() || IsWindowsOwnName(*text))
            continue;
        int category = JudgeName(normalized);
        if (category >= 0)
            return category;
    }
    KnownAnswer byFile = KnownProgram(NormalizedName(WithoutExtension(file)));
    if (byFile.known == Known::Category)
        return byFile.category;
    std::vector<std::wstring> company = WordsOf(NormalizedName(target.companyName));
    static const wchar_t* const suffixes[] = {L"inc",  L"corporation", L"corp",    L"ltd", L"llc",
                                              L"gmbh", L"co",          L"limited", L"s",   L"r",
                                              L"o",    L"ag",          L"sa",      L"bv",  L"ab"};
    while (!company.empty() && std::any_of(std::begin(suffixes), std::end(suffixes),
                                           [&](const wchar_t* s) { return company.back() == s; }))
        company.pop_back();
    if (!company.empty()) {
        int category = KnownPublisher(Join(company, 0, company.size(), L""));
        if (category >= 0)
            return category;
    }
    return -1;
}

} // namespace startmenu
