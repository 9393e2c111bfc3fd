// The main window as created in this process: every control against the layout, the window's
// own styles, the colours it draws, and the keys and buttons that act on the window itself.

#include <app/handlers.h>
#include <app/main_window.h>
#include <app/message_loop.h>

#include "input.h"
#include "window_capture.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using app::ControlId;
using testsupport::CaptureClient;

namespace {

std::string TextOf(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

RECT RectInMain(HWND control, HWND main) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        window_ = app::MainWindow::Create();
        ASSERT_NE(window_, nullptr);
        main_ = window_->hwnd();
        SetForegroundWindow(main_);
        testsupport::PumpFor(100);
    }
    void TearDown() override {
        window_.reset();
        testsupport::PumpMessages();
    }
    HWND Control(ControlId id) const { return window_->Control(id); }
    POINT ScreenPointOf(ControlId id, int dx, int dy) const {
        RECT r{};
        GetWindowRect(Control(id), &r);
        return {r.left + dx, r.top + dy};
    }

    std::unique_ptr<app::MainWindow> window_;
    HWND main_ = nullptr;
};

constexpr DWORD V = WS_VISIBLE, D = WS_DISABLED, T = WS_TABSTOP;
constexpr int kNoFont = 1;

struct Expected {
    ControlId id;
    const char* className;
    RECT rect; // left, top, right, bottom in the main window
    const char* text;
    int fontHeight; // 0: DEFAULT_GUI_FONT; kNoFont: none at all
    int fontWeight;
    DWORD flags; // which of V, D, T are set
};

// The layout, top of the z-order first.
// clang-format off
const Expected kLayout[] = {
    {ControlId::选择框2, "Button", {611, 372, 751, 391}, "自动打开转换后目录", -12, 400, V | T},
    {ControlId::开始按钮7, "Button", {690, -3, 718, 28}, "-", -21, 700, V | T},
    {ControlId::开始按钮6, "Button", {719, -3, 747, 28}, "x", -21, 700, V | T},
    {ControlId::开始按钮5, "Button", {611, 395, 743, 451}, "开始转换", -16, 700, V | T},
    {ControlId::标签1, "QuorvelTextLabel", {9, 367, 85, 396}, "保存位置", -14, 700, V | D},
    {ControlId::超级链接框2, "QuorvelLinkLabel", {446, 421, 481, 447}, "打开", -12, 400, 0},
    {ControlId::超级链接框1, "QuorvelLinkLabel", {479, 421, 530, 447}, "浏览...", -12, 400, 0},
    {ControlId::外形框1, "QuorvelFrameBox", {188, 423, 440, 444}, "", kNoFont, 0, V},
    // Created with WS_TABSTOP; an auto radio button drops it while another of its group is
    // selected (Tab still reaches it: the window keeps its own tab order).
    {ControlId::单选框2, "Button", {11, 421, 185, 447}, "转换后的文件保存到文件夹", -12, 400, V},
    {ControlId::单选框1, "Button", {11, 394, 210, 420}, "转换后的文件保存在原文件夹内", -12, 400, V | T},
    {ControlId::标签3, "QuorvelTextLabel", {0, 88, 376, 128}, "添加要转换的word文档(可直接拖入下表)→", -16, 400, V | D},
    {ControlId::开始按钮4, "Button", {653, 88, 747, 128}, "官网首页", -16, 700, V | T},
    {ControlId::开始按钮2, "Button", {559, 88, 653, 128}, "删除全部", -16, 700, V | T},
    {ControlId::开始按钮1, "Button", {465, 88, 559, 128}, "删除所选", -16, 700, V | T},
    {ControlId::开始按钮3, "Button", {371, 88, 465, 128}, "添加文件", -16, 700, V | T},
    {ControlId::超级列表框, "SysListView32", {0, 128, 747, 366}, "", -12, 400, V | T},
    {ControlId::标签2, "QuorvelTextLabel", {0, 0, 747, 88}, "Quorvelword转换器  ", -48, 700, V | D},
};
// clang-format on

TEST_F(MainWindowTest, EveryControlMatchesTheLayoutInZOrder) {
    std::vector<HWND> zOrder;
    for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        zOrder.push_back(child);
    ASSERT_EQ(zOrder.size(), std::size(kLayout));

    for (size_t i = 0; i < std::size(kLayout); ++i) {
        const Expected& e = kLayout[i];
        SCOPED_TRACE(testing::Message() << "control " << static_cast<int>(e.id));
        HWND control = Control(e.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(zOrder[i], control) << "z-order position " << i;
        EXPECT_EQ(ClassOf(control), e.className);
        const RECT r = RectInMain(control, main_);
        EXPECT_EQ(r.left, e.rect.left);
        EXPECT_EQ(r.top, e.rect.top);
        EXPECT_EQ(r.right, e.rect.right);
        EXPECT_EQ(r.bottom, e.rect.bottom);
        EXPECT_EQ(TextOf(control), e.text);
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
        EXPECT_EQ(style & (V | D | T), e.flags);

        HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        if (e.fontHeight == kNoFont) {
            EXPECT_EQ(font, nullptr);
            continue;
        }
        LOGFONTA lf{};
        ASSERT_NE(font, nullptr);
        GetObjectA(font, sizeof(lf), &lf);
        if (e.fontHeight == 0) {
            EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT));
        } else {
            EXPECT_EQ(lf.lfHeight, e.fontHeight);
            EXPECT_EQ(lf.lfWeight, e.fontWeight);
            EXPECT_STREQ(lf.lfFaceName, "微软雅黑");
            EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
            EXPECT_EQ(lf.lfOutPrecision, OUT_STROKE_PRECIS);
            EXPECT_EQ(lf.lfClipPrecision, CLIP_STROKE_PRECIS);
            EXPECT_EQ(lf.lfQuality, DRAFT_QUALITY);
            EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
            EXPECT_EQ(lf.lfWidth, 0);
            EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
        }
    }
}

TEST_F(MainWindowTest, TextsAreGbkBytes) {
    EXPECT_EQ(TextOf(Control(ControlId::开始按钮5)), "\xBF\xAA\xCA\xBC\xD7\xAA\xBB\xBB");
    EXPECT_EQ(TextOf(main_), "OFFICE\xCE\xC4\xB5\xB5\xD7\xAA"
                             "HTML");
}

TEST_F(MainWindowTest, ControlStyles) {
    auto style = [&](ControlId id) {
        return static_cast<DWORD>(GetWindowLongPtrA(Control(id), GWL_STYLE));
    };
    const DWORD buttonBits = BS_FLAT | BS_MULTILINE | BS_LEFT | BS_VCENTER;
    EXPECT_EQ(style(ControlId::选择框2) & (BS_TYPEMASK | buttonBits), BS_AUTOCHECKBOX | buttonBits);
    EXPECT_EQ(style(ControlId::单选框1) & (BS_TYPEMASK | buttonBits),
              BS_AUTORADIOBUTTON | buttonBits);
    EXPECT_EQ(style(ControlId::单选框2) & (BS_TYPEMASK | buttonBits),
              BS_AUTORADIOBUTTON | buttonBits);
    for (ControlId id :
         {ControlId::开始按钮1, ControlId::开始按钮2, ControlId::开始按钮3, ControlId::开始按钮4,
          ControlId::开始按钮5, ControlId::开始按钮6, ControlId::开始按钮7})
        EXPECT_EQ(style(id) & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));

    HWND edit = Control(ControlId::编辑框1);
    EXPECT_EQ(GetParent(edit), Control(ControlId::外形框1));
    EXPECT_EQ(ClassOf(edit), "Edit");
    RECT r{};
    GetWindowRect(edit, &r);
    MapWindowPoints(HWND_DESKTOP, Control(ControlId::外形框1), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 6);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.bottom - r.top, 19);
    const DWORD editStyle = static_cast<DWORD>(GetWindowLongPtrA(edit, GWL_STYLE));
    EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
    EXPECT_FALSE(editStyle & (WS_BORDER | ES_NOHIDESEL | ES_CENTER | ES_RIGHT | ES_MULTILINE));
    EXPECT_EQ(editStyle & (V | D | T), V | D | T);
    EXPECT_EQ(GetWindowLongPtrA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << "no length limit";
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(MainWindowTest, WindowIsBorderlessCentredAndMinimisable) {
    const LONG_PTR style = GetWindowLongPtrA(main_, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0);
    EXPECT_EQ(GetMenu(main_), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    RECT window{}, client{};
    GetWindowRect(main_, &window);
    GetClientRect(main_, &client);
    EXPECT_EQ(client.right, 747);
    EXPECT_EQ(client.bottom, 455);
    EXPECT_EQ(window.right - window.left, 747);
    EXPECT_EQ(window.bottom - window.top, 455);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 747) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 455) / 2);
    EXPECT_NE(SendMessageA(main_, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(main_, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowTest, InitialState) {
    EXPECT_EQ(SendMessageA(Control(ControlId::选择框2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Control(ControlId::单选框1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Control(ControlId::单选框2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowVisible(Control(ControlId::超级链接框1)));
    EXPECT_FALSE(IsWindowVisible(Control(ControlId::超级链接框2)));
    EXPECT_EQ(window_->外形框1.LineColour(), 0xD1D1D1u);
    EXPECT_EQ(ListView_GetItemCount(Control(ControlId::超级列表框)), 0);

    // The Desktop as the shell reports it, asked another way than the program asks.
    char desktop[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_DESKTOP, nullptr, 0, desktop), S_OK);
    EXPECT_EQ(TextOf(Control(ControlId::编辑框1)), desktop);
    EXPECT_FALSE(IsWindowEnabled(Control(ControlId::编辑框1)));
}

TEST_F(MainWindowTest, RadioButtonsFormOneGroup) {
    RECT r{};
    GetWindowRect(Control(ControlId::单选框2), &r);
    testsupport::ClickAt(r.left + 7, (r.top + r.bottom) / 2);
    testsupport::PumpFor(200);
    EXPECT_EQ(SendMessageA(Control(ControlId::单选框2), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Control(ControlId::单选框1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Control(ControlId::选择框2), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Drawing. Colours of the layout, read back from the screen.
constexpr COLORREF kBlue = 0xFF8800;
constexpr COLORREF kWhite = 0xFFFFFF;

TEST_F(MainWindowTest, TitleBandLabelsAndButtonsDrawTheirColours) {
    testsupport::MoveCursorTo(5, 5); // far from every control
    testsupport::PumpFor(200);
    const auto capture = CaptureClient(main_);
    ASSERT_EQ(capture.width, 747);
    // The band: blue, with the white title text on it.
    const RECT band{0, 28, 690, 88};
    EXPECT_GT(capture.Count(band, kBlue), 30000);
    EXPECT_GT(capture.Count(band, kWhite), 500);
    // "-" and "x": white on blue when the pointer is elsewhere.
    EXPECT_EQ(capture.At(693, 2), kBlue);
    EXPECT_EQ(capture.At(744, 2), kBlue);
    // The buttons below the band: blue text on white.
    const RECT add{371, 88, 465, 128};
    EXPECT_GT(capture.Count(add, kWhite), 2000);
    EXPECT_GT(capture.Count(add, kBlue), 50);
    // Disabled labels keep their own colours: the hint in grey, "保存位置" in black.
    EXPECT_GT(capture.Count({0, 88, 376, 128}, 0x808080), 50);
    EXPECT_GT(capture.Count({9, 367, 85, 396}, 0x000000), 50);
    // The frame around the folder box: its line colour on every edge.
    EXPECT_EQ(capture.At(188, 430), 0xD1D1D1u);
    EXPECT_EQ(capture.At(439, 430), 0xD1D1D1u);
    EXPECT_EQ(capture.At(300, 423), 0xD1D1D1u);
    EXPECT_EQ(capture.At(300, 443), 0xD1D1D1u);
    // The window's own background.
    EXPECT_EQ(capture.At(400, 380), kWhite);
}

struct HoverCase {
    ControlId id;
    COLORREF background;
};

TEST_F(MainWindowTest, ButtonsUnderThePointerShowTheirHoverColours) {
    const HoverCase cases[] = {
        {ControlId::开始按钮7, 0xC06000}, {ControlId::开始按钮6, 0x0000FF},
        {ControlId::开始按钮3, kBlue},    {ControlId::开始按钮1, kBlue},
        {ControlId::开始按钮2, kBlue},    {ControlId::开始按钮4, kBlue},
        {ControlId::开始按钮5, kBlue},
    };
    for (const HoverCase& c : cases) {
        SCOPED_TRACE(TextOf(Control(c.id)));
        const POINT p = ScreenPointOf(c.id, 5, 8);
        testsupport::MoveCursorTo(p.x, p.y);
        testsupport::PumpFor(200);
        const RECT r = RectInMain(Control(c.id), main_);
        const RECT visible{r.left, r.top < 0 ? 0 : r.top, r.right, r.bottom};
        const auto capture = CaptureClient(main_);
        const int area = (visible.right - visible.left) * (visible.bottom - visible.top);
        EXPECT_GT(capture.Count(visible, c.background), area * 3 / 4);
        EXPECT_GT(capture.CountNear(visible, kWhite), 8) << "white caption";
    }
    // Away again: back to the normal pair.
    testsupport::MoveCursorTo(5, 5);
    testsupport::PumpFor(200);
    const auto capture = CaptureClient(main_);
    EXPECT_EQ(capture.At(375, 92), kWhite);
    EXPECT_EQ(capture.At(693, 2), kBlue);
}

TEST_F(MainWindowTest, FocusedButtonKeepsItsFocusPairAndShowsNoFocusRectangle) {
    testsupport::MoveCursorTo(5, 5);
    SetFocus(Control(ControlId::开始按钮5));
    testsupport::PumpFor(200);
    const auto capture = CaptureClient(main_);
    const RECT r{611, 395, 743, 451};
    const int area = 132 * 56;
    // White all round the caption: no dotted focus rectangle near the edges.
    for (int inset = 1; inset <= 5; ++inset) {
        const RECT top{r.left + inset, r.top + inset, r.right - inset, r.top + inset + 1};
        const RECT left{r.left + inset, r.top + inset, r.left + inset + 1, r.bottom - inset};
        EXPECT_EQ(capture.Count(top, kWhite), top.right - top.left) << "inset " << inset;
        EXPECT_EQ(capture.Count(left, kWhite), left.bottom - left.top) << "inset " << inset;
    }
    EXPECT_GT(capture.Count(r, kBlue), 50);
    EXPECT_GT(capture.Count(r, kWhite), area / 2);
    EXPECT_EQ(capture.At(613, 397), kWhite);
    EXPECT_EQ(capture.At(741, 449), kWhite);
}

int TopOfColour(const testsupport::Capture& capture, const RECT& r, COLORREF colour) {
    for (int y = r.top; y < r.bottom; ++y)
        if (capture.Count({r.left, y, r.right, y + 1}, colour) > 0)
            return y;
    return -1;
}

TEST_F(MainWindowTest, PressedButtonDrawsItsCaptionTwoPixelsLower) {
    testsupport::MoveCursorTo(5, 5);
    testsupport::PumpFor(100);
    // 开始按钮3's left edge lies under the hint label; 开始按钮1 is wholly visible.
    HWND button = Control(ControlId::开始按钮1);
    const RECT r{465, 88, 559, 128};
    const int released = TopOfColour(CaptureClient(main_), r, kBlue);
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    testsupport::PumpFor(100);
    const auto pressed = CaptureClient(main_);
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    // Pressed is drawn with the hover pair: white caption on blue.
    EXPECT_GT(pressed.Count(r, kBlue), 94 * 40 * 3 / 4);
    ASSERT_GT(released, 0);
    EXPECT_EQ(TopOfColour(pressed, r, kWhite), released + 2);
}

// The lowest red value in the area: the link's small text is anti-aliased, so its strokes
// never reach the full colour, but the normal colour (red 0x00) gives darker strokes than the
// hover colour (red 0x62).
int LowestRed(const testsupport::Capture& capture, const RECT& r) {
    int lowest = 255;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (GetRValue(capture.At(x, y)) < lowest)
                lowest = GetRValue(capture.At(x, y));
    return lowest;
}

TEST_F(MainWindowTest, LinkTracksThePointerWithTheCapture) {
    HWND link = Control(ControlId::超级链接框1);
    const RECT r{479, 421, 530, 447};
    ShowWindow(link, SW_SHOW);
    testsupport::MoveCursorTo(5, 5);
    testsupport::PumpFor(200);
    const int normal = LowestRed(CaptureClient(main_), r);

    const POINT p = ScreenPointOf(ControlId::超级链接框1, 10, 10);
    testsupport::MoveCursorTo(p.x, p.y);
    testsupport::PumpFor(200);
    EXPECT_EQ(GetCapture(), link);
    EXPECT_TRUE(window_->超级链接框1.IsHovered());
    EXPECT_EQ(window_->超级链接框1.CurrentColour(), 0xFFB062u);
    const int hovered = LowestRed(CaptureClient(main_), r);
    EXPECT_LT(normal, 0x60);
    EXPECT_GT(hovered, normal + 0x20);

    testsupport::MoveCursorTo(p.x + 100, p.y);
    testsupport::PumpFor(200);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(window_->超级链接框1.IsHovered());
    EXPECT_EQ(LowestRed(CaptureClient(main_), r), normal);
}

// Keys.
TEST_F(MainWindowTest, EscClosesTheWindowAndShiftEscDoesNot) {
    SetFocus(Control(ControlId::超级列表框));
    testsupport::PressKey(VK_ESCAPE, true);
    for (int i = 0; i < 20; ++i) {
        app::PumpPendingMessages();
        Sleep(10);
    }
    ASSERT_TRUE(IsWindow(main_)) << "Shift+Esc must not close";

    testsupport::PressKey(VK_ESCAPE);
    for (int i = 0; i < 20 && IsWindow(main_); ++i) {
        app::PumpPendingMessages();
        Sleep(10);
    }
    EXPECT_FALSE(IsWindow(main_));
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(MainWindowTest, TabVisitsTheFocusableControlsAndSkipsHiddenAndDisabledOnes) {
    SetFocus(Control(ControlId::开始按钮6));
    std::vector<HWND> visited;
    for (int i = 0; i < 12; ++i) {
        testsupport::PressKey(VK_TAB);
        for (int k = 0; k < 5; ++k) {
            app::PumpPendingMessages();
            Sleep(5);
        }
        visited.push_back(GetFocus());
    }
    const ControlId expected[] = {
        ControlId::开始按钮3,  ControlId::开始按钮1, ControlId::开始按钮2, ControlId::开始按钮4,
        ControlId::超级列表框, ControlId::单选框1,   ControlId::单选框2,   ControlId::选择框2,
        ControlId::开始按钮5,  ControlId::开始按钮7, ControlId::开始按钮6, ControlId::开始按钮3};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(visited[i], Control(expected[i])) << "Tab " << i + 1;

    testsupport::PressKey(VK_TAB, true);
    for (int k = 0; k < 5; ++k) {
        app::PumpPendingMessages();
        Sleep(5);
    }
    EXPECT_EQ(GetFocus(), Control(ControlId::开始按钮6)) << "Shift+Tab goes back";
}

TEST_F(MainWindowTest, MinimiseAndRestoreLeaveTheWindowUnchanged) {
    RECT before{};
    GetWindowRect(main_, &before);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(static_cast<int>(ControlId::开始按钮7), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(ControlId::开始按钮7)));
    testsupport::PumpFor(200);
    EXPECT_TRUE(IsIconic(main_));
    EXPECT_TRUE(IsWindow(main_));
    ShowWindow(main_, SW_RESTORE);
    testsupport::PumpFor(200);
    EXPECT_FALSE(IsIconic(main_));
    RECT after{};
    GetWindowRect(main_, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(IsWindowVisible(Control(ControlId::开始按钮5)));
}

TEST_F(MainWindowTest, RowMenuHoldsItsThreeItemsAndIsNoMenuBar) {
    HMENU menu = window_->RowMenu.get();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    const char* texts[] = {"打开文档所在位置", "删除此文档", "打开转换后文件位置"};
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, texts[i]);
    }
    EXPECT_EQ(GetMenu(main_), nullptr);
}

} // namespace
