#include "startmenu/model/StartMenuScan.h"

#include <windows.h>
#include <shlobj.h>

#include "startmenu/model/NameRules.h"
#include "win/FileIdentity.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// The listing keeps hidden and system items; ".ini" files, names that occur in the
// all-users Startup path, and the two Startup folders themselves stay out. A Startup folder
// is known by what the file system says it is, not by its name: its name may be another
// (a language's own word), and a location the system cannot give leaves only the other one.
template <typename Visit>
void ForEachTopLevelName(const std::wstring& folder, const std::wstring& lowerStartupDir,
                         const win::FolderSet& startupFolders, Visit visit) {
    if (folder.empty())
        return;
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring name = data.cFileName;
        if (IsSkippedTopLevelName(win::LowerFileName(name), lowerStartupDir))
            return;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            startupFolders.Contains(folder + L"\\" + name))
            return;
        visit(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    });
}

} // namespace

void ScanProgramsFolders(EntryList& list, const FolderSource& source, FolderLocations& locations) {
    ResolveStartupDirs(source, locations);
    win::FolderSet startup;
    startup.Add(locations.CommonStartupDir);
    startup.Add(locations.UserStartupDir);

    locations.CommonProgramsDir = source.ShellFolder(CSIDL_COMMON_PROGRAMS);
    ForEachTopLevelName(locations.CommonProgramsDir, locations.CommonStartupDir, startup,
                        [&](const std::wstring& name, bool folder) {
                            list.Append(name, {locations.CommonProgramsDir + L"\\" + name,
                                               CategoryNone, OriginCommon, 0})
                                .SetFolder(folder);
                        });

    locations.UserProgramsDir = source.ShellFolder(CSIDL_PROGRAMS);
    ForEachTopLevelName(locations.UserProgramsDir, locations.CommonStartupDir, startup,
                        [&](const std::wstring& name, bool folder) {
                            if (EntryNode* namesake = FindSiblingByName(list.First(), name, true))
                                namesake->Entry().Origin = OriginBoth;
                            else
                                list.Append(name, {locations.UserProgramsDir + L"\\" + name,
                                                   CategoryNone, OriginUser, 0})
                                    .SetFolder(folder);
                        });
}

} // namespace startmenu
