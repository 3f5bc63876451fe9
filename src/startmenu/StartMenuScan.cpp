#include "startmenu/StartMenuScan.h"

#include <windows.h>
#include <shlobj.h>

#include "startmenu/NameRules.h"
#include "win/FileSystem.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// The listing keeps hidden and system items; only ".ini" files and the Startup folder
// (whose name occurs in the all-users Startup path) stay out.
template <typename Visit>
void ForEachTopLevelName(const std::wstring& folder, const std::wstring& lowerStartupDir,
                         Visit visit) {
    if (folder.empty())
        return;
    win::ForEachFile(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring name = data.cFileName;
        if (!IsSkippedTopLevelName(win::LowerFileName(name), lowerStartupDir))
            visit(name);
    });
}

} // namespace

void ScanProgramsFolders(EntryList& list, const FolderSource& source, FolderLocations& locations) {
    ResolveStartupDirs(source, locations);
    locations.CommonProgramsDir = source.ShellFolder(CSIDL_COMMON_PROGRAMS);
    ForEachTopLevelName(locations.CommonProgramsDir, locations.CommonStartupDir,
                        [&](const std::wstring& name) {
                            list.Append(name, {locations.CommonProgramsDir + L"\\" + name,
                                               CategoryNone, OriginCommon, 0});
                        });

    locations.UserProgramsDir = source.ShellFolder(CSIDL_PROGRAMS);
    ForEachTopLevelName(locations.UserProgramsDir, locations.CommonStartupDir,
                        [&](const std::wstring& name) {
                            if (EntryNode* namesake = FindSiblingByName(list.First(), name, true))
                                namesake->Entry().Origin = OriginBoth;
                            else
                                list.Append(name, {locations.UserProgramsDir + L"\\" + name,
                                                   CategoryNone, OriginUser, 0});
                        });
}

} // namespace startmenu
