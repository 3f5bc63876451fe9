#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "win/Handles.h"

namespace product {

// Held by the one instance of the program that is changing the Start Menu, for as long as it
// does: processing, an undo, a restore, a deletion of dead shortcuts. The system releases it
// when the holder ends, also when it crashes.
class WriterLock {
public:
    // Takes the lock for the run described (shown to a second instance); empty when another
    // instance holds it, and then busyRun, when given, says which run is going on there.
    static std::optional<WriterLock> Take(const std::wstring& run, std::wstring* busyRun = nullptr);

    WriterLock(WriterLock&& other) noexcept = default;
    WriterLock& operator=(WriterLock&& other) noexcept = default;
    ~WriterLock();

private:
    WriterLock(win::KernelHandle mutex, win::KernelHandle note)
        : mutex_(std::move(mutex)), note_(std::move(note)) {}

    win::KernelHandle mutex_;
    // A small shared block with the holder's run, readable by the other instances.
    win::KernelHandle note_;
};

// Takes the lock for run; when another instance holds it, says so in a message over owner,
// naming the run going on there, and gives nothing: the caller then changes nothing.
std::optional<WriterLock> TakeWriterLockOrTell(HWND owner, const std::wstring& run);

// The runs, as another instance names them ("Another instance ... is <run>").
inline constexpr const wchar_t* kProcessingRun = L"processing the Start Menu";
inline constexpr const wchar_t* kUndoRun = L"undoing a processing run";
inline constexpr const wchar_t* kDeletionRun = L"deleting empty shortcuts";
inline constexpr const wchar_t* kTidyRun = L"sorting the new items of the Start Menu";
inline constexpr const wchar_t* kRecoveryRun = L"looking for a run that did not finish";

} // namespace product
