#include "app/link_label.h"

#include <base/owners.h>

#include <string>

namespace app {

namespace {
const char kClassName[] = "QuorvelLinkLabel";
}

bool LinkLabel::Create(const LinkLabelArgs& args) {
    font_ = args.font;
    normal_ = args.normal;
    hover_ = args.hover;
    background_ = args.background;
    if (!RegisterClassOnce(kClassName))
        return false;
    WindowArgs w = args.window;
    w.className = kClassName;
    return CreateWindowFor(w);
}

COLORREF LinkLabel::CurrentColour() const {
    return hovered_ ? hover_ : normal_;
}

void LinkLabel::SetHovered(bool hovered) {
    if (hovered_ == hovered)
        return;
    hovered_ = hovered;
    if (hovered)
        SetCapture(hwnd());
    else if (GetCapture() == hwnd())
        ReleaseCapture();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT LinkLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MOUSEMOVE: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        SetHovered(PtInRect(&client, p) != FALSE);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Someone else took the capture (a menu, a dialog): the pointer is no longer ours.
        if (hovered_ && reinterpret_cast<HWND>(lParam) != hwnd()) {
            hovered_ = false;
            InvalidateRect(hwnd(), nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, p)) {
            const int id = GetDlgCtrlID(hwnd());
            SendMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, kLinkReleased),
                         reinterpret_cast<LPARAM>(hwnd()));
        }
        return 0;
    }
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
    case WM_SHOWWINDOW:
        if (!wParam)
            SetHovered(false);
        break;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void LinkLabel::Paint() {
    base::PaintDc paint(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    base::UniqueBrush brush(CreateSolidBrush(background_));
    FillRect(paint.get(), &client, brush.get());
    const std::string text = WindowText(hwnd());
    base::SelectedObject selected(paint.get(), font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(paint.get(), TRANSPARENT);
    SetTextColor(paint.get(), CurrentColour());
    DrawTextA(paint.get(), text.c_str(), static_cast<int>(text.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

} // namespace app
