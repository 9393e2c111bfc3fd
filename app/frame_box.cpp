#include "app/frame_box.h"

namespace app {

namespace {
const char kClassName[] = "QuorvelFrameBox";
}

bool FrameBox::Create(const FrameBoxArgs& args) {
    line_ = args.line;
    fill_ = args.fill;
    fillBrush_.reset(CreateSolidBrush(fill_));
    if (!RegisterClassOnce(kClassName))
        return false;
    WindowArgs w = args.window;
    w.className = kClassName;
    // Tab navigation reaches the edit box inside.
    w.exStyle |= WS_EX_CONTROLPARENT;
    w.style |= WS_CLIPCHILDREN;
    return CreateWindowFor(w);
}

void FrameBox::SetLineColour(COLORREF colour) {
    line_ = colour;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT FrameBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, 0x000000);
        SetBkColor(dc, fill_);
        return reinterpret_cast<LRESULT>(fillBrush_.get());
    }
    case WM_COMMAND:
        // The edit box's notifications belong to the main window.
        return SendMessageA(GetParent(hwnd()), message, wParam, lParam);
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

void FrameBox::Paint() {
    base::PaintDc paint(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    base::UniquePen pen(CreatePen(PS_INSIDEFRAME, 1, line_));
    base::SelectedObject selectedPen(paint.get(), pen.get());
    base::SelectedObject selectedBrush(paint.get(), fillBrush_.get());
    Rectangle(paint.get(), client.left, client.top, client.right, client.bottom);
}

} // namespace app
