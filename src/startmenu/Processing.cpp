#include "startmenu/Processing.h"

#include <windows.h>

#include <set>

#include "base/PathRules.h"
#include "startmenu/ItemMove.h"
#include "startmenu/NameRules.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// An entry in both folders carries one path (the all-users one for a top-level entry); the
// pass over the other folder turns it into the same path below that folder.
std::wstring SourcePathFor(const TStartMenu& entry, const std::wstring& programs,
                           const std::wstring& otherPrograms) {
    std::wstring path = entry.Path;
    if (entry.Origin != OriginBoth || path.find(programs) != std::wstring::npos)
        return path;
    size_t other = otherPrograms.empty() ? std::wstring::npos : path.find(otherPrograms);
    if (other != std::wstring::npos)
        path.replace(other, otherPrograms.size(), programs);
    return path;
}

class Processor {
public:
    Processor(const FolderLocations& folders, const std::vector<std::wstring>& categoryNames)
        : folders_(folders), categoryNames_(categoryNames) {}

    void Walk(const EntryNode* first) {
        for (const EntryNode* node = first; node; node = node->NextSibling()) {
            const TStartMenu& entry = node->Entry();
            if (entry.Category == MoveToRootCategory)
                MoveIntoBoth(entry, nullptr);
            else if (entry.Category == CategoryNone)
                Walk(node->FirstChild());
            else
                MoveIntoBoth(entry, &categoryNames_.at(static_cast<size_t>(entry.Category)));
        }
    }

    MoveReport report;

private:
    // categoryName null: to the top of the Programs folder.
    void MoveIntoBoth(const TStartMenu& entry, const std::wstring* categoryName) {
        struct Pass {
            Origin origin;
            const std::wstring& programs;
            const std::wstring& otherPrograms;
        };
        ++report.assigned;
        bool arrived = true;
        for (const Pass& pass :
             {Pass{OriginCommon, folders_.CommonProgramsDir, folders_.UserProgramsDir},
              Pass{OriginUser, folders_.UserProgramsDir, folders_.CommonProgramsDir}}) {
            if ((entry.Origin != pass.origin && entry.Origin != OriginBoth) ||
                pass.programs.empty())
                continue;
            std::wstring source = SourcePathFor(entry, pass.programs, pass.otherPrograms);
            if (categoryName)
                arrived = MoveIntoCategory(source, pass.programs, *categoryName) && arrived;
            else
                arrived = MoveInto(source, pass.programs, true) && arrived;
        }
        if (arrived)
            ++report.moved;
    }

    bool MoveIntoCategory(const std::wstring& source, const std::wstring& programs,
                          const std::wstring& categoryName) {
        std::wstring folder = programs + L"\\" + categoryName;
        DWORD error = win::CreateFolderUnlessThere(folder);
        if (error == ERROR_SUCCESS)
            return MoveInto(source, folder, false);
        std::wstring reason =
            win::IsExistingFile(folder)
                ? L"The file \"" + categoryName + L"\" in " + programs +
                      L" is in the way of the category folder of that name. Rename or move "
                      L"that file, then process again."
                : L"The category folder cannot be made. " + MoveFailureReason(error);
        report.failures.push_back({source, folder, reason});
        return false;
    }

    // A namesake is replaced, as the shell's move does, unless it is one this run put there
    // or, at the top of a Programs folder, an unrelated item the user has there.
    bool MoveInto(const std::wstring& source, const std::wstring& folder, bool keepNamesakes) {
        std::wstring name = base::FileNameOf(source);
        std::wstring targetName = name;
        if (Placed(folder, name) ||
            (keepNamesakes && Occupied(folder, name) && !SameItem(source, folder, name))) {
            bool isFolder = win::IsExistingDirectory(source);
            for (int n = 2; Placed(folder, targetName) || Occupied(folder, targetName); ++n)
                targetName = NumberedName(name, isFolder, n);
        }
        if (!MoveItemInto(source, folder, targetName, report.failures))
            return false;
        placed_.insert(win::LowerFileName(folder + L"\\" + targetName));
        if (targetName != name)
            report.renames.push_back({source, folder, targetName});
        return true;
    }

    bool Placed(const std::wstring& folder, const std::wstring& name) const {
        return placed_.count(win::LowerFileName(folder + L"\\" + name)) != 0;
    }
    static bool Occupied(const std::wstring& folder, const std::wstring& name) {
        return GetFileAttributesW((folder + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    static bool SameItem(const std::wstring& source, const std::wstring& folder,
                         const std::wstring& name) {
        return win::LowerFileName(source) == win::LowerFileName(folder + L"\\" + name);
    }

    const FolderLocations& folders_;
    const std::vector<std::wstring>& categoryNames_;
    std::set<std::wstring> placed_; // lower-cased paths this run has moved items to
};

} // namespace

MoveReport MoveEntries(const EntryNode* first, const FolderLocations& folders,
                       const std::vector<std::wstring>& categoryNames) {
    Processor processor(folders, categoryNames);
    processor.Walk(first);
    return std::move(processor.report);
}

} // namespace startmenu
