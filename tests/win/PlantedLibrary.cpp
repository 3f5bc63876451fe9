// A stand-in for the System Restore client and for Simple MAPI, planted where a downloaded
// program lies. If it is ever loaded it leaves a mark beside itself; it grants every restore
// point, so a run that uses it asks no question, and answers every mail with a code of its
// own.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) BOOL WINAPI SRSetRestorePointA(void*, void*) {
    return TRUE;
}

extern "C" __declspec(dllexport) ULONG WINAPI
    MAPISendMail(ULONG_PTR, ULONG_PTR, void*, ULONG, ULONG) {
    return 4242;
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
