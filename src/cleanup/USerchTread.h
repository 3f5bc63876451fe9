#pragma once
#include <string>
#include <vector>

#include "cleaning/ShortcutCheck.h"
#include "cleaning/ShortcutDeletion.h"
#include "win/Worker.h"

namespace cleanup {

// What a search thread reaches of the window that started it. Every call runs on the GUI
// thread while the thread waits.
class SearchWindow {
public:
    virtual void ShowStatus(const std::wstring& text) = 0;
    // stamp: the file as the listing saw it, before its check.
    virtual void AddFoundShortcut(const std::wstring& path, const cleaning::ShortcutTarget& target,
                                  const cleaning::FileStamp& stamp) = 0;
    // Once per thread, after its search has ended and it has left the lock.
    virtual void SearchThreadDone() = 0;

protected:
    ~SearchWindow() = default;
};

// One folder tree searched for shortcuts whose target is gone, on a thread of its own. The
// threads of one search share one lock and each holds it for its whole search, so they run
// one after another. Sub-folders are searched before a folder's own shortcuts, so the
// deepest are found first; hidden and system sub-folders, junctions and symbolic links are
// not entered, hidden shortcuts are checked. The stop request is looked at before each next
// entry, never in the middle of a check.
//
// To use this class: make one per place; it starts at once. The lock, the window and the
// object must outlive the thread: Terminate it, and join its Worker (with the others of its
// search, WorkerThread::JoinAll) before any of them goes.
class TSerchTread {
public:
    TSerchTread(std::wstring rootFolder, SearchWindow& form, win::CriticalSection& searchLock);
    TSerchTread(const TSerchTread&) = delete;
    TSerchTread& operator=(const TSerchTread&) = delete;

    void Terminate() { worker_.RequestStop(); }
    win::WorkerThread& Worker() { return worker_; }
    const win::WorkerThread& Worker() const { return worker_; }

private:
    void Execute();
    void SearchFolder(const std::wstring& folder);
    void ShowStatus();
    bool IsEmptyShortcut(const std::wstring& path);
    bool Terminated() const { return worker_.StopRequested(); }

    SearchWindow& Form;
    std::wstring RootFolder;
    struct FoundShortcut {
        std::wstring path;
        cleaning::FileStamp stamp;
        cleaning::ShortcutTarget target;
    };
    // Written by the thread, read by the GUI thread only during a call, while the thread waits.
    std::wstring StatusText;
    cleaning::ShortcutTarget FoundTarget; // of the shortcut just checked
    win::CriticalSection& SearchLock;
    bool statusShown_ = false;                     // StatusText has been handed to the window
    ULONGLONG statusTick_ = 0;                     // when the window was last handed a status
    cleaning::ShortcutChecker* checker_ = nullptr; // the thread's own, while it searches
    win::WorkerThread worker_;                     // last: it is joined before the rest goes
};

} // namespace cleanup
