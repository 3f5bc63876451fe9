// Keeps what every test process of a prefix needs running for the whole test run, and checks
// that a COM start in the prefix is quick.
//
// To use this program: "prefix_keeper.exe keep" starts the COM service and the desktop and
// then waits until the wineserver ends it, so that no test pays for starting them again;
// "prefix_keeper.exe probe" times one COM start in a new process and fails when it is slow.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr DWORD kSlowComStartMs = 2000;

// A first COM start: the apartment, the running object table (which needs RpcSs) and the
// shell's link object, as the program's first COM calls do.
bool StartCom() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return false;
    IRunningObjectTable* table = nullptr;
    if (SUCCEEDED(GetRunningObjectTable(0, &table)))
        table->Release();
    IShellLinkW* link = nullptr;
    bool made = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link)));
    if (link)
        link->Release();
    return made;
}

int Keep() {
    StartCom();
    // A window of this process's own makes the desktop start and keeps it.
    CreateWindowExW(0, L"STATIC", L"prefix keeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}

int Probe() {
    DWORD start = GetTickCount();
    bool started = StartCom();
    DWORD elapsed = GetTickCount() - start;
    if (!started) {
        std::printf("COM could not be started in the test prefix.\n");
        return 1;
    }
    if (elapsed > kSlowComStartMs) {
        std::printf("A COM start in the test prefix took %lu ms (more than %lu): every test would "
                    "wait as long. Is a second service manager running in it?\n",
                    elapsed, kSlowComStartMs);
        return 1;
    }
    std::printf("A COM start in the test prefix took %lu ms.\n", elapsed);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wcscmp(argv[1], L"keep") == 0)
        return Keep();
    if (argc == 2 && std::wcscmp(argv[1], L"probe") == 0)
        return Probe();
    std::printf("usage: prefix_keeper.exe keep|probe\n");
    return 2;
}
