#include "app/text_label.h"

#include <base/owners.h>

#include <string>

namespace app {

namespace {
const char kClassName[] = "QuorvelTextLabel";
}

bool TextLabel::Create(const TextLabelArgs& args) {
    font_ = args.font;
    textColour_ = args.textColour;
    background_ = args.background;
    alignment_ = args.alignment;
    if (!RegisterClassOnce(kClassName))
        return false;
    WindowArgs w = args.window;
    w.className = kClassName;
    w.style |= WS_DISABLED;
    return CreateWindowFor(w);
}

LRESULT TextLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        LRESULT result = Window::HandleMessage(message, wParam, lParam);
        InvalidateRect(hwnd(), nullptr, TRUE);
        return result;
    }
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

void TextLabel::Paint() {
    base::PaintDc paint(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    base::UniqueBrush brush(CreateSolidBrush(background_));
    FillRect(paint.get(), &client, brush.get());

    const std::string text = WindowText(hwnd());
    base::SelectedObject selected(paint.get(), font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(paint.get(), TRANSPARENT);
    SetTextColor(paint.get(), textColour_);
    DrawTextA(paint.get(), text.c_str(), static_cast<int>(text.size()), &client,
              DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | alignment_);
}

} // namespace app
