#pragma once
#include <windows.h>
#include <shlobj.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "startmenu/model/FolderLocations.h"
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

// The file helpers take every name as spelled, also one Win32 would change ("x.", "CON.lnk").
void MakeDir(const std::wstring& path);
// Deletes a file, or a folder with everything in it.
void RemoveTree(const std::wstring& path);
// Two levels of folders of 120 characters each below under, made; returns the deeper one.
std::wstring DeepFolder(const std::wstring& under);
// "<folder>\<fill...>.xml", length characters in all.
std::wstring LayoutPathOfLength(const std::wstring& folder, size_t length, wchar_t fill);
void MakeFile(const std::wstring& path, const std::string& content = "x");
bool Exists(const std::wstring& path);
// A file's bytes; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);
// A window's caption or a control's text.
std::wstring WindowText(HWND window);
// Names of a folder's entries, sorted, "." and ".." left out.
std::vector<std::wstring> ListNames(const std::wstring& folder);

// Shortcuts saved by the shell's own link object.
void MakeShortcut(const std::wstring& linkPath, const std::wstring& target);
// A shortcut whose target file existed when it was made and is gone now.
void MakeDeadShortcut(const std::wstring& linkPath, const std::wstring& vanishedTarget);
// A shortcut as a 64-bit installer saves one: the target's path (ASCII) and the same path
// written with environment variables, which a 32-bit program reads in its own view.
void MakeInstallerShortcut(const std::wstring& linkPath, const std::string& target,
                           const std::wstring& expandable);
// A shortcut to a shell object (My Computer): it has no file-system target.
void MakeShellObjectShortcut(const std::wstring& linkPath);

// The folder locations a test sets; everything else is empty.
class TestFolderSource : public startmenu::FolderSource {
public:
    std::wstring ExecutableDir() const override { return appDir; }
    std::wstring ShellFolder(int csidl) const override;

    std::wstring appDir;
    std::wstring commonPrograms, userPrograms, commonStartup, userStartup, desktop, appData;
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
    bool ChooseFile(HWND owner, const win::FileRequest& request, std::wstring& path) override;

    std::deque<int> answers;        // IDOK when empty
    std::deque<std::wstring> files; // the files chosen, in turn; cancelled when empty
    std::vector<win::FileRequest> fileRequests;
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

// The test prefix's own folder of a CSIDL, as the program finds it; empty when there is none.
std::wstring PrefixFolder(int csidl);

// Runs a program with arguments in C:\, waits for it, returns its exit code.
DWORD RunProgram(const std::wstring& exe, const std::wstring& arguments);

// marlowen.exe (or a copy of it) started with arguments in C:\ (or another current folder)
// and left running.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& arguments,
                            const std::wstring& exe = BesideTests(L"marlowen.exe"),
                            const std::wstring& currentFolder = L"C:\\");
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    // A program still running when its test fails is ended, so the run does not hang.
    ~RunningProgram();
    bool Started() const { return started_; }
    // A visible top-level window of the program, waiting for it up to 20 s; null when none
    // came. With other, a window other than that one.
    HWND WaitForWindow(const wchar_t* className, HWND other = nullptr);
    HWND WaitForMainWindow() { return WaitForWindow(L"TMainForm"); }
    // Waits until done holds, looking again each time the program's GUI thread comes back to
    // its message loop, and when it ends; false when it does not within the time.
    bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = 20000);
    // The exit code, or ~0 when the program does not end within the time (it is then ended).
    DWORD WaitForExit(DWORD milliseconds = 30000);
    // Presses a button of one of the program's message boxes and returns once the box has
    // taken it. A box that is not the active window may drop a BM_CLICK, so the box is given
    // the button's command itself.
    static void Answer(HWND box, int button);

private:
    bool started_ = false;
    win::KernelHandle process_;
    DWORD processId_ = 0;
};

// A shortcut at the top of the prefix's own all-users Programs folder, named to be listed
// first; removed with the Office folder that processing puts it in.
class FirstProgramsShortcut {
public:
    explicit FirstProgramsShortcut(const std::wstring& name);
    FirstProgramsShortcut(const FirstProgramsShortcut&) = delete;
    FirstProgramsShortcut& operator=(const FirstProgramsShortcut&) = delete;
    ~FirstProgramsShortcut();
    const std::wstring& Path() const { return path_; }
    std::wstring SortedPath() const; // where processing puts it in "Office"

private:
    TempFolder target_;
    std::wstring programs_, name_, path_;
};

// In the running program's main window, as a user does it: Next to the Office page, Space
// on the first item, Finish to the last page, then a click on Start Processing. Under Wine
// the restore service refuses, so the question comes; returns it (null when none came).
HWND TickFirstAndStartProcessing(RunningProgram& program, HWND window);

} // namespace testing_support
