#include "window_capture.h"

#include <base/owners.h>

#include <cstdio>

namespace testsupport {

int Capture::Count(const RECT& area, COLORREF colour) const {
    int n = 0;
    for (int y = area.top; y < area.bottom && y < height; ++y)
        for (int x = area.left; x < area.right && x < width; ++x)
            if (At(x, y) == colour)
                ++n;
    return n;
}

int Capture::CountNear(const RECT& area, COLORREF colour, int tolerance) const {
    auto within = [tolerance](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    int n = 0;
    for (int y = area.top; y < area.bottom && y < height; ++y)
        for (int x = area.left; x < area.right && x < width; ++x) {
            const COLORREF c = At(x, y);
            if (within(GetRValue(c), GetRValue(colour)) &&
                within(GetGValue(c), GetGValue(colour)) && within(GetBValue(c), GetBValue(colour)))
                ++n;
        }
    return n;
}

bool Capture::SaveBmp(const std::string& path) const {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + bytes;
    std::vector<unsigned char> bgra;
    bgra.reserve(bytes);
    for (COLORREF c : pixels) {
        bgra.push_back(GetBValue(c));
        bgra.push_back(GetGValue(c));
        bgra.push_back(GetRValue(c));
        bgra.push_back(255);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = std::fwrite(&file, sizeof(file), 1, f) == 1 &&
              std::fwrite(&info, sizeof(info), 1, f) == 1 &&
              std::fwrite(bgra.data(), 1, bgra.size(), f) == bgra.size();
    return std::fclose(f) == 0 && ok;
}

Capture CaptureClient(HWND window) {
    UpdateWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    Capture capture;
    RECT client{};
    GetClientRect(window, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    if (capture.width <= 0 || capture.height <= 0)
        return capture;

    base::WindowDc screen(nullptr);
    base::MemoryDc memory(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    base::UniqueBitmap bitmap(
        CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return capture;
    {
        base::SelectedObject selected(memory.get(), bitmap.get());
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        BitBlt(memory.get(), 0, 0, capture.width, capture.height, screen.get(), origin.x, origin.y,
               SRCCOPY);
    }
    const auto* bgra = static_cast<const unsigned char*>(bits);
    capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
    for (size_t i = 0; i < capture.pixels.size(); ++i)
        capture.pixels[i] = RGB(bgra[i * 4 + 2], bgra[i * 4 + 1], bgra[i * 4]);
    return capture;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

} // namespace testsupport
