#include "app/window.h"

namespace app {

Window::~Window() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        // Cut the link first, so that messages sent during destruction find no object.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::RegisterClassOnce(const char* className, HICON icon, HICON smallIcon) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(instance, className, &existing))
        return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

bool Window::CreateWindowFor(const WindowArgs& args) {
    HWND created = CreateWindowExA(args.exStyle, args.className, args.text, args.style, args.x,
                                   args.y, args.width, args.height, args.parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                                   GetModuleHandleA(nullptr), this);
    return created != nullptr && created == hwnd_;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        LRESULT result = self->HandleMessage(message, wParam, lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    return self->HandleMessage(message, wParam, lParam);
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND CreateChild(const WindowArgs& args) {
    return CreateWindowExA(args.exStyle, args.className, args.text, args.style, args.x, args.y,
                           args.width, args.height, args.parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace app
