#include "app/message_loop.h"

#include "app/main_window.h"

namespace app {

namespace {

bool ModifierHeld() {
    return (GetKeyState(VK_SHIFT) & 0x8000) || (GetKeyState(VK_CONTROL) & 0x8000) ||
           (GetKeyState(VK_MENU) & 0x8000);
}

void Dispatch(const MSG& msg) {
    if (PreTranslateMessage(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

} // namespace

bool PreTranslateMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.hwnd == nullptr)
        return false;
    MainWindow* window = MainWindow::FromHandle(GetAncestor(msg.hwnd, GA_ROOT));
    if (window == nullptr)
        return false;
    if (msg.wParam == VK_ESCAPE && !ModifierHeld()) {
        // No control of this window claims Esc.
        SendMessageA(window->hwnd(), WM_CLOSE, 0, 0);
        return true;
    }
    if (msg.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000) &&
        !(GetKeyState(VK_MENU) & 0x8000)) {
        const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND next = window->NextTabStop(GetFocus(), backwards))
            SetFocus(next);
        return true;
    }
    return false;
}

int RunMessageLoop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        Dispatch(msg);
    }
}

void PumpPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the main loop, which ends the process.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

} // namespace app
