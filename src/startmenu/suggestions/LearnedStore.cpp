#include "startmenu/suggestions/LearnedStore.h"

#include "product/Settings.h"

namespace startmenu {
namespace {

// Far beyond what kMaxEntries lessons take: a larger value is not the program's own.
constexpr DWORD kMaxBytes = 64 * 1024;

} // namespace

LearnedChoices LoadLearnedChoices() {
    return LearnedChoices::Parse(product::RegReadString(
        HKEY_CURRENT_USER, product::kSettingsKey, product::kLearnedCategoriesValue, kMaxBytes));
}

void SaveLearnedChoices(const LearnedChoices& learned) {
    product::RegWriteString(HKEY_CURRENT_USER, product::kSettingsKey,
                            product::kLearnedCategoriesValue, learned.Text());
}

} // namespace startmenu
