#include "startmenu/Processing.h"

#include "startmenu/ItemMove.h"
#include "win/FileSystem.h"

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

// categoryName null: to the top of the Programs folder.
void MoveIntoBoth(const TStartMenu& entry, const FolderLocations& folders,
                  const std::wstring* categoryName, HWND owner) {
    struct Pass {
        Origin origin;
        const std::wstring& programs;
        const std::wstring& otherPrograms;
    };
    for (const Pass& pass :
         {Pass{OriginCommon, folders.CommonProgramsDir, folders.UserProgramsDir},
          Pass{OriginUser, folders.UserProgramsDir, folders.CommonProgramsDir}}) {
        if ((entry.Origin != pass.origin && entry.Origin != OriginBoth) || pass.programs.empty())
            continue;
        std::wstring target = pass.programs;
        if (categoryName) {
            target += L"\\" + *categoryName;
            win::CreateFolderIfMissing(target);
        }
        MoveItemInto(owner, SourcePathFor(entry, pass.programs, pass.otherPrograms), target);
    }
}

} // namespace

void MoveEntries(const EntryNode* first, const FolderLocations& folders,
                 const std::vector<std::wstring>& categoryNames, HWND owner) {
    for (const EntryNode* node = first; node; node = node->NextSibling()) {
        const TStartMenu& entry = node->Entry();
        if (entry.Category == MoveToRootCategory)
            MoveIntoBoth(entry, folders, nullptr, owner);
        else if (entry.Category == CategoryNone)
            MoveEntries(node->FirstChild(), folders, categoryNames, owner);
        else
            MoveIntoBoth(entry, folders, &categoryNames.at(static_cast<size_t>(entry.Category)),
                         owner);
    }
}

} // namespace startmenu
