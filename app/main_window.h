#pragma once

// The program's one top-level window: borderless, 747 x 455, centred on the primary screen,
// with the controls of its layout. Controls keep the names of the layout; the handlers of the
// program read and write their state directly.

#include "app/color_button.h"
#include "app/frame_box.h"
#include "app/link_label.h"
#include "app/text_label.h"
#include "app/window.h"

#include <base/owners.h>
#include <doclist/document_list.h>

#include <memory>

namespace app {

constexpr int kMainWidth = 747;
constexpr int kMainHeight = 455;
extern const char kMainWindowClass[];

// Control identifiers, in the z-order of the layout (top first).
enum class ControlId : int {
    选择框2 = 1001,
    开始按钮7,
    开始按钮6,
    开始按钮5,
    标签1,
    超级链接框2,
    超级链接框1,
    外形框1,
    编辑框1,
    单选框2,
    单选框1,
    标签3,
    开始按钮4,
    开始按钮2,
    开始按钮1,
    开始按钮3,
    超级列表框,
    标签2,
};

// Items of the row menu.
enum class RowMenuItem : UINT {
    OpenSourceLocation = 2001,
    RemoveDocument,
    OpenOutputLocation,
};

class MainWindow : public Window {
  public:
    // Creates the window and all its controls, shows it and raises its created event; null when
    // the window cannot be made.
    static std::unique_ptr<MainWindow> Create();

    // The window of a control by its identifier (编辑框1 lies inside 外形框1).
    HWND Control(ControlId id) const;
    // The next (or previous) control that takes the focus with Tab, after the given one.
    HWND NextTabStop(HWND from, bool backwards) const;
    // The MainWindow behind a top-level window of this class, or null.
    static MainWindow* FromHandle(HWND window);

    // The controls, named as in the layout.
    HWND 选择框2 = nullptr;
    ColorButton 开始按钮7;
    ColorButton 开始按钮6;
    ColorButton 开始按钮5;
    TextLabel 标签1;
    LinkLabel 超级链接框2;
    LinkLabel 超级链接框1;
    FrameBox 外形框1;
    HWND 编辑框1 = nullptr;
    HWND 单选框2 = nullptr;
    HWND 单选框1 = nullptr;
    TextLabel 标签3;
    ColorButton 开始按钮4;
    ColorButton 开始按钮2;
    ColorButton 开始按钮1;
    ColorButton 开始按钮3;
    doclist::DocumentList 超级列表框;
    TextLabel 标签2;
    // Never shown as a menu bar; its items pop up over the document list.
    base::UniqueMenu RowMenu;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    MainWindow() = default;
    bool CreateWindowAndControls();
    bool CreateControls();
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR& header);

    base::UniqueIcon icon_;
    base::UniqueIcon smallIcon_;
    base::UniqueBrush whiteBrush_;
    // Fonts of the layout, by character height and weight.
    base::UniqueFont font12_;
    base::UniqueFont font14Bold_;
    base::UniqueFont font16_;
    base::UniqueFont font16Bold_;
    base::UniqueFont font21Bold_;
    base::UniqueFont font48Bold_;
};

} // namespace app
