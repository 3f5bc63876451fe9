#include <optional>

#include "backup/BackupStore.h"
#include "backup/Restore.h"
#include "backup/StoreParts.h"
#include "base/PathRules.h"
#include "win/Application.h"
#include "win/Errors.h"
#include "win/UserPrompt.h"

namespace backup {
namespace {

void Say(HWND owner, const std::wstring& text, UINT type) {
    win::Prompt().Message(owner, text, win::Application::Title(), MB_OK | type);
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    return base::SameNameAscii(base::FolderWithoutTrailingBackslash(a),
                               base::FolderWithoutTrailingBackslash(b));
}

// Why the record must not be acted on; empty when it may: it names copies of this store and
// the Programs folders there are now.
std::wstring RecordRefusal(const startmenu::FolderLocations& folders, const RestoreRecord& r) {
    if (!SameFolder(r.userPrograms, folders.UserProgramsDir) ||
        !SameFolder(r.commonPrograms, folders.CommonProgramsDir))
        return L"It was made for the Start Menu folders " + r.userPrograms + L" and " +
               r.commonPrograms + L", which are not this Start Menu's.";
    for (const std::wstring& copy : {r.copy, r.before})
        if (!IsStoreCopy(folders, copy))
            return L"It names " + copy + L", which is not a backup copy in " +
                   BackupRootOf(folders) + L".";
    return {};
}

class Recovery {
public:
    Recovery(HWND owner, const startmenu::FolderLocations& folders, RestoreJournal& journal,
             const RestoreRecord& record)
        : owner_(owner), folders_(folders), journal_(journal), record_(record),
          copy_(L"\"" + record.description + L"\" (" + record.copy + L")"),
          before_(L"\"" + BeforeRestoring(record.description) + L"\" (" + record.before + L")") {}

    bool Run() {
        if (record_.finished) {
            if (record_.filling == record_.before)
                DropHoldingCopy(folders_, record_.before);
            journal_.Remove();
            return Ended(false);
        }
        if (record_.filling.empty())
            return Unbegun();
        // Stopped after the Start Menu was filled, before that was noted.
        if (HoldTheirCopies(
                PairsOf(folders_, base::FolderWithoutTrailingBackslash(record_.filling)))) {
            EndRestore(folders_, journal_, record_, record_.filling == record_.before);
            return Ended(false);
        }
        bool finish = Ask(L"A restore of the backup copy " + copy_ +
                          L" did not finish: the Start Menu holds only a part of it. The Start "
                          L"Menu as it was before is kept as the backup copy " +
                          before_ +
                          L".\n\nYes: finish the restore.\nNo: put back the Start Menu as it "
                          L"was before the restore.");
        const std::wstring& from = finish ? record_.copy : record_.before;
        CheckRestorable(folders_, base::FolderWithoutTrailingBackslash(from));
        CopyFailure failure;
        if (!FillStartMenu(folders_, journal_, from, nullptr, failure)) {
            Say(owner_,
                L"The Start Menu could not be filled from " + from + L": " + FailureText(failure) +
                    L"\n\nNothing is lost: the backup copy " + copy_ +
                    L" and the Start Menu as it was before, " + before_ +
                    L", are both listed in the Backup/Restore Wizard. You are asked again when "
                    L"the program starts or the wizard opens.",
                MB_ICONERROR);
            return true;
        }
        EndRestore(folders_, journal_, record_, !finish);
        return Ended(true);
    }

private:
    bool Ask(const std::wstring& question) {
        return win::Prompt().Message(owner_, question, win::Application::Title(),
                                     MB_YESNO | MB_ICONWARNING) == IDYES;
    }

    // Stopped before anything of the Start Menu changed: the copy of it is not needed.
    bool Unbegun() {
        bool restore = Ask(L"A restore of the backup copy " + copy_ +
                           L" did not finish: it was stopped before it changed the Start Menu, "
                           L"which is as it was.\n\nYes: restore this copy now.\nNo: keep the "
                           L"Start Menu as it is.");
        DropHoldingCopy(folders_, record_.before);
        journal_.Remove();
        if (!restore) {
            Say(owner_,
                L"The Start Menu is as it was; the backup copy " + copy_ +
                    L" has not been restored.",
                MB_ICONINFORMATION);
            return false;
        }
        RestoreResult result =
            RestoreFromBackup(folders_, record_.copy, record_.description, nullptr);
        Say(owner_, RestoreResultText(result, record_.description), RestoreResultType(result));
        return true;
    }

    bool Ended(bool changed) {
        const bool putBack = record_.filling == record_.before;
        Say(owner_,
            putBack ? L"The Start Menu is back as it was before the restore of the backup copy " +
                          copy_ + L"."
                    : L"The restore of the backup copy " + copy_ +
                          L" is finished. The Start Menu as it was before is kept as the backup "
                          L"copy " +
                          before_ + L".",
            MB_ICONINFORMATION);
        return changed;
    }

    HWND owner_;
    const startmenu::FolderLocations& folders_;
    RestoreJournal& journal_;
    RestoreRecord record_;
    std::wstring copy_, before_;
};

} // namespace

std::wstring RestoreResultText(const RestoreResult& result, const std::wstring& description) {
    const std::wstring kept = L"The Start Menu as it was before the restore is kept as the "
                              L"backup copy \"" +
                              BeforeRestoring(description) + L"\" (" + result.before + L").";
    switch (result.outcome) {
    case RestoreOutcome::Restored:
        return L"Shortcuts are restored!\n\n" + kept;
    case RestoreOutcome::PutBack:
        return L"The backup copy could not be restored completely: " + FailureText(result.failure) +
               L"\nThe Start Menu has been put back as it was before the restore.";
    case RestoreOutcome::Held:
        break;
    }
    return L"The backup copy could not be restored completely: " + FailureText(result.failure) +
           L"\nThe Start Menu could not be put back as it was either. " + kept +
           L" When the program starts next or the Backup/Restore Wizard opens, it offers to "
           L"finish the restore or to put the Start Menu back.";
}

UINT RestoreResultType(const RestoreResult& result) {
    switch (result.outcome) {
    case RestoreOutcome::Restored:
        return MB_ICONINFORMATION;
    case RestoreOutcome::PutBack:
        return MB_ICONWARNING;
    case RestoreOutcome::Held:
        break;
    }
    return MB_ICONERROR;
}

bool RecoverUnfinishedRestore(HWND owner, const startmenu::FolderLocations& folders) {
    if (folders.AppDir.empty())
        return false;
    RestoreJournal journal(folders);
    if (!journal.Exists())
        return false;
    // The instance that holds the lock may be the one restoring right now.
    std::optional<product::WriterLock> lock =
        product::WriterLock::Take(L"the end of a restore that did not finish");
    if (!lock)
        return false;
    RestoreRecord record;
    std::wstring error;
    if (journal.Read(record, error) && record.copy.empty()) {
        journal.Remove(); // stopped before its first line was whole: nothing was changed
        return false;
    }
    if (error.empty())
        error = RecordRefusal(folders, record);
    if (!error.empty()) {
        Say(owner,
            L"A restore did not finish, but its record " + journal.Path() + L" cannot be used: " +
                error +
                L"\n\nNothing has been changed. The backup copies are listed in the "
                L"Backup/Restore Wizard; remove that file to restore one of them.",
            MB_ICONERROR);
        return false;
    }
    try {
        return Recovery(owner, folders, journal, record).Run();
    } catch (const win::AppError& stopped) {
        Say(owner,
            L"The restore that did not finish could not be ended: " + stopped.Message() +
                L"\n\nThe backup copies are listed in the Backup/Restore Wizard.",
            MB_ICONERROR);
        return true;
    }
}

} // namespace backup
