#pragma once
#include <windows.h>
#include <shlobj.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "startmenu/FolderLocations.h"
#include "win/Handles.h"
#include "win/UserPrompt.h"

namespace testing_support {

// A new, empty folder under the prefix's temp folder, deleted with everything in it when
// the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& label = L"t");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

void MakeDir(const std::wstring& path);
void MakeFile(const std::wstring& path, const std::string& content = "x");
bool Exists(const std::wstring& path);
// A window's caption or a control's text.
std::wstring WindowText(HWND window);
// Names of a folder's entries, sorted, "." and ".." left out.
std::vector<std::wstring> ListNames(const std::wstring& folder);

// Shortcuts saved by the shell's own link object.
void MakeShortcut(const std::wstring& linkPath, const std::wstring& target);
// A shortcut whose target file existed when it was made and is gone now.
void MakeDeadShortcut(const std::wstring& linkPath, const std::wstring& vanishedTarget);
// A shortcut to a shell object (My Computer): it has no file-system target.
void MakeShellObjectShortcut(const std::wstring& linkPath);

// The folder locations a test sets; everything else is empty.
class TestFolderSource : public startmenu::FolderSource {
public:
    std::wstring ExecutableDir() const override { return appDir; }
    std::wstring ShellFolder(int csidl) const override;

    std::wstring appDir;
    std::wstring commonPrograms, userPrograms, commonStartup, userStartup;
};

// Answers every message box from a script and keeps what was shown.
class ScriptedPrompt : public win::UserPrompt {
public:
    struct Shown {
        std::wstring text, caption;
        UINT type;
    };
    int Message(HWND owner, const std::wstring& text, const std::wstring& caption,
                UINT type) override;

    std::deque<int> answers; // IDOK when empty
    std::vector<Shown> shown;
    std::function<void()> whileShown; // what happens while a message is up
};

// Removes the program's settings key before and after a test.
class CleanSettings {
public:
    CleanSettings();
    CleanSettings(const CleanSettings&) = delete;
    CleanSettings& operator=(const CleanSettings&) = delete;
    ~CleanSettings();
    static bool KeyExists();
};

// Path of a built program beside the test executable.
std::wstring BesideTests(const std::wstring& fileName);

// Runs a program with arguments in C:\, waits for it, returns its exit code.
DWORD RunProgram(const std::wstring& exe, const std::wstring& arguments);

// marlowen.exe started with arguments in C:\ and left running.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& arguments);
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    bool Started() const { return started_; }
    // A visible top-level window of the program, waiting for it up to 20 s; null when none
    // came.
    HWND WaitForWindow(const wchar_t* className);
    HWND WaitForMainWindow() { return WaitForWindow(L"TMainForm"); }
    // The exit code, or ~0 when the program does not end within the time (it is then ended).
    DWORD WaitForExit(DWORD milliseconds = 30000);

private:
    bool started_ = false;
    win::KernelHandle process_;
    DWORD processId_ = 0;
};

} // namespace testing_support
