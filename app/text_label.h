#pragma once

// A label that paints its whole rectangle: background colour, then its caption in its font and
// text colour. Labels are created disabled, so a mouse press over one reaches the parent; being
// self-drawn, a disabled label is still drawn in its own colour, never greyed.

#include "app/window.h"

namespace app {

struct TextLabelArgs {
    WindowArgs window;
    HFONT font = nullptr;
    COLORREF textColour = 0x000000;
    COLORREF background = 0xFFFFFF;
    UINT alignment = DT_LEFT; // DT_LEFT or DT_CENTER
};

class TextLabel : public Window {
  public:
    bool Create(const TextLabelArgs& args);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint();
    HFONT font_ = nullptr;
    COLORREF textColour_ = 0;
    COLORREF background_ = 0;
    UINT alignment_ = DT_LEFT;
};

} // namespace app
