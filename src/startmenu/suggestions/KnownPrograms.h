#pragma once
// The suggestions' knowledge of programs, publishers and the words of their names, and how a
// name is looked up in it. No Windows call: built and tested natively.
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace startmenu {

// What the knowledge says of a normalized name (NormalizedName).
enum class Known { Unknown, NoCategory, Category };
struct KnownAnswer {
    Known known = Known::Unknown;
    int category = -1;       // when known is Category
    bool standalone = false; // a one-word name that may stand inside a longer name
};

// What the suggestions know: programs by their names and name variants, publishers, and the
// words that carry a category. The built-in knowledge is derived by
// tools/suggestions/make_known_programs.py (KnownProgramsTable.inc); a test may build one from
// a table of the same form that lacks some programs, to measure on names never seen.
class Knowledge {
public:
    static constexpr int kLearnedCategories = 8; // "Other" is never learned
    // How much a word leans to each category, in quarters of a natural logarithm, and how
    // many programs showed it (the logarithm to base 2).
    struct Leanings {
        std::array<signed char, kLearnedCategories> steps;
        int seen;
    };

    explicit Knowledge(std::string_view table);
    static const Knowledge& BuiltIn(); // built on first use (thread-safe)

    KnownAnswer Program(const std::wstring& normalized) const;
    // The category of every known program named with these leading words ("altova xmlspy"
    // for "altova xmlspy enterprise edition" and "altova xmlspy professional edition"), when
    // there are two at least and they all have it; -1 otherwise.
    int ProgramsStartingWith(const std::wstring& leading) const;
    // A publisher whose programs are nearly all of one category, by its name with the spaces
    // taken out ("jetbrains", "electronicarts"); -1 when none.
    int Publisher(const std::wstring& joined) const;
    // The category the words (and runs of two words) of a text lean to by a clear margin over
    // every other; -1 when they do not, or when none is known. Words shown by fewer than 2 to
    // the power of leastSeen programs are not counted.
    int WordsCategory(const std::vector<std::wstring>& words, int leastSeen) const;

private:
    struct ProgramEntry {
        int category;
        bool standalone;
    };
    std::vector<std::pair<std::wstring, ProgramEntry>> programs_; // sorted by name
    std::vector<std::pair<std::wstring, int>> publishers_;        // sorted by name
    std::vector<std::pair<std::wstring, Leanings>> words_;        // sorted by word
};

} // namespace startmenu
