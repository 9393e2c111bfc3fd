#include "app/color_button.h"

#include <base/owners.h>

#include <commctrl.h>

#include <string>

namespace app {

namespace {
const UINT_PTR kSubclassId = 1;
}

ColorButton::~ColorButton() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, &ColorButton::Subclass, kSubclassId);
        DestroyWindow(hwnd_);
    }
}

bool ColorButton::Create(const ColorButtonArgs& args) {
    font_ = args.font;
    normal_ = args.normal;
    hover_ = args.hover;
    focus_ = args.focus;
    WindowArgs w = args.window;
    w.className = "BUTTON";
    w.style |= BS_OWNERDRAW;
    hwnd_ = CreateChild(w);
    if (hwnd_ == nullptr)
        return false;
    SetWindowSubclass(hwnd_, &ColorButton::Subclass, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    if (font_ != nullptr)
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return true;
}

void ColorButton::SetCaption(const char* caption) {
    SetWindowTextA(hwnd_, caption);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ColorButton::SetHoverBackground(COLORREF colour) {
    hover_.background = colour;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

ColorButton* ColorButton::FromHandle(HWND window) {
    DWORD_PTR self = 0;
    if (!GetWindowSubclass(window, &ColorButton::Subclass, kSubclassId, &self))
        return nullptr;
    return reinterpret_cast<ColorButton*>(self);
}

ColourPair ColorButton::PairFor(UINT itemState) const {
    if (hovered_ || (itemState & ODS_SELECTED))
        return hover_;
    if (itemState & ODS_FOCUS)
        return focus_;
    return normal_;
}

void ColorButton::Draw(const DRAWITEMSTRUCT& item) const {
    const ColourPair pair = PairFor(item.itemState);
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    base::UniqueBrush brush(CreateSolidBrush(pair.background));
    FillRect(dc, &area, brush.get());

    const std::string caption = WindowText(hwnd_);
    base::SelectedObject selected(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, pair.text);

    // Measure with word wrap, then centre the measured block in the button.
    RECT measured = area;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    const int textHeight = measured.bottom - measured.top;
    RECT text = area;
    text.top = area.top + (area.bottom - area.top - textHeight) / 2;
    text.bottom = text.top + textHeight;
    if (item.itemState & ODS_SELECTED)
        OffsetRect(&text, 0, 2);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_WORDBREAK);
}

void ColorButton::SetHovered(bool hovered) {
    if (hovered_ == hovered)
        return;
    hovered_ = hovered;
    if (hovered) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd_;
        TrackMouseEvent(&track);
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK ColorButton::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    auto* button = reinterpret_cast<ColorButton*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &ColorButton::Subclass, kSubclassId);
        button->hwnd_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return button->HandleMessage(message, wParam, lParam);
}

LRESULT ColorButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        // While pressed the button holds the capture, so moves outside arrive here too.
        SetHovered(PtInRect(&client, p) != FALSE);
        break;
    }
    case WM_MOUSELEAVE:
        SetHovered(false);
        break;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button reports a double click as such; a push button treats the second
        // press as another press, and so does this one.
        return DefSubclassProc(hwnd_, WM_LBUTTONDOWN, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    default:
        break;
    }
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

} // namespace app
