#include "product/DiskChanges.h"

#include <windows.h>

#include <atomic>
#include <cwchar>

namespace product {
namespace {

long ChangesAllowed() {
    wchar_t text[16] = {};
    const DWORD n = GetEnvironmentVariableW(L"MARLOWEN_END_AFTER_CHANGES", text, 16);
    if (n == 0 || n >= 16)
        return 0;
    const long value = std::wcstol(text, nullptr, 10);
    return value > 0 ? value : 0;
}

} // namespace

void NoteDiskChange() {
    static const long allowed = ChangesAllowed();
    static std::atomic<long> made{0};
    if (allowed > 0 && ++made >= allowed)
        TerminateProcess(GetCurrentProcess(), 99);
}

} // namespace product
