#pragma once

// The base of every window class of the program that has an object behind it: one static window
// procedure links the HWND to its object at WM_NCCREATE (from the creation parameter) and
// forwards every message to HandleMessage. The object never outlives its HWND's usefulness:
// at WM_NCDESTROY the link is cut and hwnd() becomes null.

#include <windows.h>

#include <string>

namespace app {

// The creation arguments of one window, with the defaults most controls use.
struct WindowArgs {
    const char* className = nullptr;
    const char* text = "";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    int id = 0;
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

  protected:
    // Registers the class on first use (background painted by the window itself, arrow cursor).
    static bool RegisterClassOnce(const char* className, HICON icon = nullptr,
                                  HICON smallIcon = nullptr);
    // Creates the window with this object behind it; false when CreateWindowEx fails.
    bool CreateWindowFor(const WindowArgs& args);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// The window's whole text.
std::string WindowText(HWND window);

// Plain child window of a system class (edit, button), created with the same arguments.
HWND CreateChild(const WindowArgs& args);

} // namespace app
