#pragma once

// A flat owner-drawn push button with three colour pairs: normal, hover (the pointer over it, or
// the button pressed) and focus (keyboard focus, neither hovered nor pressed). Hover wins over
// focus, focus over normal. While pressed, the caption is drawn two pixels lower. It is a real
// BUTTON control, so clicks, Space and focus behave as a push button's; a subclass adds the
// hover tracking and the hand cursor, and the parent passes its WM_DRAWITEM on to Draw.

#include "app/window.h"

namespace app {

struct ColourPair {
    COLORREF text;
    COLORREF background;
};

struct ColorButtonArgs {
    WindowArgs window;
    HFONT font = nullptr;
    ColourPair normal{0xFF8800, 0xFFFFFF};
    ColourPair hover{0xFFFFFF, 0xFF8800};
    ColourPair focus{0xFF8800, 0xFFFFFF};
};

class ColorButton {
  public:
    ColorButton() = default;
    ~ColorButton();
    ColorButton(const ColorButton&) = delete;
    ColorButton& operator=(const ColorButton&) = delete;

    bool Create(const ColorButtonArgs& args);
    HWND hwnd() const { return hwnd_; }

    void SetCaption(const char* caption);
    void SetHoverBackground(COLORREF colour);
    const ColourPair& Hover() const { return hover_; }
    bool IsHovered() const { return hovered_; }

    // The colour pair in force for the given owner-draw state.
    ColourPair PairFor(UINT itemState) const;
    void Draw(const DRAWITEMSTRUCT& item) const;

    // The ColorButton behind a button window, or null.
    static ColorButton* FromHandle(HWND window);

  private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void SetHovered(bool hovered);

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    ColourPair normal_{};
    ColourPair hover_{};
    ColourPair focus_{};
    bool hovered_ = false;
};

} // namespace app
