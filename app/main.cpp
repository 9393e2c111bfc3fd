// Start and end of the process: OLE for the one GUI thread, the executable's folder as current
// directory, the main window, the message loop.

#include "app/main_window.h"
#include "app/message_loop.h"

#include <convert/busy_retry.h>

#include <commctrl.h>
#include <ole2.h>

#include <string>

namespace {

void UseExecutableFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const size_t slash = folder.rfind('\\');
    if (slash != std::string::npos) {
        folder.resize(slash);
        SetCurrentDirectoryA(folder.c_str());
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    UseExecutableFolder();
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);

    int exitCode = 0;
    {
        // A busy Office application's rejected calls are retried instead of failing the row.
        convert::BusyRetryFilter busyRetry;
        std::unique_ptr<app::MainWindow> window = app::MainWindow::Create();
        if (window == nullptr) {
            MessageBoxA(nullptr, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n", "错误",
                        MB_ICONERROR);
            exitCode = -1;
        } else {
            exitCode = app::RunMessageLoop();
        }
    }
    OleUninitialize();
    return exitCode;
}
