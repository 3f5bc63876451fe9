#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "startmenu/model/EntryList.h"
#include "startmenu/suggestions/SuggestionRules.h"
#include "win/ShellLink.h"
#include "win/Worker.h"

namespace startmenu {

// Reads what shortcuts' targets tell (the target's file name and the FileDescription,
// ProductName and CompanyName of its version resource) on a worker thread, as the icons are
// fetched, and hands each item's result to the GUI thread. Reading a target can take long (a
// network drive, a large file), so the window never waits for it.
//
// To use this class: make one for a click with the items to read, each with its shortcuts (a
// shortcut itself, or the programs inside a folder); arrived runs on the GUI thread once an
// item's evidence is there. Destroying it drops what has not arrived.
class TargetFetcher {
public:
    struct Request {
        EntryHandle handle = 0;
        std::vector<std::wstring> shortcuts;
    };
    struct Evidence {
        EntryHandle handle = 0;
        std::vector<TargetEvidence> targets; // of the shortcuts that could be read
        bool inWindowsFolder = false;        // one of them starts a program of Windows
    };
    using Arrived = std::function<void(const Evidence& evidence)>;

    TargetFetcher(std::vector<Request> requests, Arrived arrived);
    TargetFetcher(const TargetFetcher&) = delete;
    TargetFetcher& operator=(const TargetFetcher&) = delete;
    ~TargetFetcher();

    // Whether every item has been read and handed over.
    bool Idle() const { return pending_ == 0; }

private:
    void Fetch(win::WorkerThread& worker);

    Arrived arrived_;
    size_t pending_; // GUI thread only
    bool closing_ = false;
    // Given before the worker starts and read only by it.
    std::vector<Request> requests_;
    win::WorkerThread worker_;
};

// What one shortcut file's target tells, read at once (the worker's step); false when the
// shortcut cannot be read or has no file target.
bool ReadTargetEvidence(win::ShortcutReader& reader, const std::wstring& shortcutPath,
                        TargetEvidence& target, bool& inWindowsFolder);

} // namespace startmenu
