// A restore in a process of its own, for the crash tests, which end it after its n-th change
// on disk. Arguments: n, the program's folder (without its trailing backslash), the user's and the
// all-users Programs folder, the backup copy and its description. Exits 0 when restored, 1 when
// not, 99 when ended.
#include <windows.h>
#include <shellapi.h>

#include "backup/BackupStore.h"
#include "win/Handles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    win::LocalHandle owner(argv);
    if (!argv || count != 7)
        return 2;
    SetEnvironmentVariableW(L"MARLOWEN_END_AFTER_CHANGES", argv[1]);
    startmenu::FolderLocations folders;
    folders.AppDir = std::wstring(argv[2]) + L"\\"; // given without it, for the quoting
    folders.BackupRootDir = folders.AppDir + L"backup";
    folders.UserProgramsDir = argv[3];
    folders.CommonProgramsDir = argv[4];
    try {
        return backup::RestoreFromBackup(folders, argv[5], argv[6], nullptr).outcome ==
                       backup::RestoreOutcome::Restored
                   ? 0
                   : 1;
    } catch (...) {
        return 1;
    }
}
