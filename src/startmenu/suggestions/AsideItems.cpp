// Which items are no program of the user's own choosing: Windows' own folders and items, and
// uninstallers, readme files, help and web links beside a program.
#include <algorithm>

#include "base/PathRules.h"
#include "startmenu/model/NameRules.h"
#include "startmenu/suggestions/SuggestionName.h"
#include "startmenu/suggestions/SuggestionRules.h"

namespace startmenu {
namespace {

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

} // namespace

bool IsAsideItem(const std::wstring& fileName, const Knowledge& knowledge) {
    // A program whose own name has such a word ("Revo Uninstaller", also as its portable build
    // names it) is known by that name.
    if (KnownWholeName(NormalizedName(WithoutExtension(fileName)), knowledge).known ==
            Known::Category &&
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
    if (words.empty() || !(words[0] == L"windows" || (words[0] == L"microsoft" &&
                                                      words.size() > 1 && words[1] == L"windows")))
        return false;
    // Other makers' tools named after what they work on, also as "... Portable"; Microsoft ships
    // none of these names.
    static const wchar_t* const othersNames[] = {L"windows firewall control",
                                                 L"windows firewall notifier",
                                                 L"windows update minitool",
                                                 L"windows update blocker",
                                                 L"windows repair",
                                                 L"windows privacy dashboard",
                                                 L"windows password recovery",
                                                 L"windows product key viewer",
                                                 L"windows grep",
                                                 L"windows frotz",
                                                 L"windows system control center",
                                                 L"windows desktop switcher",
                                                 L"windows media player classic",
                                                 L"windows media player plus",
                                                 L"windows manager",
                                                 L"windows iso downloader",
                                                 L"windows file analyzer"};
    return std::none_of(std::begin(othersNames), std::end(othersNames), [&](const wchar_t* n) {
        std::vector<std::wstring> other = WordsOf(n);
        return other.size() <= words.size() &&
               std::equal(other.begin(), other.end(), words.begin());
    });
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

} // namespace startmenu
