#pragma once
#include <string>

namespace startmenu {

// The folders the program works on, resolved by the scan (and by clear mode). A location
// that cannot be obtained is empty, and every user of it skips it.
struct FolderLocations {
    std::wstring AppDir; // ends with a backslash
    std::wstring BackupRootDir;
    std::wstring CommonStartupDir; // lower-cased
    std::wstring UserStartupDir;   // lower-cased
    std::wstring CommonProgramsDir;
    std::wstring UserProgramsDir;
};

// Where the locations come from: the system's shell folders, or a test's own folders.
class FolderSource {
public:
    virtual ~FolderSource() = default;
    virtual std::wstring ExecutableDir() const = 0; // with a trailing backslash
    virtual std::wstring ShellFolder(int csidl) const = 0;
};

// The system's shell folders and the folder of the running executable.
class SystemFolderSource : public FolderSource {
public:
    std::wstring ExecutableDir() const override;
    std::wstring ShellFolder(int csidl) const override;
};

// The two Startup folders, lower-cased, as the scan and clear mode compare them.
void ResolveStartupDirs(const FolderSource& source, FolderLocations& locations);

} // namespace startmenu
