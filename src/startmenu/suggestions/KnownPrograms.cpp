#include "startmenu/suggestions/KnownPrograms.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "startmenu/suggestions/SuggestionName.h"

namespace startmenu {
namespace {

#include "startmenu/suggestions/KnownProgramsTable.inc"

struct Table {
    std::vector<std::pair<std::wstring, int>> programs, publishers; // sorted by name
};

// The table's names are normalized here, by the same function as the names asked for, so
// the two can never disagree about a name's form. Built once, on first use (thread-safe).
Table BuildTable() {
    Table table;
    std::string_view text(kKnownProgramsTable);
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            continue;
        std::string_view kind = line.substr(0, tab);
        std::wstring name(line.begin() + static_cast<std::ptrdiff_t>(tab) + 1, line.end());
        bool publisher = kind.size() == 2 && kind[0] == 'P';
        char code = kind.back();
        int category = code >= '0' && code <= '9' ? code - '0' : -1;
        if (publisher)
            table.publishers.emplace_back(std::move(name), category);
        else
            table.programs.emplace_back(NormalizedName(name), category);
    }
    for (auto* list : {&table.programs, &table.publishers}) {
        std::stable_sort(list->begin(), list->end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        // Two spellings that normalize alike: the first (by the table's order) is kept.
        list->erase(std::unique(list->begin(), list->end(),
                                [](const auto& a, const auto& b) { return a.first == b.first; }),
                    list->end());
    }
    return table;
}

const Table& TheTable() {
    static const Table table = BuildTable();
    return table;
}

const std::pair<std::wstring, int>* Find(const std::vector<std::pair<std::wstring, int>>& list,
                                         const std::wstring& name) {
    auto it =
        std::lower_bound(list.begin(), list.end(), name,
                         [](const auto& entry, const std::wstring& n) { return entry.first < n; });
    return it != list.end() && it->first == name ? &*it : nullptr;
}

} // namespace

KnownAnswer KnownProgram(const std::wstring& normalized) {
    const auto* found = Find(TheTable().programs, normalized);
    if (!found)
        return {};
    if (found->second < 0)
        return {Known::NoCategory, -1};
    return {Known::Category, found->second};
}

int KnownPublisher(const std::wstring& joined) {
    const auto* found = Find(TheTable().publishers, joined);
    return found ? found->second : -1;
}

} // namespace startmenu
