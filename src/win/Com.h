#pragma once
#include <objbase.h>

#include <utility>

namespace win {

// Owns one reference to a COM interface. Move-only: a copy would hide an AddRef.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        Reset();
        p_ = std::exchange(other.p_, nullptr);
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset() {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    template <typename U> ComPtr<U> As() const {
        ComPtr<U> result;
        if (p_)
            p_->QueryInterface(__uuidof(U), result.PutVoid());
        return result;
    }

private:
    T* p_ = nullptr;
};

// Initialises COM on this thread for the lifetime of the object. Uninitialises only when
// the call succeeded, so a thread already in another apartment is left as it was.
class ComInit {
public:
    ComInit() : hr_(CoInitialize(nullptr)) {}
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    ~ComInit() {
        if (SUCCEEDED(hr_))
            CoUninitialize();
    }
    bool Ok() const { return SUCCEEDED(hr_); }

private:
    HRESULT hr_;
};

} // namespace win
