#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "win/Handles.h"

namespace win {

// A critical section, and a guard that holds it for a scope.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

class Lock {
public:
    explicit Lock(CriticalSection& section) : section_(section) { section_.Enter(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    ~Lock() { section_.Leave(); }

private:
    CriticalSection& section_;
};

// A thread that does one job off the GUI thread and reaches the GUI only through this object.
//
// The handshake: the worker calls Synchronize to run a function on the GUI thread and
// waits for it (the GUI's state is only ever touched there), or Post to hand it an owned
// result without waiting. Both are queued here and a message wakes the GUI thread, which
// runs them in order. RequestStop only raises a flag; the job looks at StopRequested
// between steps and returns. Join waits for the end on the GUI thread while it goes on
// running queued calls, so a worker waiting in Synchronize can always finish: no deadlock,
// even when the window that started it is closing. What is still queued when the object
// goes is dropped unrun.
//
// To use this class: make it on the GUI thread, Start it with the job, and let its owner
// Join it (the destructor asks it to stop and joins) before anything the job's calls touch
// is destroyed.
class WorkerThread {
public:
    WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread();

    // onEnd runs on the GUI thread once the job has returned (or thrown).
    void Start(std::function<void(WorkerThread&)> job, std::function<void()> onEnd = {});
    void RequestStop() { stop_ = true; }
    bool StopRequested() const { return stop_; }
    bool Running() const;
    void Join();
    // Joins several at once, serving the calls of each while it waits: workers that wait for
    // one another (a lock one holds while it calls the GUI thread) can all finish.
    static void JoinAll(const std::vector<WorkerThread*>& workers);

    // From the worker.
    void Synchronize(const std::function<void()>& call);
    template <typename Payload>
    void Post(std::unique_ptr<Payload> payload,
              std::function<void(std::unique_ptr<Payload>)> receive) {
        auto shared = std::make_shared<std::unique_ptr<Payload>>(std::move(payload));
        Enqueue([shared, receive] { receive(std::move(*shared)); }, nullptr);
    }

private:
    struct Call {
        std::function<void()> run;
        HANDLE done; // set after running, when the worker waits for it
    };
    void Enqueue(std::function<void()> run, HANDLE done);
    void RunQueued();
    static DWORD WINAPI ThreadMain(void* self);
    static LRESULT CALLBACK WakeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND wake_ = nullptr; // a message-only window of the GUI thread
    KernelHandle thread_, queued_, callDone_;
    std::atomic<bool> stop_{false};
    CriticalSection lock_;
    std::deque<Call> calls_;
    std::function<void(WorkerThread&)> job_;
    std::function<void()> onEnd_;
};

} // namespace win
