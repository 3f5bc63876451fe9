#include "startmenu/suggestions/SuggestionRules.h"

#include <algorithm>
#include <map>

#include "base/PathRules.h"
#include "startmenu/suggestions/SuggestionName.h"

namespace startmenu {
namespace {

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
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

bool IsCapital(wchar_t c) {
    return c >= L'A' && c <= L'Z';
}

bool IsSmall(wchar_t c) {
    return c >= L'a' && c <= L'z';
}

// Words glued in the way of file names and portable builds, taken apart where a small letter
// meets a capital ("ProcessExplorerPortable", "TreeSheets"), with capitalRuns also before the
// last capital of several that begins a word ("HDTunePortable"), but for the place numbered
// kept.
std::wstring SplitGlued(const std::wstring& name, bool capitalRuns,
                        size_t kept = std::wstring::npos) {
    std::wstring split;
    size_t place = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        bool wordStarts = i > 0 && IsCapital(name[i]) &&
                          (IsSmall(name[i - 1]) || (capitalRuns && IsCapital(name[i - 1]) &&
                                                    i + 1 < name.size() && IsSmall(name[i + 1])));
        if (wordStarts && place++ != kept)
            split += L' ';
        split += name[i];
    }
    return split;
}

// A known program when the name is taken apart at every place but one, for a name with a
// capital inside ("FastStoneCapturePortable" is "FastStone Capture"), if one category only
// comes out.
int KnownApartButOne(const std::wstring& shown, const std::wstring& split,
                     const Knowledge& knowledge) {
    int found = -1;
    for (size_t kept = 0;; ++kept) {
        std::wstring joined = SplitGlued(shown, false, kept);
        if (joined == split)
            return found;
        KnownAnswer answer = KnownName(NormalizedName(joined), knowledge);
        if (answer.known != Known::Category)
            continue;
        if (found >= 0 && found != answer.category)
            return -1;
        found = answer.category;
    }
}

// A name as shown, also with its glued words apart, also by its part before a dash or colon
// ("calibre - E-book management"). A known program with its words apart wins over a word
// glued inside ("SQLiteDatabaseBrowserPortable" is no browser): apart where a small letter
// meets a capital, then also in runs of capitals, then at all places but one.
int JudgeShownName(const std::wstring& shown, const Knowledge& knowledge) {
    std::wstring split = SplitGlued(shown, false);
    std::wstring runs = SplitGlued(shown, true);
    if (runs != shown && KnownName(NormalizedName(shown), knowledge).known == Known::Unknown) {
        KnownAnswer apart = KnownName(NormalizedName(split), knowledge);
        if (apart.known != Known::Category && runs != split)
            apart = KnownName(NormalizedName(runs), knowledge);
        if (apart.known == Known::Category)
            return apart.category;
        int joined = apart.known == Known::Unknown ? KnownApartButOne(shown, split, knowledge) : -1;
        if (joined >= 0)
            return joined;
    }
    int category = JudgeName(NormalizedName(shown), knowledge);
    if (category >= 0)
        return category;
    if (split != shown && (category = JudgeName(NormalizedName(split), knowledge)) >= 0)
        return category;
    if (runs != split && (category = JudgeName(NormalizedName(runs), knowledge)) >= 0)
        return category;
    for (const wchar_t* mark : {L" - ", L" \x2013 ", L": "}) {
        size_t at = shown.find(mark);
        if (at != std::wstring::npos && at > 0)
            return JudgeName(NormalizedName(shown.substr(0, at)), knowledge);
    }
    return -1;
}

// A folder the name does not explain: the programs inside agree on a category.
int ContentsCategory(const std::vector<std::wstring>& contents, const Knowledge& knowledge) {
    std::vector<int> categories;
    for (const std::wstring& child : contents)
        if (!IsAsideItem(child, knowledge) && !IsWindowsOwnName(child))
            categories.push_back(JudgeShownName(WithoutExtension(child), knowledge));
    return Agreement(categories, static_cast<int>(categories.size()));
}

// The company of a version resource without "Inc.", "GmbH" and the like, as a publisher.
int CompanyCategory(const std::wstring& companyName, const Knowledge& knowledge) {
    std::vector<std::wstring> company = WordsOf(NormalizedName(companyName));
    static const wchar_t* const suffixes[] = {L"inc",  L"corporation", L"corp",    L"ltd", L"llc",
                                              L"gmbh", L"co",          L"limited", L"s",   L"r",
                                              L"o",    L"ag",          L"sa",      L"bv",  L"ab"};
    while (!company.empty() && std::any_of(std::begin(suffixes), std::end(suffixes),
                                           [&](const wchar_t* s) { return company.back() == s; }))
        company.pop_back();
    std::wstring joined;
    for (const std::wstring& word : company)
        joined += word;
    return joined.empty() ? -1 : knowledge.Publisher(joined);
}

} // namespace

std::wstring LessonNameOf(const std::wstring& fileName, bool isFolder) {
    return NormalizedName(isFolder ? fileName : WithoutExtension(fileName));
}

int SuggestCategory(const ItemEvidence& item, const LearnedChoices& learned,
                    const Knowledge& knowledge) {
    if (item.windowsOwn || IsWindowsOwnName(item.name) || IsAsideItem(item.name, knowledge))
        return -1;
    std::wstring normalized = LessonNameOf(item.name, item.isFolder);
    int taught;
    if (learned.Find(normalized, taught))
        return taught;
    if (normalized.empty())
        return -1;
    std::wstring shown = item.isFolder ? item.name : WithoutExtension(item.name);
    if (!item.isFolder)
        return JudgeShownName(shown, knowledge);
    // A folder: its own name when the table knows it, else what is inside, else its words.
    KnownAnswer answer = KnownName(normalized, knowledge);
    if (answer.known == Known::Category)
        return answer.category;
    int inside = ContentsCategory(item.contents, knowledge);
    if (inside >= 0)
        return inside;
    if (answer.known == Known::NoCategory)
        return -1;
    bool onlyAside = !item.contents.empty() &&
                     std::all_of(item.contents.begin(), item.contents.end(),
                                 [&](const std::wstring& c) { return IsAsideItem(c, knowledge); });
    return onlyAside ? -1 : JudgeShownName(shown, knowledge);
}

int SuggestFromTargets(const std::vector<TargetEvidence>& targets, const Knowledge& knowledge) {
    std::vector<int> categories;
    for (const TargetEvidence& target : targets)
        categories.push_back(SuggestFromTarget(target, knowledge));
    return Agreement(categories, static_cast<int>(categories.size()));
}

// What the version resource's texts and the file's name say must agree: one text that points
// elsewhere leaves the target unjudged.
int SuggestFromTarget(const TargetEvidence& target, const Knowledge& knowledge) {
    std::wstring file = LowerAscii(base::FileNameOf(target.fileName));
    if (file.empty() || IsAsideItem(file, knowledge) || file.rfind(L"unins", 0) == 0)
        return -1;
    std::vector<int> said;
    if (!IsWindowsOwnName(target.productName))
        said.push_back(JudgeShownName(target.productName, knowledge));
    // A description is a program's name as often as not ("Notepad++", "Firefox").
    std::wstring description = NormalizedName(target.fileDescription);
    KnownAnswer named = knowledge.Program(description);
    if (named.known == Known::Category)
        said.push_back(named.category);
    else if (named.known == Known::Unknown && !IsWindowsOwnName(target.fileDescription))
        said.push_back(JudgeDescription(description, knowledge));
    // In its own letter case, whose capitals show where glued words meet.
    said.push_back(JudgeShownName(WithoutExtension(base::FileNameOf(target.fileName)), knowledge));
    said.push_back(CompanyCategory(target.companyName, knowledge));
    int found = -1;
    for (int category : said) {
        if (category < 0)
            continue;
        if (found >= 0 && found != category)
            return -1;
        found = category;
    }
    return found;
}

} // namespace startmenu
