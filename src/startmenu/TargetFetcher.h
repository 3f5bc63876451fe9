#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "startmenu/EntryList.h"
#include "startmenu/SuggestionRules.h"
#include "win/ShellLink.h"
#include "win/Worker.h"

namespace startmenu {

// Reads what shortcuts' targets tell (the target's file name and the FileDescription,
// ProductName and CompanyName of its version resource) on a worker thread, as the icons are
// fetched, and hands each result to the GUI thread. Reading a target can take long (a
// network drive, a large file), so the window never waits for it.
//
// To use this class: make one for a click with the shortcuts to read; arrived runs on the GUI
// thread once a shortcut's evidence is there. Destroying it drops what has not arrived.
class TargetFetcher {
public:
    struct Evidence {
        EntryHandle handle = 0;
        TargetEvidence target;
        bool inWindowsFolder = false;
    };
    using Arrived = std::function<void(const Evidence& evidence)>;

    TargetFetcher(std::vector<std::pair<EntryHandle, std::wstring>> shortcuts, Arrived arrived);
    TargetFetcher(const TargetFetcher&) = delete;
    TargetFetcher& operator=(const TargetFetcher&) = delete;
    ~TargetFetcher();

    // Whether every shortcut has been read and handed over.
    bool Idle() const { return pending_ == 0; }

private:
    void Fetch(win::WorkerThread& worker);

    Arrived arrived_;
    size_t pending_; // GUI thread only
    bool closing_ = false;
    // Given before the worker starts and read only by it.
    std::vector<std::pair<EntryHandle, std::wstring>> shortcuts_;
    win::WorkerThread worker_;
};

// The evidence of one shortcut file, read at once (the worker's step, also for tests).
TargetFetcher::Evidence ReadTargetEvidence(win::ShortcutReader& reader,
                                           const std::wstring& shortcutPath);

} // namespace startmenu
