#pragma once

// Real user input through SendInput, as the system delivers it to whatever window is under the
// pointer or has the focus, in this process or another.

#include <windows.h>

namespace testsupport {

void MoveCursorTo(int screenX, int screenY);
void LeftButton(bool down);
// Presses and releases a key, with Shift held around it when asked.
void PressKey(WORD virtualKey, bool withShift = false);
// A left click at a point of the screen.
void ClickAt(int screenX, int screenY);

} // namespace testsupport
