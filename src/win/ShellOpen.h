#pragma once
#include <windows.h>

#include <string>

namespace win {

// Every document, address and file the program hands to the shell goes through here, so
// that tests can see what would be opened without starting a browser or a mail program.
class Shell {
public:
    virtual ~Shell() = default;
    // As ShellExecuteW with no parameters and no working directory; verb null means the
    // default verb. The shell reports its own failures, so there is no result.
    virtual void Open(HWND owner, const wchar_t* verb, const std::wstring& file, int show) = 0;
    // Starts a program with parameters, as ShellExecuteW with the verb "open".
    virtual void Run(HWND owner, const std::wstring& program, const std::wstring& parameters,
                     int show) = 0;
};

Shell& TheShell();

// Replaces the shell for the lifetime of the object (tests only).
class ScopedShell {
public:
    explicit ScopedShell(Shell& replacement);
    ScopedShell(const ScopedShell&) = delete;
    ScopedShell& operator=(const ScopedShell&) = delete;
    ~ScopedShell();

private:
    Shell* previous_;
};

} // namespace win
