#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace startmenu {

// What the user has taught the suggestions: for a name (as NormalizedName gives it), the
// category the user chose instead of the one suggested, or -1 for "none". Bounded: the
// oldest lesson goes when a new one would pass kMaxEntries, so the stored text stays small.
class LearnedChoices {
public:
    static constexpr std::size_t kMaxEntries = 200;
    static constexpr std::size_t kMaxNameLength = 100;

    // Whether a lesson is known for the name; category gets it.
    bool Find(const std::wstring& normalized, int& category) const;
    void Remember(const std::wstring& normalized, int category);
    std::size_t Count() const { return entries_.size(); }

    // One lesson a line, "category<tab>name", oldest first. Parse skips lines it cannot read
    // (the registry is the user's to edit) and keeps the bound.
    std::wstring Text() const;
    static LearnedChoices Parse(const std::wstring& text);

private:
    std::vector<std::pair<std::wstring, int>> entries_; // oldest first
};

} // namespace startmenu
