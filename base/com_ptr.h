#pragma once

// A counted COM interface pointer: copies AddRef, moves transfer, the destructor Releases, so
// every reference it takes is released exactly once.

#include <unknwn.h>

#include <utility>

namespace base {

template <typename T> class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_ != nullptr)
            p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    // Takes over a reference the caller already owns (as from CoCreateInstance).
    static ComPtr Adopt(T* p) {
        ComPtr result;
        result.p_ = p;
        return result;
    }
    // Takes a reference of its own to a borrowed pointer.
    static ComPtr Borrow(T* p) {
        if (p != nullptr)
            p->AddRef();
        return Adopt(p);
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For out-parameters: releases what is held and gives the slot to fill.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    T* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (T* old = std::exchange(p_, nullptr))
            old->Release();
    }

    template <typename U> ComPtr<U> As(REFIID iid) const {
        ComPtr<U> result;
        if (p_ != nullptr)
            p_->QueryInterface(iid, result.put_void());
        return result;
    }

  private:
    T* p_ = nullptr;
};

} // namespace base
