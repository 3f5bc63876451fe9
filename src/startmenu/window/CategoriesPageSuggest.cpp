// "Suggest Categories" on the categorisation page, its undo, and what the user teaches it.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/PathRules.h"
#include "base/Counted.h"
#include "startmenu/suggestions/LearnedStore.h"
#include "startmenu/suggestions/SuggestionEvidence.h"
#include "startmenu/window/CategoriesPage.h"
#include "win/Gdi.h"

namespace startmenu {
namespace {

constexpr const wchar_t* kSuggestCaption = L"S&uggest Categories";
constexpr const wchar_t* kUndoCaption = L"&Undo Suggestions";

} // namespace

void CategoriesPage::Button13Click() {
    if (host_.DiskRunning())
        return;
    NoteUserChoices();
    if (suggestionsOn_)
        UndoSuggestions();
    else
        Suggest();
    if (const CategoryButton* button = ButtonOf(model_.CurrentCategory))
        ToolButtonClick(*button);
}

void CategoriesPage::SortNewItemsClick() {
    if (host_.DiskRunning())
        return;
    NoteUserChoices();
    NewItemsSorted count = NewItems1.Sort(model_, suggestions_);
    if (count.sorted > 0)
        ShowSuggestionsOn(true);
    SetWindowTextW(Label12, SortedNewItemsText(count).c_str());
    if (const CategoryButton* button = ButtonOf(model_.CurrentCategory))
        ToolButtonClick(*button);
}

void CategoriesPage::Suggest() {
    win::WaitCursor wait;
    targets_.reset();
    suggestions_ = SuggestionRun();
    LearnedChoices learned = LoadLearnedChoices();
    SuggestionEvidence evidence(model_.Folders);
    auto isCategoryFolder = model_.CategoryFolderTest();
    suggestionCount_ = SuggestAll(
        *model_.Entries, suggestions_, learned,
        [&](const EntryNode& node) { return isCategoryFolder(node.Entry().Path); },
        [&](const EntryNode& node) { return evidence.For(node); });
    // What the names left open, the shortcuts' targets may tell, in the background: of a
    // shortcut, or of the programs inside a folder.
    std::vector<TargetFetcher::Request> requests;
    for (EntryNode* node = model_.Entries->First(); node; node = node->NextSibling()) {
        if (!SuggestionRun::Eligible(*node) || isCategoryFolder(node->Entry().Path) ||
            (!node->IsFolder() && !base::IsShortcutFileName(node->Name())))
            continue;
        ItemEvidence item = evidence.For(*node);
        int taught;
        // What the user taught about the name stands, "none" too.
        if (item.windowsOwn || IsWindowsOwnName(item.name) || IsAsideItem(item.name) ||
            learned.Find(LessonNameOf(item.name, item.isFolder), taught))
            continue;
        std::vector<std::wstring> shortcuts = evidence.ProgramShortcuts(*node);
        if (!shortcuts.empty())
            requests.push_back({node->Handle(), std::move(shortcuts)});
    }
    if (!requests.empty())
        targets_ = std::make_unique<TargetFetcher>(
            std::move(requests),
            [this](const TargetFetcher::Evidence& found) { ReceiveTarget(found); });
    ShowSuggestionsOn(true);
    ShowSuggestionCount();
}

void CategoriesPage::UndoSuggestions() {
    targets_.reset();
    int undone = suggestions_.Undo(*model_.Entries);
    ShowSuggestionsOn(false);
    SetWindowTextW(Label12,
                   (L"Undone: " + base::Counted(static_cast<size_t>(undone), L"item", L"items") +
                    (undone == 1 ? L" has" : L" have") + L" no category again.")
                       .c_str());
}

void CategoriesPage::ShowSuggestionsOn(bool on) {
    suggestionsOn_ = on;
    SetWindowTextW(Button13, on ? kUndoCaption : kSuggestCaption);
}

void CategoriesPage::ShowSuggestionCount() {
    SetWindowTextW(Label12, (L"Suggested a category for " +
                             base::Counted(static_cast<size_t>(suggestionCount_.suggested), L"item",
                                           L"items") +
                             L"; " + std::to_wstring(suggestionCount_.left) + L" left.")
                                .c_str());
}

// An item's targets arrived: an item that is still as the click left it may get its
// category from what their version resources say.
void CategoriesPage::ReceiveTarget(const TargetFetcher::Evidence& found) {
    EntryNode* node = model_.Entries->Find(found.handle);
    if (!suggestionsOn_ || host_.DiskRunning() || !node || found.inWindowsFolder ||
        !SuggestionRun::Eligible(*node))
        return;
    int category = SuggestFromTargets(found.targets);
    if (category < 0)
        return;
    suggestions_.Assign(*node, category);
    ++suggestionCount_.suggested;
    --suggestionCount_.left;
    ShowSuggestionCount();
    // The row shows the new category, or leaves the list for its category's page.
    for (int row = 0; row < ListCount(); ++row) {
        if (ListEntry(row) != node)
            continue;
        if (category == model_.CurrentCategory) {
            SetListState(row, StatusChecked);
        } else {
            if (row == ListSelected())
                ListView1SelectItem(row, false);
            DeleteListRow(row);
        }
        break;
    }
}

void CategoriesPage::NoteUserChoices() {
    std::vector<SuggestionRun::Change> changes = suggestions_.TakeUserChanges(*model_.Entries);
    if (changes.empty())
        return;
    LearnedChoices learned = LoadLearnedChoices();
    for (const SuggestionRun::Change& change : changes)
        learned.Remember(LessonNameOf(change.node->Name(), change.node->IsFolder()),
                         change.category);
    SaveLearnedChoices(learned);
}

} // namespace startmenu
