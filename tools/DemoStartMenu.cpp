// Fills the running prefix's two Programs folders with a demo Start Menu of real shortcuts,
// so the program has something to sort when it is tried out under Wine.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "win/Com.h"
#include "win/FileSystem.h"

namespace {

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void MakeDirs(const std::wstring& path) {
    SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
}

// A small stand-in program file, so every shortcut points at something real.
std::wstring MakeProgram(const std::wstring& programsRoot, const std::wstring& name) {
    std::wstring dir = programsRoot + L"\\" + name;
    MakeDirs(dir);
    std::wstring exe = dir + L"\\" + name + L".exe";
    HANDLE file = CreateFileW(exe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return exe;
}

void MakeShortcut(const std::wstring& linkPath, const std::wstring& target) {
    win::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid())))
        return;
    link->SetPath(target.c_str());
    if (auto file = link.As<IPersistFile>())
        file->Save(linkPath.c_str(), TRUE);
}

struct DemoItem {
    const wchar_t* folder; // empty: at the top of the Programs folder
    const wchar_t* name;
};

// Items of the all-users folder, then of the user's folder.
const DemoItem kCommon[] = {
    {L"", L"Writer"},
    {L"", L"Spreadsheet"},
    {L"", L"Presenter"},
    {L"", L"Web Browser"},
    {L"", L"Mail Client"},
    {L"", L"Media Player"},
    {L"", L"Photo Editor"},
    {L"", L"Paint Studio"},
    {L"", L"Antivirus"},
    {L"", L"Firewall Monitor"},
    {L"Accessories", L"Calculator"},
    {L"Accessories", L"Notepad"},
    {L"Accessories", L"Character Map"},
    {L"Developer Suite", L"Code Editor"},
    {L"Developer Suite", L"Debugger"},
    {L"Developer Suite", L"Profiler"},
    {L"Games", L"Chess"},
    {L"Games", L"Solitaire"},
};
const DemoItem kUser[] = {
    {L"", L"Chat"},
    {L"", L"Music Box"},
    {L"", L"Disk Cleaner"},
    {L"", L"Archiver"},
    {L"", L"FTP Client"},
    {L"", L"Puzzle"},
    {L"Games", L"Minesweeper"},
    {L"Utilities Pack", L"Backup Tool"},
    {L"Utilities Pack", L"System Info"},
    {L"", L"\u65e5\u672c\u8a9e Dictionary"},
};

template <size_t N>
void Fill(const std::wstring& programs, const DemoItem (&items)[N],
          const std::wstring& programFiles) {
    for (const DemoItem& item : items) {
        std::wstring folder = programs;
        if (*item.folder) {
            folder += L"\\" + std::wstring(item.folder);
            MakeDirs(folder);
        }
        MakeShortcut(folder + L"\\" + item.name + L".lnk", MakeProgram(programFiles, item.name));
    }
}

} // namespace

int wmain() {
    win::ComInit com;
    std::wstring programFiles = ShellFolder(CSIDL_PROGRAM_FILES) + L"\\Marlowen Demo";
    Fill(ShellFolder(CSIDL_COMMON_PROGRAMS), kCommon, programFiles);
    Fill(ShellFolder(CSIDL_PROGRAMS), kUser, programFiles);
    return 0;
}
