// The handlers that belong to the main window as such: its created event, moving, closing and
// minimising the borderless window, and the home-page button.

#include "app/handlers.h"
#include "app/main_window.h"
#include "app/special_folder.h"

#include <shellapi.h>
#include <shlobj.h>

namespace app {

const char kHomePageAddress[] = "https://quorvelword.example/";

void InitOutputFolder(MainWindow& window) {
    // The box stays disabled, so the path shows greyed.
    SetWindowTextA(window.编辑框1, GetSpecialFolderPath(CSIDL_DESKTOP).c_str());
}

void DragMainWindow(MainWindow& window) {
    // The default handling runs the system's modal move loop and returns when the button is
    // released.
    SendMessageA(window.hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void CloseMainWindow(MainWindow& window) {
    DestroyWindow(window.hwnd());
}

void MinimizeMainWindow(MainWindow& window) {
    CloseWindow(window.hwnd());
}

void OpenHomePage(MainWindow&) {
    ShellExecuteA(nullptr, "", kHomePageAddress, "", "", SW_SHOW);
}

} // namespace app
