#include "win/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "win/Com.h"
#include "win/FileSystem.h"
#include "win/Handles.h"

namespace win {
namespace {

const wchar_t kProfileList[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::wstring Environment(const wchar_t* name) {
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// A string value, with environment variables expanded; empty when it is not there.
std::wstring RegistryText(HKEY key, const wchar_t* subKey, const wchar_t* name) {
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        LSTATUS status =
            RegGetValueW(key, subKey, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            value.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return {};
        value.resize(wcslen(value.c_str()));
        return value;
    }
}

void AddKnownFolders(std::vector<std::wstring>& folders) {
    ComInit com;
    ComPtr<IKnownFolderManager> manager;
    if (FAILED(CoCreateInstance(CLSID_KnownFolderManager, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IKnownFolderManager, manager.PutVoid())))
        return;
    KNOWNFOLDERID* ids = nullptr;
    UINT count = 0;
    if (FAILED(manager->GetFolderIds(&ids, &count)))
        return;
    for (UINT i = 0; i < count; ++i) {
        wchar_t* path = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(ids[i], 0, nullptr, &path)))
            folders.emplace_back(path);
        CoTaskMemFree(path);
    }
    CoTaskMemFree(ids);
}

// The profile folder of every user the system has, and every folder where profiles are kept.
void AddProfiles(std::vector<std::wstring>& folders) {
    KeyHandle list;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProfileList, 0, KEY_READ | KEY_WOW64_64KEY,
                      list.Put()) != ERROR_SUCCESS)
        return;
    for (const wchar_t* name : {L"ProfilesDirectory", L"Default", L"Public", L"ProgramData"})
        folders.push_back(RegistryText(list.Get(), nullptr, name));
    wchar_t sid[256];
    for (DWORD i = 0, length = 256; RegEnumKeyExW(list.Get(), i, sid, &length, nullptr, nullptr,
                                                  nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256)
        folders.push_back(RegistryText(list.Get(), sid, L"ProfileImagePath"));

    // A profile folder that the list does not name is a profile all the same.
    std::wstring profiles = RegistryText(list.Get(), nullptr, L"ProfilesDirectory");
    if (!profiles.empty())
        ForEachFile(profiles + L"\\*", [&](const WIN32_FIND_DATAW& data) {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(profiles + L"\\" + data.cFileName);
        });
}

} // namespace

std::vector<std::wstring> NamedSystemFolders() {
    std::vector<std::wstring> folders;
    for (int csidl = 0; csidl <= 0x3F; ++csidl)
        folders.push_back(ShellFolder(csidl));
    AddKnownFolders(folders);
    wchar_t temp[MAX_PATH + 1] = L"";
    if (GetTempPathW(MAX_PATH + 1, temp))
        folders.emplace_back(temp);
    return folders;
}

std::vector<std::wstring> WindowsFolders() {
    std::vector<std::wstring> folders = {ShellFolder(CSIDL_WINDOWS), Environment(L"SystemRoot")};
    wchar_t path[MAX_PATH] = L"";
    if (GetWindowsDirectoryW(path, MAX_PATH))
        folders.emplace_back(path);
    if (GetSystemWindowsDirectoryW(path, MAX_PATH))
        folders.emplace_back(path);
    return folders;
}

std::vector<std::wstring> SystemRootFolders() {
    std::vector<std::wstring> folders = {
        ShellFolder(CSIDL_PROGRAM_FILES), ShellFolder(CSIDL_PROGRAM_FILESX86),
        Environment(L"ProgramFiles"),     Environment(L"ProgramFiles(x86)"),
        Environment(L"ProgramW6432"),     ShellFolder(CSIDL_PROFILE),
        ShellFolder(CSIDL_COMMON_APPDATA)};
    AddProfiles(folders);
    return folders;
}

} // namespace win
