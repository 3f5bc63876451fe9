#include "startmenu/suggestions/TargetFetcher.h"

#include <vector>

#include "base/PathRules.h"
#include "win/FileSystem.h"
#include "win/ShellLink.h"
#include "win/Text.h"

namespace startmenu {
namespace {

// A version resource larger than this is not read: no real one comes near it.
constexpr DWORD kMaxVersionBytes = 1024 * 1024;

std::wstring VersionString(const std::vector<BYTE>& data, const std::wstring& block,
                           const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    std::wstring query = block + name;
    if (!VerQueryValueW(data.data(), query.c_str(), &value, &length) || !value || length == 0)
        return {};
    const wchar_t* text = static_cast<const wchar_t*>(value);
    size_t size = 0;
    while (size < length && text[size])
        ++size;
    return std::wstring(text, size);
}

void ReadVersionResource(const std::wstring& file, TargetEvidence& target) {
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &unused);
    if (size == 0 || size > kMaxVersionBytes)
        return;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data()))
        return;
    // The first language the resource lists, then US English in Unicode, which most use.
    std::vector<std::wstring> blocks;
    struct Translation {
        WORD language, codePage;
    };
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) &&
        length >= sizeof(Translation)) {
        const auto* first = static_cast<const Translation*>(value);
        wchar_t block[64];
        swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", first->language, first->codePage);
        blocks.push_back(block);
    }
    blocks.push_back(L"\\StringFileInfo\\040904b0\\");
    for (const std::wstring& block : blocks) {
        target.fileDescription = VersionString(data, block, L"FileDescription");
        target.productName = VersionString(data, block, L"ProductName");
        target.companyName = VersionString(data, block, L"CompanyName");
        if (!target.fileDescription.empty() || !target.productName.empty() ||
            !target.companyName.empty())
            return;
    }
}

std::wstring WindowsFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    UINT length = GetSystemWindowsDirectoryW(buffer, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? win::LowerFileName(buffer) : std::wstring();
}

} // namespace

bool ReadTargetEvidence(win::ShortcutReader& reader, const std::wstring& shortcutPath,
                        TargetEvidence& target, bool& inWindowsFolder) {
    std::wstring path;
    if (!reader.Read(shortcutPath, path) || path.empty())
        return false;
    target = TargetEvidence{};
    target.fileName = path;
    std::wstring windows = WindowsFolder();
    inWindowsFolder = !windows.empty() && base::IsSameOrInside(win::LowerFileName(path), windows);
    if (!inWindowsFolder && win::IsExistingFile(path))
        ReadVersionResource(path, target);
    return true;
}

TargetFetcher::TargetFetcher(std::vector<Request> requests, Arrived arrived)
    : arrived_(std::move(arrived)), pending_(requests.size()), requests_(std::move(requests)) {
    worker_.Start([this](win::WorkerThread& worker) { Fetch(worker); });
}

TargetFetcher::~TargetFetcher() {
    // Join runs what is queued: none of it may reach a window that is changing or going.
    closing_ = true;
    worker_.RequestStop();
    worker_.Join();
}

void TargetFetcher::Fetch(win::WorkerThread& worker) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    win::QuietDriveErrors quiet; // a target on an empty drive must not ask for a disk
    win::ShortcutReader reader;  // one link object for all, with COM on this thread
    for (const Request& request : requests_) {
        if (worker.StopRequested())
            return;
        auto evidence = std::make_unique<Evidence>();
        evidence->handle = request.handle;
        for (const std::wstring& shortcut : request.shortcuts) {
            TargetEvidence target;
            bool inWindows = false;
            if (ReadTargetEvidence(reader, shortcut, target, inWindows))
                evidence->targets.push_back(std::move(target));
            evidence->inWindowsFolder = evidence->inWindowsFolder || inWindows;
        }
        worker.Post<Evidence>(std::move(evidence), [this](std::unique_ptr<Evidence> e) {
            --pending_;
            if (!closing_)
                arrived_(*e);
        });
    }
}

} // namespace startmenu
