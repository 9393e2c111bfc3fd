#pragma once

// Tiny owners for Win32 resources: each releases what it holds exactly once, can be moved but
// not copied, and hands the raw value out with get() for the calls that only borrow it.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <utility>

namespace base {

// Owner of a value with a release function; Traits supply the empty value and the release.
template <typename Traits> class Owner {
  public:
    using Value = typename Traits::Value;

    Owner() = default;
    explicit Owner(Value value) : value_(value) {}
    ~Owner() { reset(); }
    Owner(Owner&& other) noexcept : value_(other.release()) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    Value get() const { return value_; }
    explicit operator bool() const { return Traits::valid(value_); }
    Value release() { return std::exchange(value_, Traits::empty()); }
    void reset(Value value = Traits::empty()) {
        Value old = std::exchange(value_, value);
        if (Traits::valid(old))
            Traits::close(old);
    }

  private:
    Value value_ = Traits::empty();
};

struct HandleTraits {
    using Value = HANDLE;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr && v != INVALID_HANDLE_VALUE; }
    static void close(Value v) { CloseHandle(v); }
};
using UniqueHandle = Owner<HandleTraits>;

struct FindTraits {
    using Value = HANDLE;
    static Value empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(Value v) { return v != INVALID_HANDLE_VALUE; }
    static void close(Value v) { FindClose(v); }
};
using UniqueFind = Owner<FindTraits>;

template <typename T> struct GdiTraits {
    using Value = T;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr; }
    static void close(Value v) { DeleteObject(v); }
};
using UniqueFont = Owner<GdiTraits<HFONT>>;
using UniqueBrush = Owner<GdiTraits<HBRUSH>>;
using UniquePen = Owner<GdiTraits<HPEN>>;
using UniqueBitmap = Owner<GdiTraits<HBITMAP>>;

struct IconTraits {
    using Value = HICON;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr; }
    static void close(Value v) { DestroyIcon(v); }
};
using UniqueIcon = Owner<IconTraits>;

struct MenuTraits {
    using Value = HMENU;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr; }
    static void close(Value v) { DestroyMenu(v); }
};
using UniqueMenu = Owner<MenuTraits>;

struct ImageListTraits {
    using Value = HIMAGELIST;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr; }
    static void close(Value v) { ImageList_Destroy(v); }
};
using UniqueImageList = Owner<ImageListTraits>;

struct PidlTraits {
    using Value = LPITEMIDLIST;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr; }
    static void close(Value v) { CoTaskMemFree(v); }
};
using UniquePidl = Owner<PidlTraits>;

struct WindowTraits {
    using Value = HWND;
    static Value empty() { return nullptr; }
    static bool valid(Value v) { return v != nullptr; }
    static void close(Value v) {
        if (IsWindow(v))
            DestroyWindow(v);
    }
};
using UniqueWindow = Owner<WindowTraits>;

// Selects a GDI object into a DC for one scope and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
    ~PaintDc() { EndPaint(window_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC / ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// CreateCompatibleDC / DeleteDC.
class MemoryDc {
  public:
    explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

} // namespace base
