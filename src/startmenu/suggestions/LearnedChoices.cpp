#include "startmenu/suggestions/LearnedChoices.h"

#include <algorithm>

namespace startmenu {
namespace {

constexpr int kCategoryCount = 9;

} // namespace

bool LearnedChoices::Find(const std::wstring& normalized, int& category) const {
    for (const auto& entry : entries_)
        if (entry.first == normalized) {
            category = entry.second;
            return true;
        }
    return false;
}

void LearnedChoices::Remember(const std::wstring& normalized, int category) {
    if (normalized.empty() || normalized.size() > kMaxNameLength || category < -1 ||
        category >= kCategoryCount || normalized.find_first_of(L"\t\r\n") != std::wstring::npos)
        return;
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const auto& e) { return e.first == normalized; }),
                   entries_.end());
    entries_.emplace_back(normalized, category);
    if (entries_.size() > kMaxEntries)
        entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(
                                                                entries_.size() - kMaxEntries));
}

std::wstring LearnedChoices::Text() const {
    std::wstring text;
    for (const auto& entry : entries_)
        text += std::to_wstring(entry.second) + L"\t" + entry.first + L"\n";
    return text;
}

LearnedChoices LearnedChoices::Parse(const std::wstring& text) {
    LearnedChoices learned;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        size_t tab = line.find(L'\t');
        if (tab == std::wstring::npos || tab == 0 || tab > 2)
            continue;
        std::wstring number = line.substr(0, tab);
        int category;
        if (number == L"-1")
            category = -1;
        else if (number.size() == 1 && number[0] >= L'0' && number[0] < L'0' + kCategoryCount)
            category = number[0] - L'0';
        else
            continue;
        learned.Remember(line.substr(tab + 1), category);
    }
    return learned;
}

} // namespace startmenu
