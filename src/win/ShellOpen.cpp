#include "win/ShellOpen.h"

#include <shellapi.h>

namespace win {
namespace {

class SystemShell : public Shell {
public:
    void Open(HWND owner, const wchar_t* verb, const std::wstring& file, int show) override {
        ShellExecuteW(owner, verb, file.c_str(), nullptr, nullptr, show);
    }
    void Run(HWND owner, const std::wstring& program, const std::wstring& parameters,
             int show) override {
        ShellExecuteW(owner, L"open", program.c_str(), parameters.c_str(), nullptr, show);
    }
};

SystemShell systemShell;
Shell* current = &systemShell;

} // namespace

Shell& TheShell() {
    return *current;
}

ScopedShell::ScopedShell(Shell& replacement) : previous_(current) {
    current = &replacement;
}

ScopedShell::~ScopedShell() {
    current = previous_;
}

} // namespace win
