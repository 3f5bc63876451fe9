#include "startmenu/suggestions/KnownPrograms.h"

#include <algorithm>
#include <limits>

#include "startmenu/suggestions/SuggestionName.h"

namespace startmenu {
namespace {

#include "startmenu/suggestions/KnownProgramsTable.inc"

// A word's leanings are stored in quarters of a natural logarithm; the winner must lead the
// next category by this many quarters (e to the power 2.5, about twelve times as likely). The
// margin was chosen on a part of the derived programs set aside from those it was learnt on.
constexpr int kClearMargin = 10;

template <typename Value> void SortUnique(std::vector<std::pair<std::wstring, Value>>& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // Two spellings that normalize alike: the first (by the table's order) is kept.
    list.erase(std::unique(list.begin(), list.end(),
                           [](const auto& a, const auto& b) { return a.first == b.first; }),
               list.end());
}

template <typename Value>
const Value* Find(const std::vector<std::pair<std::wstring, Value>>& list,
                  const std::wstring& name) {
    auto it = std::lower_bound(list.begin(), list.end(), name,
                               [](const auto& e, const std::wstring& n) { return e.first < n; });
    return it != list.end() && it->first == name ? &it->second : nullptr;
}

} // namespace

// The table's names are normalized here, by the same function as the names asked for, so
// the two can never disagree about a name's form.
Knowledge::Knowledge(std::string_view table) {
    while (!table.empty()) {
        size_t end = table.find('\n');
        std::string_view line = table.substr(0, end);
        table.remove_prefix(end == std::string_view::npos ? table.size() : end + 1);
        size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0)
            continue;
        std::string_view kind = line.substr(0, tab);
        std::wstring name(line.begin() + static_cast<std::ptrdiff_t>(tab) + 1, line.end());
        if (kind[0] == 'W' && kind.size() == 2 + kLearnedCategories) {
            Leanings leanings{};
            for (size_t c = 0; c < leanings.steps.size(); ++c)
                leanings.steps[c] = static_cast<signed char>(kind[1 + c] - 'M');
            leanings.seen = kind.back() - '0';
            words_.emplace_back(std::move(name), leanings);
        } else if (kind[0] == 'P' && kind.size() == 2) {
            publishers_.emplace_back(std::move(name), kind[1] - '0');
        } else {
            int category = kind[0] >= '0' && kind[0] <= '9' ? kind[0] - '0' : -1;
            programs_.push_back(
                {NormalizedName(name), {category, kind.size() > 1 && kind[1] == '+'}});
        }
    }
    SortUnique(programs_);
    SortUnique(publishers_);
    SortUnique(words_);
}

const Knowledge& Knowledge::BuiltIn() {
    static const Knowledge knowledge(
        std::string_view(kKnownProgramsTable, sizeof kKnownProgramsTable - 1));
    return knowledge;
}

KnownAnswer Knowledge::Program(const std::wstring& normalized) const {
    const ProgramEntry* found = Find(programs_, normalized);
    if (!found)
        return {};
    if (found->category < 0)
        return {Known::NoCategory, -1, false};
    return {Known::Category, found->category, found->standalone};
}

int Knowledge::ProgramsStartingWith(const std::wstring& leading) const {
    std::wstring start = leading + L" ";
    auto it = std::lower_bound(programs_.begin(), programs_.end(), leading,
                               [](const auto& e, const std::wstring& n) { return e.first < n; });
    int category = -1, names = 0;
    for (; it != programs_.end(); ++it) {
        if (it->first != leading && it->first.compare(0, start.size(), start) != 0) {
            if (it->first > start)
                break;
            continue; // "leading-x" sorts between "leading" and "leading "
        }
        if (it->second.category < 0 || (category >= 0 && it->second.category != category))
            return -1;
        category = it->second.category;
        ++names;
    }
    return names >= 2 ? category : -1;
}

int Knowledge::Publisher(const std::wstring& joined) const {
    const int* found = Find(publishers_, joined);
    return found ? *found : -1;
}

int Knowledge::WordsCategory(const std::vector<std::wstring>& words, int leastSeen) const {
    std::vector<std::wstring> tokens = words;
    for (size_t i = 0; i + 1 < words.size(); ++i)
        tokens.push_back(words[i] + L" " + words[i + 1]);
    std::sort(tokens.begin(), tokens.end());
    tokens.erase(std::unique(tokens.begin(), tokens.end()), tokens.end());
    std::array<int, kLearnedCategories> sum{};
    bool any = false;
    for (const std::wstring& token : tokens) {
        const Leanings* found = Find(words_, token);
        if (!found || found->seen < leastSeen)
            continue;
        any = true;
        for (size_t c = 0; c < sum.size(); ++c)
            sum[c] += found->steps[c];
    }
    if (!any)
        return -1;
    auto best = std::max_element(sum.begin(), sum.end());
    int lead = *best;
    int next = std::numeric_limits<int>::min();
    for (auto it = sum.begin(); it != sum.end(); ++it)
        if (it != best)
            next = std::max(next, *it);
    return lead - next >= kClearMargin ? static_cast<int>(best - sum.begin()) : -1;
}

} // namespace startmenu
