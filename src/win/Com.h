#pragma once
#include <objbase.h>
#include <oleauto.h>

#include <string>

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

// Owns a BSTR, the strings COM automation interfaces take and give.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text)
        : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(s_); }

    BSTR Get() const { return s_; }
    BSTR* Put() {
        SysFreeString(std::exchange(s_, nullptr));
        return &s_;
    }
    std::wstring Text() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

private:
    BSTR s_ = nullptr;
};

// Owns a VARIANT and whatever it holds.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(const std::wstring& text) : Variant() {
        v_.vt = VT_BSTR;
        v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }

    const VARIANT& Get() const { return v_; }
    VARIANT* Put() {
        VariantClear(&v_);
        return &v_;
    }

private:
    VARIANT v_;
};

// Owns memory that a COM call allocated with CoTaskMemAlloc, such as a returned path.
template <typename T> class CoTaskMem {
public:
    CoTaskMem() = default;
    CoTaskMem(const CoTaskMem&) = delete;
    CoTaskMem& operator=(const CoTaskMem&) = delete;
    ~CoTaskMem() { CoTaskMemFree(p_); }

    T* Get() const { return p_; }
    T** Put() {
        CoTaskMemFree(std::exchange(p_, nullptr));
        return &p_;
    }

private:
    T* p_ = nullptr;
};

} // namespace win
