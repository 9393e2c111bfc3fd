#pragma once

#include <windows.h>

namespace app {

// The window-level keys, looked at before a message is dispatched: Esc with no modifier closes
// the main window; Tab and Shift+Tab move the focus. True when the message was used up.
bool PreTranslateMessage(const MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Handles every pending message of the thread, for long loops inside handlers.
void PumpPendingMessages();

} // namespace app
