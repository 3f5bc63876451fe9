#pragma once
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "win/Worker.h"

namespace startmenu {

// Gives the program list and the category tree their items' icons without making the user
// wait: an item shows a placeholder at once, its own icon is fetched by a worker thread, in
// the order asked for, and added to the image list on the GUI thread when it comes. Each
// path is fetched at most once in the fetcher's life, which is one scan.
//
// To use this class: make one per scan over the scan's image list, whose pictures 0 and 1
// are the document and folder placeholders; ask ImageFor when an item is shown; arrived
// tells the GUI that a path's picture is there. Destroy it before the image list.
class IconFetcher {
public:
    static constexpr int kDocumentImage = 0, kFolderImage = 1;
    using Arrived = std::function<void(const std::wstring& path, int image)>;

    IconFetcher(HIMAGELIST images, Arrived arrived);
    IconFetcher(const IconFetcher&) = delete;
    IconFetcher& operator=(const IconFetcher&) = delete;
    ~IconFetcher();

    // The picture path shows now, and a request for its own when it has none yet.
    int ImageFor(const std::wstring& path, bool isFolder);
    // How many paths have been handed to the shell (tests).
    int Fetched() const { return fetched_; }
    bool Idle() const;
    // While the GUI thread has a new list to draw, the worker starts no new request: on a
    // machine of two cores the shell's work would halve the speed of the drawing.
    void HoldBack();
    void GoOn();

private:
    struct Result;
    void Fetch(win::WorkerThread& worker);
    void Receive(std::unique_ptr<Result> result);

    HIMAGELIST images_;
    Arrived arrived_;
    // GUI thread only.
    std::unordered_map<std::wstring, int> imagesByPath_; // -1: asked for; -2: none to be had
    int pending_ = 0;
    int fetched_ = 0;
    bool closing_ = false;
    // Shared with the worker, behind lock_.
    win::CriticalSection lock_;
    std::deque<std::wstring> queue_;
    win::KernelHandle wake_;
    win::KernelHandle goOn_; // set while the worker may take the next path
    win::WorkerThread worker_;
};

} // namespace startmenu
