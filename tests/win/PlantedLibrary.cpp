// A stand-in for the System Restore client, planted where a downloaded program lies. If it
// is ever loaded it leaves a mark beside itself, and it grants every restore point, so a run
// that uses it asks no question.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) BOOL WINAPI SRSetRestorePointA(void*, void*) {
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
        std::wstring mark = std::wstring(path, length) + L".loaded";
        HANDLE file =
            CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    return TRUE;
}
