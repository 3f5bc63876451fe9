#include "Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "base/PathRules.h"
#include "product/Settings.h"
#include "startmenu/window/MainFormIds.h"
#include "win/Com.h"
#include "win/FileIdentity.h"
#include "win/FileSystem.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace testing_support {
namespace {

void SaveLink(win::ComPtr<IShellLinkW>& link, const std::wstring& linkPath) {
    win::ComPtr<IPersistFile> file = link.As<IPersistFile>();
    ASSERT_TRUE(file);
    ASSERT_HRESULT_SUCCEEDED(file->Save(base::LiteralPath(linkPath).c_str(), TRUE));
}

win::ComPtr<IShellLinkW> NewLink() {
    win::ComPtr<IShellLinkW> link;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkW, link.PutVoid()));
    return link;
}

} // namespace

void RemoveTree(const std::wstring& path) {
    win::ForEachFile(path + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring child = path + L"\\" + data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            RemoveTree(child);
        else {
            SetFileAttributesW(base::LiteralPath(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(base::LiteralPath(child).c_str()))
                RemoveDirectoryW(base::LiteralPath(child).c_str());
        }
    });
    SetFileAttributesW(base::LiteralPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!RemoveDirectoryW(base::LiteralPath(path).c_str()))
        DeleteFileW(base::LiteralPath(path).c_str());
}

TempFolder::TempFolder(const std::wstring& label) {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring root = std::wstring(temp) + L"marlowen-tests";
    CreateDirectoryW(root.c_str(), nullptr);
    path_ = root + L"\\" + label + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    MakeDir(path_);
}

TempFolder::~TempFolder() {
    RemoveTree(win::ExtendedLengthPath(path_)); // names the path rules would change go too
}

void MakeDir(const std::wstring& path) {
    ASSERT_TRUE(CreateDirectoryW(base::LiteralPath(path).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS)
        << "cannot create " << win::Utf8FromWide(path);
}

std::wstring DeepFolder(const std::wstring& under) {
    std::wstring folder = under;
    for (int level = 0; level < 2; ++level) {
        folder += L"\\" + std::wstring(120, L'd');
        MakeDir(folder);
    }
    return folder;
}

std::wstring LayoutPathOfLength(const std::wstring& folder, size_t length, wchar_t fill) {
    return folder + L"\\" + std::wstring(length - folder.size() - 5, fill) + L".xml";
}

void MakeFile(const std::wstring& path, const std::string& content) {
    win::KernelHandle file(CreateFileW(base::LiteralPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        file.Release();
        FAIL() << "cannot create " << win::Utf8FromWide(path);
    }
    DWORD written = 0;
    WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::string FileBytes(const std::wstring& path) {
    win::FileHandle file(CreateFileW(base::LiteralPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read)
        bytes.append(buffer, read);
    return bytes;
}

bool Exists(const std::wstring& path) {
    return win::AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<std::wstring> ListNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    win::ForEachFile(folder + L"\\*",
                     [&](const WIN32_FIND_DATAW& data) { names.emplace_back(data.cFileName); });
    std::sort(names.begin(), names.end());
    return names;
}

void MakeShortcut(const std::wstring& linkPath, const std::wstring& target) {
    win::ComInit com;
    win::ComPtr<IShellLinkW> link = NewLink();
    ASSERT_TRUE(link);
    ASSERT_HRESULT_SUCCEEDED(link->SetPath(target.c_str()));
    SaveLink(link, linkPath);
}

void MakeDeadShortcut(const std::wstring& linkPath, const std::wstring& vanishedTarget) {
    MakeFile(vanishedTarget);
    MakeShortcut(linkPath, vanishedTarget);
    ASSERT_TRUE(DeleteFileW(vanishedTarget.c_str()));
}

void MakeInstallerShortcut(const std::wstring& linkPath, const std::string& target,
                           const std::wstring& expandable) {
    // The shell link format: header, link info with the local path, then the block with the
    // path in environment variables and the end block.
    auto put = [](std::string& bytes, uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    };
    std::string link;
    put(link, 0x4c, 4);
    const unsigned char shellLinkClsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0,
                                              0xc0, 0,    0,    0, 0, 0, 0, 0x46};
    link.append(reinterpret_cast<const char*>(shellLinkClsid), 16);
    const uint32_t hasLinkInfo = 0x2, isUnicode = 0x80, hasExpString = 0x200;
    put(link, hasLinkInfo | isUnicode | hasExpString, 4);
    put(link, FILE_ATTRIBUTE_ARCHIVE, 4);
    link.append(3 * 8 + 4 + 4, '\0'); // times, size, icon index
    put(link, SW_SHOWNORMAL, 4);
    link.append(2 + 2 + 4 + 4, '\0'); // hot key, reserved

    const uint32_t volumeIdSize = 0x11, infoHeaderSize = 0x1c;
    const uint32_t pathOffset = infoHeaderSize + volumeIdSize;
    const uint32_t suffixOffset = pathOffset + static_cast<uint32_t>(target.size()) + 1;
    put(link, suffixOffset + 1, 4);
    put(link, infoHeaderSize, 4);
    put(link, 1, 4); // a volume and a local path
    put(link, infoHeaderSize, 4);
    put(link, pathOffset, 4);
    put(link, 0, 4);
    put(link, suffixOffset, 4);
    put(link, volumeIdSize, 4);
    put(link, DRIVE_FIXED, 4);
    put(link, 0x1234abcd, 4);
    put(link, 0x10, 4);
    link.push_back('\0'); // no volume label
    link.append(target).push_back('\0');
    link.push_back('\0'); // no path suffix

    put(link, 0x314, 4);
    put(link, 0xa0000001, 4);
    std::string ansi(260, '\0');
    std::wstring wide(260, L'\0');
    for (size_t i = 0; i < expandable.size() && i < 259; ++i) {
        ansi[i] = static_cast<char>(expandable[i]);
        wide[i] = expandable[i];
    }
    link.append(ansi);
    link.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    put(link, 0, 4);
    MakeFile(linkPath, link);
}

void MakeShellObjectShortcut(const std::wstring& linkPath) {
    win::ComInit com;
    win::ComPtr<IShellLinkW> link = NewLink();
    ASSERT_TRUE(link);
    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer));
    HRESULT hr = link->SetIDList(computer);
    CoTaskMemFree(computer);
    ASSERT_HRESULT_SUCCEEDED(hr);
    SaveLink(link, linkPath);
}

std::wstring TestFolderSource::ShellFolder(int csidl) const {
    switch (csidl) {
    case CSIDL_COMMON_PROGRAMS:
        return commonPrograms;
    case CSIDL_PROGRAMS:
        return userPrograms;
    case CSIDL_COMMON_STARTUP:
        return commonStartup;
    case CSIDL_STARTUP:
        return userStartup;
    case CSIDL_DESKTOP:
        return desktop;
    case CSIDL_APPDATA:
        return appData;
    }
    return {};
}

int ScriptedPrompt::Message(HWND, const std::wstring& text, const std::wstring& caption,
                            UINT type) {
    shown.push_back({text, caption, type});
    if (whileShown)
        whileShown();
    if (answers.empty())
        return IDOK;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedPrompt::ChooseFile(HWND, const win::FileRequest& request, std::wstring& path) {
    fileRequests.push_back(request);
    if (files.empty())
        return false;
    path = files.front();
    files.pop_front();
    return true;
}

CleanSettings::CleanSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, product::kSettingsKey);
}

CleanSettings::~CleanSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, product::kSettingsKey);
}

bool CleanSettings::KeyExists() {
    win::KeyHandle key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, product::kSettingsKey, 0, KEY_READ, key.Put()) ==
           ERROR_SUCCESS;
}

std::wstring PrefixFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::wstring BesideTests(const std::wstring& fileName) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self);
    return dir.substr(0, dir.find_last_of(L'\\') + 1) + fileName;
}

DWORD RunProgram(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Started in C:\ so that a run which wrongly walked "\*" stays inside the test prefix.
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        L"C:\\", &startup, &process)) {
        ADD_FAILURE() << "cannot start program, error " << GetLastError();
        return ~0u;
    }
    win::KernelHandle processHandle(process.hProcess), thread(process.hThread);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 99);
        ADD_FAILURE() << "program did not end within a minute";
    }
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

RunningProgram::RunningProgram(const std::wstring& arguments, const std::wstring& exe,
                               const std::wstring& currentFolder) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              currentFolder.c_str(), &startup, &info);
    process_.Reset(info.hProcess);
    win::KernelHandle thread(info.hThread);
    processId_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
    // Waited for: what it holds open is let go only once it has gone.
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT &&
        TerminateProcess(process_.Get(), 99))
        WaitForSingleObject(process_.Get(), 10000);
}

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A top-level window of the process, to reach its message loop through.
HWND AnyWindowOf(DWORD processId) {
    WindowSearch search = {processId, nullptr};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

// What the program shows changes only as its GUI thread works, so each look follows a round
// trip through its message loop: a sent message is answered when the program next looks at
// its queue, which is after the work a posted click or key started, or inside the modal loop
// that work opened. Before the program has a window, its first wait for input is the event.
bool RunningProgram::WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds || WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0)
            return done();
        DWORD left = milliseconds - spent;
        if (HWND window = AnyWindowOf(processId_)) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, left, &answer);
        } else {
            DWORD idle = WaitForInputIdle(process_.Get(), left);
            if (idle == WAIT_TIMEOUT)
                return done();
            if (idle != 0) // a program without a message loop: only its end can change things
                WaitForSingleObject(process_.Get(), left);
        }
    }
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, HWND other) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w;
             w = FindWindowExW(nullptr, w, className, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == processId_ && IsWindowVisible(w) && w != other) {
                found = w;
                return true;
            }
        }
        return false;
    });
    return found;
}

DWORD RunningProgram::WaitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(process_.Get(), milliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process_.Get(), 99);
        return ~0u;
    }
    DWORD code = ~0u;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void RunningProgram::Answer(HWND box, int button) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(box, button)), SMTO_ABORTIFHUNG, 10000,
                        &result);
}

FirstProgramsShortcut::FirstProgramsShortcut(const std::wstring& name)
    : target_(L"first"), name_(name) {
    programs_ = PrefixFolder(CSIDL_COMMON_PROGRAMS);
    path_ = programs_ + L"\\" + name_;
    MakeFile(target_ / L"program.exe");
    MakeShortcut(path_, target_ / L"program.exe");
}

FirstProgramsShortcut::~FirstProgramsShortcut() {
    DeleteFileW(path_.c_str());
    DeleteFileW(SortedPath().c_str());
    RemoveDirectoryW((programs_ + L"\\Office").c_str());
}

std::wstring FirstProgramsShortcut::SortedPath() const {
    return programs_ + L"\\Office\\" + name_;
}

HWND TickFirstAndStartProcessing(RunningProgram& program, HWND window) {
    auto click = [&](int id) { SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); };
    click(startmenu::IdButton4);
    HWND list = GetDlgItem(window, startmenu::IdListView1);
    for (WPARAM key : {WPARAM(VK_HOME), WPARAM(VK_SPACE)}) {
        SendMessageW(list, WM_KEYDOWN, key, 0);
        SendMessageW(list, WM_KEYUP, key, 0);
    }
    click(startmenu::IdButton6);
    PostMessageW(GetDlgItem(window, startmenu::IdButton8), BM_CLICK, 0, 0);
    return program.WaitForWindow(L"#32770");
}

} // namespace testing_support
