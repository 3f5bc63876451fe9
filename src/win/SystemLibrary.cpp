#include "win/SystemLibrary.h"

namespace win {

void RestrictLibrarySearch() {
    // Windows 7 has it only with a later update.
    auto setDefault =
        LoadedFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Takes the current folder out of the search where the function above is missing.
    SetDllDirectoryW(L"");
}

namespace {

std::wstring FileIn(UINT(WINAPI* folderOf)(LPWSTR, UINT), const wchar_t* fileName) {
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = folderOf(folder.data(), MAX_PATH);
    if (length >= MAX_PATH) {
        folder.resize(length);
        length = folderOf(folder.data(), length);
    }
    if (length == 0)
        return {};
    folder.resize(length);
    return folder + L"\\" + fileName;
}

} // namespace

std::wstring SystemFolderFile(const wchar_t* fileName) {
    return FileIn(GetSystemDirectoryW, fileName);
}

std::wstring WindowsFolderFile(const wchar_t* fileName) {
    return FileIn(GetSystemWindowsDirectoryW, fileName);
}

// A full path: the loader then looks nowhere else, whatever the search order.
SystemLibrary::SystemLibrary(const wchar_t* fileName) {
    std::wstring path = SystemFolderFile(fileName);
    if (!path.empty())
        module_.Reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

} // namespace win
