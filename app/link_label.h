#pragma once

// A text link: its caption centred in the hover colour while the pointer is over it, else in
// the normal colour (a link of this window never opens a target, so it never turns to the
// visited colour). It tracks the pointer by capturing the mouse when the pointer enters and
// releasing it at the first move outside. A left-button release over it is reported to the
// parent as WM_COMMAND with the notification code kLinkReleased.

#include "app/window.h"

namespace app {

constexpr WORD kLinkReleased = 0x4C52;

struct LinkLabelArgs {
    WindowArgs window;
    HFONT font = nullptr;
    COLORREF normal = 0xFF8800;
    COLORREF hover = 0xFFB062;
    COLORREF background = 0xFFFFFF;
};

class LinkLabel : public Window {
  public:
    bool Create(const LinkLabelArgs& args);
    bool IsHovered() const { return hovered_; }
    COLORREF CurrentColour() const;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint();
    void SetHovered(bool hovered);
    HFONT font_ = nullptr;
    COLORREF normal_ = 0;
    COLORREF hover_ = 0;
    COLORREF background_ = 0;
    bool hovered_ = false;
};

} // namespace app
