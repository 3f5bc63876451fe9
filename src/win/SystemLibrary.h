#pragma once
#include <windows.h>

#include <string>

#include "win/Handles.h"

namespace win {

// From here on the process loads libraries only from the system folder: the program runs
// with administrator rights, and the folder it was downloaded to is anyone's to write.
void RestrictLibrarySearch();

// A library of the system folder, bound at run time and freed when the object goes.
//
// To use this class: construct it where the library is first needed, then ask for each
// function by name with the function's pointer type; a null answer means the library or
// the function is missing on this system.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* fileName);

    bool Loaded() const { return static_cast<bool>(module_); }
    template <typename Function> Function Find(const char* name) const {
        return module_ ? reinterpret_cast<Function>(
                             reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)))
                       : nullptr;
    }

private:
    ModuleHandle module_;
};

// A function of a system library the process has loaded already (kernel32, ntdll), looked up
// by name because not every Windows version has it; null where it is missing.
template <typename Function> Function LoadedFunction(const wchar_t* module, const char* name) {
    HMODULE loaded = GetModuleHandleW(module);
    return loaded
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
               : nullptr;
}

// The full path of a file in the system folder (System32, or SysWOW64 for this 32-bit
// program on 64-bit Windows).
std::wstring SystemFolderFile(const wchar_t* fileName);
// The full path of a file in the Windows folder itself, as the system has it for every user.
std::wstring WindowsFolderFile(const wchar_t* fileName);

} // namespace win
