#include "product/WriterLock.h"

#include <algorithm>

#include "win/Application.h"
#include "win/UserPrompt.h"

namespace product {
namespace {

// Global, so that an instance in another session (another user, the scheduled tidy-up at
// logon) is held off as well; where the system refuses that namespace, the session's own.
constexpr const wchar_t* kMutexNames[] = {L"Global\\Marlowen.StartMenuWriter",
                                          L"Local\\Marlowen.StartMenuWriter"};
constexpr const wchar_t* kNoteNames[] = {L"Global\\Marlowen.StartMenuWriterRun",
                                         L"Local\\Marlowen.StartMenuWriterRun"};
constexpr size_t kNoteChars = 512;

win::KernelHandle OpenMutex() {
    for (const wchar_t* name : kMutexNames)
        if (HANDLE h = CreateMutexW(nullptr, FALSE, name))
            return win::KernelHandle(h);
    return {};
}

win::KernelHandle OpenNote() {
    for (const wchar_t* name : kNoteNames)
        if (HANDLE h = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          kNoteChars * sizeof(wchar_t), name))
            return win::KernelHandle(h);
    return {};
}

// The view is mapped only for the moment of reading or writing.
void WriteNote(HANDLE note, const std::wstring& run) {
    if (!note)
        return;
    auto* text = static_cast<wchar_t*>(MapViewOfFile(note, FILE_MAP_WRITE, 0, 0, 0));
    if (!text)
        return;
    const size_t n = std::min(run.size(), kNoteChars - 1);
    std::copy_n(run.data(), n, text);
    text[n] = L'\0';
    UnmapViewOfFile(text);
}

std::wstring ReadNote(HANDLE note) {
    if (!note)
        return {};
    const auto* text = static_cast<const wchar_t*>(MapViewOfFile(note, FILE_MAP_READ, 0, 0, 0));
    if (!text)
        return {};
    std::wstring run(text, std::find(text, text + kNoteChars, L'\0'));
    UnmapViewOfFile(text);
    return run;
}

} // namespace

std::optional<WriterLock> WriterLock::Take(const std::wstring& run, std::wstring* busyRun) {
    win::KernelHandle mutex = OpenMutex();
    win::KernelHandle note = OpenNote();
    // Without a mutex nothing can be shared either: the run goes on as it always did.
    if (mutex) {
        const DWORD wait = WaitForSingleObject(mutex.Get(), 0);
        // An abandoned lock: its holder ended mid-run; the journals say what it left.
        if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
            if (busyRun)
                *busyRun = ReadNote(note.Get());
            return std::nullopt;
        }
    }
    WriteNote(note.Get(), run);
    return WriterLock(std::move(mutex), std::move(note));
}

WriterLock::~WriterLock() {
    if (!mutex_)
        return;
    WriteNote(note_.Get(), L"");
    ReleaseMutex(mutex_.Get());
}

std::optional<WriterLock> TakeWriterLockOrTell(HWND owner, const std::wstring& run) {
    std::wstring busyRun;
    std::optional<WriterLock> lock = WriterLock::Take(run, &busyRun);
    if (!lock) {
        const std::wstring& title = win::Application::Title();
        std::wstring text = L"Another instance of " + title + L" is changing the Start Menu now";
        text += busyRun.empty() ? L"." : L": it is " + busyRun + L".";
        win::Prompt().Message(owner,
                              text + L" Nothing has been changed. Try again when it has finished.",
                              title, MB_OK | MB_ICONINFORMATION);
    }
    return lock;
}

} // namespace product
