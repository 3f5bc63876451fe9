// Another program that holds a file or folder, as an editor, a scanner or a command prompt
// does: started with the path of a file, it keeps it open without sharing it; with the path
// of a folder, it makes it its current folder. It runs until it is ended.
#include <windows.h>

#include <string>

#include "win/Handles.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    std::wstring path = commandLine ? commandLine : L"";
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    // A folder is held as a command prompt open in it holds it: as the current folder.
    win::FileHandle held;
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!SetCurrentDirectoryW(path.c_str()))
            return 1;
    } else if (!path.empty()) {
        held.Reset(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!held)
            return 1;
    }
    // A window and a message loop, so that a test can wait for this program to be ready.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"HoldOpen";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
