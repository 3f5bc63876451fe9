#include "startmenu/processing/UndoRules.h"

#include <set>

#include "base/PathRules.h"
#include "startmenu/processing/MoveReport.h"

namespace startmenu {

UndoVerdict JudgeMoveBack(Presence atNewPlace, Presence atOldPlace) {
    switch (atNewPlace) {
    case Presence::AsRecorded:
        return atOldPlace == Presence::Missing ? UndoVerdict::PutBack : UndoVerdict::PlaceTaken;
    case Presence::Changed:
        return UndoVerdict::Changed;
    case Presence::Missing:
        break;
    }
    return atOldPlace == Presence::AsRecorded ? UndoVerdict::Untouched : UndoVerdict::Gone;
}

std::wstring SkipReason(UndoVerdict verdict, const std::wstring& newPlace,
                        const std::wstring& oldPlace) {
    switch (verdict) {
    case UndoVerdict::Gone:
        return L"it is no longer in " + base::ParentFolderOf(newPlace) +
               L"; it was moved or deleted after processing.";
    case UndoVerdict::Changed:
        return L"it was changed after processing; it stays in " + base::ParentFolderOf(newPlace) +
               L".";
    case UndoVerdict::PlaceTaken:
        return L"another item of its name is in " + base::ParentFolderOf(oldPlace) +
               L" now; it stays in " + base::ParentFolderOf(newPlace) + L".";
    case UndoVerdict::PutBack:
    case UndoVerdict::Untouched:
        break;
    }
    return {};
}

std::wstring UndoQuestionText(const RunJournal& journal) {
    std::vector<std::wstring> lines;
    std::set<std::wstring> listed;
    for (const JournalStep& step : journal.steps) {
        if (step.kind == StepKind::MakeFolder || !listed.insert(step.item).second)
            continue;
        std::wstring line = step.item;
        if (step.kind != StepKind::Remove && step.from == step.item)
            line += L"\r\n    back from " + base::ParentFolderOf(step.to);
        lines.push_back(line);
    }
    std::wstring text = L"Undo the processing run of " + journal.started + L"?\r\n\r\n";
    if (lines.empty()) {
        text += L"It moved nothing; only the category folders it made are removed, where they "
                L"are empty.";
        return text;
    }
    text += L"These items go back where they were before it:";
    AppendBulletList(text, lines);
    text += L"\r\n\r\nCategory folders it made are removed once they are empty. Items you have "
            L"changed, moved or deleted since are left as they are.";
    return text;
}

std::wstring UndoReportText(const UndoReport& report) {
    if (report.skipped.empty())
        return L"The processing run has been undone: " + std::to_wstring(report.putBack) +
               (report.putBack == 1 ? L" item is" : L" items are") + L" back where they were.";
    std::vector<std::wstring> lines;
    for (const UndoSkip& skip : report.skipped)
        lines.push_back(skip.item + L"\r\n    " + skip.reason);
    std::wstring text = L"The processing run has been undone, except for these items, which "
                        L"have been left as they are:";
    AppendBulletList(text, lines);
    return text;
}

std::wstring RecoveryQuestionText(const RunJournal& journal,
                                  const std::vector<SetAsideItem>& setAside) {
    bool undoing = journal.lastMark == RunMark::Undo;
    std::wstring text =
        undoing ? L"The undo of the processing run of " + journal.started +
                      L" did not finish: the program ended in the middle of it. Some items are "
                      L"back where they were, the others are still where the run put them."
                : L"The processing run of " + journal.started +
                      L" did not finish: the program ended in the middle of it. Some items are "
                      L"in their category folders, the others are still where they were.";
    if (!setAside.empty()) {
        std::vector<std::wstring> lines;
        for (const SetAsideItem& item : setAside)
            lines.push_back(item.place + L"\r\n    kept as " + item.keptAt);
        text += L"\r\n\r\nThese items, which the run replaced, are kept in its folder until an "
                L"undo puts them back:";
        AppendBulletList(text, lines);
    }
    text += undoing ? L"\r\n\r\nFinish the undo now? Every item the run moved goes back where it "
                      L"was before it."
                    : L"\r\n\r\nUndo the run now? Every item it moved goes back where it was "
                      L"before it.";
    text += L" If you choose No, the Start Menu stays as it is; \"Undo Last Processing...\" in "
            L"the Menu can still do it later.";
    return text;
}

} // namespace startmenu
