#include "input.h"

namespace testsupport {

namespace {

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

} // namespace

void MoveCursorTo(int screenX, int screenY) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screenX * 65536 + width / 2) / width);
    input.mi.dy = static_cast<LONG>((screenY * 65536 + height / 2) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

void LeftButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
}

void PressKey(WORD virtualKey, bool withShift) {
    if (withShift)
        SendKey(VK_SHIFT, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (withShift)
        SendKey(VK_SHIFT, true);
}

void ClickAt(int screenX, int screenY) {
    MoveCursorTo(screenX, screenY);
    LeftButton(true);
    LeftButton(false);
}

} // namespace testsupport
