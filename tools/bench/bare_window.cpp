// The floor for the start-up benchmark: a plain Win32 program that opens one empty window of the
// same size and runs its message loop.

#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "BareWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, "BareWindow", "bare", WS_POPUP | WS_VISIBLE, 100,
                                  100, 747, 455, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
