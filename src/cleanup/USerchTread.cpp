#include "cleanup/USerchTread.h"

#include "base/PathRules.h"
#include "win/FileSystem.h"

namespace cleanup {
namespace {

constexpr DWORD kNotEntered = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

} // namespace

TSerchTread::TSerchTread(std::wstring rootFolder, SearchWindow& form,
                         win::CriticalSection& searchLock)
    : Form(form), RootFolder(std::move(rootFolder)), SearchLock(searchLock) {
    worker_.Start([this](win::WorkerThread&) { Execute(); }, [this] { Form.SearchThreadDone(); });
}

void TSerchTread::Execute() {
    win::Lock hold(SearchLock);
    // COM, the link object and the quiet drive errors once for the whole search.
    cleaning::ShortcutChecker checker;
    checker_ = &checker;
    SearchFolder(RootFolder);
    checker_ = nullptr;
}

// One listing of the folder: its sub-folders are searched first, then its shortcuts are
// checked, in the order of the listing.
void TSerchTread::SearchFolder(const std::wstring& folder) {
    StatusText = folder + L"\\";
    statusShown_ = false;
    ShowStatus();
    std::vector<std::wstring> subFolders;
    std::vector<FoundShortcut> shortcuts;
    win::ForEachFile(folder + L"\\*", [&](const WIN32_FIND_DATAW& data) {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (base::IsShortcutFileName(data.cFileName))
                shortcuts.push_back({std::move(path), cleaning::StampOf(data), {}});
        } else if (!(data.dwFileAttributes & kNotEntered) && !win::IsLinkedDirectory(data)) {
            subFolders.push_back(std::move(path));
        }
    });
    for (const std::wstring& subFolder : subFolders) {
        if (Terminated())
            return;
        SearchFolder(subFolder);
    }
    std::vector<FoundShortcut> found;
    for (FoundShortcut& shortcut : shortcuts) {
        if (Terminated())
            break;
        ShowStatus(); // one held back comes before the next check
        if (IsEmptyShortcut(shortcut.path)) {
            shortcut.target = FoundTarget;
            found.push_back(std::move(shortcut));
        }
    }
    // A folder's finds go to the window in one call: each call is a round trip between the
    // threads that costs as much as checking a shortcut.
    if (!found.empty())
        worker_.Synchronize([&] {
            for (const FoundShortcut& shortcut : found)
                Form.AddFoundShortcut(shortcut.path, shortcut.target, shortcut.stamp);
        });
}

// The window shows the status a few times a second: a folder's name is handed to it when the
// last one was a while ago, or later, before a shortcut of that folder is checked.
void TSerchTread::ShowStatus() {
    constexpr ULONGLONG kStatusInterval = 50; // milliseconds
    ULONGLONG now = GetTickCount64();
    if (statusShown_ || (statusTick_ && now - statusTick_ < kStatusInterval))
        return;
    statusTick_ = now;
    statusShown_ = true;
    worker_.Synchronize([this] { Form.ShowStatus(StatusText); });
}

bool TSerchTread::IsEmptyShortcut(const std::wstring& path) {
    // Each check has COM on its thread; under the search's own initialisation this is a
    // count, not a set-up.
    win::ComInit com;
    FoundTarget = checker_->Check(path);
    return FoundTarget.state != cleaning::TargetState::Present;
}

} // namespace cleanup
