// Another program that holds a file or folder, as an editor, a scanner or a command prompt
// does: started with a path, it keeps it open without sharing it; it also keeps its current
// folder, which its starter chooses. It runs until it is ended.
#include <windows.h>

#include <string>

#include "win/Handles.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    std::wstring path = commandLine ? commandLine : L"";
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    win::FileHandle held;
    if (!path.empty())
        held.Reset(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!path.empty() && !held)
        return 1;
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
