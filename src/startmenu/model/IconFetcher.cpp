#include "startmenu/model/IconFetcher.h"

#include "startmenu/model/ItemIcon.h"
#include "win/Com.h"
#include "win/FileSystem.h"
#include "win/Handles.h"

namespace startmenu {

// One fetched icon on its way to the GUI thread; destroyed with it when it is not taken.
struct IconFetcher::Result {
    std::wstring path;
    win::IconHandle icon;
};

IconFetcher::IconFetcher(HIMAGELIST images, Arrived arrived)
    : images_(images), arrived_(std::move(arrived)),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      goOn_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {
    worker_.Start([this](win::WorkerThread& worker) { Fetch(worker); });
}

IconFetcher::~IconFetcher() {
    // What is on its way is dropped; only the request in the shell is waited for.
    closing_ = true;
    worker_.RequestStop();
    SetEvent(wake_.Get());
    SetEvent(goOn_.Get());
    worker_.Join();
}

int IconFetcher::ImageFor(const std::wstring& path, bool isFolder) {
    int placeholder = isFolder ? kFolderImage : kDocumentImage;
    auto known = imagesByPath_.find(path);
    if (known != imagesByPath_.end())
        return known->second >= 0 ? known->second : placeholder;
    imagesByPath_[path] = -1;
    ++pending_;
    bool wasEmpty;
    {
        win::Lock hold(lock_);
        wasEmpty = queue_.empty();
        queue_.push_back(path);
    }
    // One wake for a whole fill: each is a call into the system.
    if (wasEmpty)
        SetEvent(wake_.Get());
    return placeholder;
}

bool IconFetcher::Idle() const {
    return pending_ == 0;
}

void IconFetcher::HoldBack() {
    ResetEvent(goOn_.Get());
}

void IconFetcher::GoOn() {
    SetEvent(goOn_.Get());
}

void IconFetcher::Fetch(win::WorkerThread& worker) {
    win::ComInit com; // the shell's icon service wants COM on the calling thread
    // Pictures can wait; the window the user is working in cannot.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    // A shortcut to an empty drive makes the shell look at the drive for its icon.
    win::QuietDriveErrors quiet;
    while (!worker.StopRequested()) {
        WaitForSingleObject(goOn_.Get(), INFINITE);
        std::wstring path;
        {
            win::Lock hold(lock_);
            if (!queue_.empty()) {
                path = std::move(queue_.front());
                queue_.pop_front();
            }
        }
        if (path.empty()) {
            WaitForSingleObject(wake_.Get(), INFINITE);
            continue;
        }
        auto result = std::make_unique<Result>();
        result->icon.Reset(GetItemIcon(path));
        result->path = std::move(path);
        worker.Post<Result>(std::move(result),
                            [this](std::unique_ptr<Result> r) { Receive(std::move(r)); });
    }
}

void IconFetcher::Receive(std::unique_ptr<Result> result) {
    ++fetched_;
    --pending_;
    if (closing_)
        return;
    int image = -1;
    if (result->icon)
        image = ImageList_AddIcon(images_, result->icon.Get());
    // A path whose icon cannot be had keeps its placeholder and is not asked for again.
    imagesByPath_[result->path] = image >= 0 ? image : -2;
    if (image >= 0)
        arrived_(result->path, image);
}

} // namespace startmenu
