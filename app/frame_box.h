#pragma once

// A rectangle with a one-pixel line and a solid fill over its whole client area; a real child
// window, the parent of the output-folder edit box, whose colour messages it answers.

#include "app/window.h"

#include <base/owners.h>

namespace app {

struct FrameBoxArgs {
    WindowArgs window;
    COLORREF line = 0xD1D1D1;
    COLORREF fill = 0xFFFFFF;
};

class FrameBox : public Window {
  public:
    bool Create(const FrameBoxArgs& args);
    COLORREF LineColour() const { return line_; }
    void SetLineColour(COLORREF colour);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint();
    COLORREF line_ = 0;
    COLORREF fill_ = 0;
    base::UniqueBrush fillBrush_;
};

} // namespace app
