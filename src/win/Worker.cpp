#include "win/Worker.h"

#include "win/Errors.h"
#include "win/UserPrompt.h"

namespace win {
namespace {

constexpr wchar_t kWakeClass[] = L"MarlowenWorkerWake";
constexpr UINT kWake = WM_APP + 1;

} // namespace

WorkerThread::WorkerThread()
    : queued_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      callDone_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), kWakeClass, &wc)) {
        wc.lpfnWndProc = WakeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kWakeClass;
        RegisterClassExW(&wc);
    }
    wake_ = CreateWindowExW(0, kWakeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!wake_ || !queued_ || !callDone_)
        ThrowSystemError(GetLastError());
    SetWindowLongPtrW(wake_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WorkerThread::~WorkerThread() {
    RequestStop();
    Join();
    DestroyWindow(wake_);
}

void WorkerThread::Start(std::function<void(WorkerThread&)> job, std::function<void()> onEnd) {
    job_ = std::move(job);
    onEnd_ = std::move(onEnd);
    stop_ = false;
    thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
    if (!thread_)
        ThrowSystemError(GetLastError());
}

bool WorkerThread::Running() const {
    return thread_ && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

void WorkerThread::Join() {
    JoinAll({this});
}

void WorkerThread::JoinAll(const std::vector<WorkerThread*>& workers) {
    for (;;) {
        std::vector<HANDLE> waits;
        std::vector<WorkerThread*> owners;
        for (WorkerThread* worker : workers)
            if (worker && worker->thread_) {
                waits.insert(waits.end(), {worker->thread_.Get(), worker->queued_.Get()});
                owners.insert(owners.end(), {worker, worker});
            }
        if (waits.empty())
            return;
        DWORD got =
            WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
        if (got >= WAIT_OBJECT_0 + waits.size())
            return;
        size_t index = got - WAIT_OBJECT_0;
        WorkerThread& worker = *owners[index];
        if (index % 2 == 0)
            worker.thread_.Reset();
        worker.RunQueued(); // after the end: what the job posted last, and its end
    }
}

void WorkerThread::Synchronize(const std::function<void()>& call) {
    Enqueue(call, callDone_.Get());
    WaitForSingleObject(callDone_.Get(), INFINITE);
}

void WorkerThread::Enqueue(std::function<void()> run, HANDLE done) {
    {
        Lock hold(lock_);
        calls_.push_back({std::move(run), done});
    }
    SetEvent(queued_.Get());
    PostMessageW(wake_, kWake, 0, 0);
}

void WorkerThread::RunQueued() {
    for (;;) {
        Call call;
        {
            Lock hold(lock_);
            if (calls_.empty())
                return;
            call = std::move(calls_.front());
            calls_.pop_front();
        }
        // The worker must be released even when the call fails.
        struct Release {
            HANDLE done;
            ~Release() {
                if (done)
                    SetEvent(done);
            }
        } release{call.done};
        try {
            call.run();
        } catch (...) {
            ShowCurrentError(nullptr);
        }
    }
}

DWORD WINAPI WorkerThread::ThreadMain(void* self) {
    auto& worker = *static_cast<WorkerThread*>(self);
    try {
        worker.job_(worker);
    } catch (...) {
        // A job reports its own failures through its calls; nothing may escape the thread.
    }
    if (worker.onEnd_)
        worker.Enqueue(worker.onEnd_, nullptr);
    return 0;
}

LRESULT CALLBACK WorkerThread::WakeProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kWake) {
        if (auto* worker =
                reinterpret_cast<WorkerThread*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            worker->RunQueued();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace win
