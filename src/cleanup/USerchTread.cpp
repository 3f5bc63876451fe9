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
    ShortcutChecker checker;
    checker_ = &checker;
    SearchFolder(RootFolder);
    checker_ = nullptr;
}

void TSerchTread::SearchFolder(const std::wstring& folder) {
    StatusText = folder + L"\\";
    worker_.Synchronize([this] { Form.ShowStatus(StatusText); });
    auto terminated = [this] { return Terminated(); };
    std::vector<FoundShortcut> found;
    win::ForEachFile(
        folder + L"\\*",
        [&](const WIN32_FIND_DATAW& data) {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(data.dwFileAttributes & kNotEntered) && !win::IsLinkedDirectory(data))
                SearchFolder(folder + L"\\" + data.cFileName);
        },
        terminated);
    win::ForEachFile(
        folder + L"\\*.lnk",
        [&](const WIN32_FIND_DATAW& data) {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
                !base::IsShortcutFileName(data.cFileName))
                return;
            std::wstring path = folder + L"\\" + data.cFileName;
            if (IsEmptyShortcut(path))
                found.push_back({std::move(path), FoundTarget});
        },
        terminated);
    // A folder's finds go to the window in one call: each call is a round trip between the
    // threads that costs as much as checking a shortcut.
    if (!found.empty())
        worker_.Synchronize([&] {
            for (const FoundShortcut& shortcut : found)
                Form.AddFoundShortcut(shortcut.path, shortcut.target);
        });
}

bool TSerchTread::IsEmptyShortcut(const std::wstring& path) {
    // Each check has COM on its thread; under the search's own initialisation this is a
    // count, not a set-up.
    win::ComInit com;
    FoundTarget = checker_->Check(path);
    return FoundTarget.state != TargetState::Present;
}

} // namespace cleanup
