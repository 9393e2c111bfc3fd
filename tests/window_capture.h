#pragma once

// Reads back what a window shows, for tests that check colours, and writes it out as a BMP
// (tools turn that into PNG for people to look at).

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row-major, top row first, as 0x00BBGGRR

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // How many pixels of the rectangle have exactly this colour.
    int Count(const RECT& area, COLORREF colour) const;
    // How many pixels lie within tolerance of the colour in every channel: text is drawn
    // anti-aliased, so few of its pixels have the exact colour.
    int CountNear(const RECT& area, COLORREF colour, int tolerance = 48) const;
    bool SaveBmp(const std::string& path) const;
};

// The window's client area as it is on the screen now, after pending paints have been done.
Capture CaptureClient(HWND window);

// Handles every pending message of this thread (paints included).
void PumpMessages();

// Pumps messages for the given time, so that other processes and timers get to run.
void PumpFor(DWORD milliseconds);

} // namespace testsupport
