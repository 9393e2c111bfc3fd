#include "app/main_window.h"

#include "app/handlers.h"

#include <base/ui_font.h>
#include <res/resource_ids.h>

#include <commctrl.h>

#include <iterator>

namespace app {

const char kMainWindowClass[] = "QuorvelMainWindow";

namespace {

const char kTitle[] = "OFFICE文档转HTML";

enum class Kind { CheckBox, Radio, Edit, Label, Button, Link, Frame, List };
enum class Font { None, Default, F12, F14Bold, F16, F16Bold, F21Bold, F48Bold };

// Flags of a row: visible, disabled, takes the focus with Tab, starts the radio group.
constexpr DWORD V = WS_VISIBLE;
constexpr DWORD D = WS_DISABLED;
constexpr DWORD T = WS_TABSTOP;
constexpr DWORD G = WS_GROUP;

// One control of the layout. Labels use normal as (text, background); links use normal.text,
// hover.text and normal.background; frames use normal as (line, fill).
struct ControlRow {
    ControlId id;
    Kind kind;
    int x, y, width, height;
    const char* text;
    Font font;
    DWORD flags;
    ColourPair normal;
    ColourPair hover;
    ColourPair focus;
    UINT alignment;
};

constexpr ColourPair kWhiteOnBlue{0xFFFFFF, 0xFF8800};
constexpr ColourPair kBlueOnWhite{0xFF8800, 0xFFFFFF};
constexpr ColourPair kBlackOnWhite{0x000000, 0xFFFFFF};
constexpr ColourPair kNone{0, 0};

// Top of the z-order first; each control lies below the one before it.
// clang-format off
const ControlRow kLayout[] = {
    {ControlId::选择框2, Kind::CheckBox, 611, 372, 140, 19, "自动打开转换后目录", Font::F12, V | T, kBlackOnWhite, kNone, kNone, 0},
    {ControlId::开始按钮7, Kind::Button, 690, -3, 28, 31, "-", Font::F21Bold, V | T, kWhiteOnBlue, {0xFFFFFF, 0xC06000}, kWhiteOnBlue, 0},
    {ControlId::开始按钮6, Kind::Button, 719, -3, 28, 31, "x", Font::F21Bold, V | T, kWhiteOnBlue, {0xFFFFFF, 0x0000FF}, kWhiteOnBlue, 0},
    {ControlId::开始按钮5, Kind::Button, 611, 395, 132, 56, "开始转换", Font::F16Bold, V | T, kBlueOnWhite, kWhiteOnBlue, kBlueOnWhite, 0},
    {ControlId::标签1, Kind::Label, 9, 367, 76, 29, "保存位置", Font::F14Bold, V | D, kBlackOnWhite, kNone, kNone, DT_LEFT},
    {ControlId::超级链接框2, Kind::Link, 446, 421, 35, 26, "打开", Font::F12, 0, kBlueOnWhite, {0xFFB062, 0xFFFFFF}, kNone, 0},
    {ControlId::超级链接框1, Kind::Link, 479, 421, 51, 26, "浏览...", Font::F12, 0, kBlueOnWhite, {0xFFB062, 0xFFFFFF}, kNone, 0},
    {ControlId::外形框1, Kind::Frame, 188, 423, 252, 21, "", Font::None, V, {0xD1D1D1, 0xFFFFFF}, kNone, kNone, 0},
    {ControlId::编辑框1, Kind::Edit, 6, 1, 240, 19, "", Font::Default, V | D | T, kBlackOnWhite, kNone, kNone, 0},
    {ControlId::单选框2, Kind::Radio, 11, 421, 174, 26, "转换后的文件保存到文件夹", Font::F12, V | T | G, kBlackOnWhite, kNone, kNone, 0},
    {ControlId::单选框1, Kind::Radio, 11, 394, 199, 26, "转换后的文件保存在原文件夹内", Font::F12, V | T, kBlackOnWhite, kNone, kNone, 0},
    {ControlId::标签3, Kind::Label, 0, 88, 376, 40, "添加要转换的word文档(可直接拖入下表)→", Font::F16, V | D | G, {0x808080, 0xFFFFFF}, kNone, kNone, DT_CENTER},
    {ControlId::开始按钮4, Kind::Button, 653, 88, 94, 40, "官网首页", Font::F16Bold, V | T, kBlueOnWhite, kWhiteOnBlue, kBlueOnWhite, 0},
    {ControlId::开始按钮2, Kind::Button, 559, 88, 94, 40, "删除全部", Font::F16Bold, V | T, kBlueOnWhite, kWhiteOnBlue, kBlueOnWhite, 0},
    {ControlId::开始按钮1, Kind::Button, 465, 88, 94, 40, "删除所选", Font::F16Bold, V | T, kBlueOnWhite, kWhiteOnBlue, kBlueOnWhite, 0},
    {ControlId::开始按钮3, Kind::Button, 371, 88, 94, 40, "添加文件", Font::F16Bold, V | T, kBlueOnWhite, kWhiteOnBlue, kBlueOnWhite, 0},
    {ControlId::超级列表框, Kind::List, 0, 128, 747, 238, "", Font::None, V | T, kNone, kNone, kNone, 0},
    {ControlId::标签2, Kind::Label, 0, 0, 747, 88, "Quorvelword转换器  ", Font::F48Bold, V | D, {0xFFFFFF, 0xFF8800}, kNone, kNone, DT_CENTER},
};
// clang-format on

// Buttons and links: which handler a click (or a link's button release) runs.
struct Binding {
    ControlId id;
    WORD code;
    void (*handler)(MainWindow&);
};

const Binding kBindings[] = {
    {ControlId::开始按钮7, BN_CLICKED, &MinimizeMainWindow},
    {ControlId::开始按钮6, BN_CLICKED, &CloseMainWindow},
    {ControlId::开始按钮4, BN_CLICKED, &OpenHomePage},
    {ControlId::开始按钮5, BN_CLICKED, &ToggleConversion},
    {ControlId::开始按钮3, BN_CLICKED, &AddFilesFromDialog},
    {ControlId::开始按钮1, BN_CLICKED, &RemoveSelectedRows},
    {ControlId::开始按钮2, BN_CLICKED, &RemoveAllRows},
    {ControlId::单选框1, BN_CLICKED, &UseSourceFolder},
    {ControlId::单选框2, BN_CLICKED, &UseChosenFolder},
    {ControlId::超级链接框1, kLinkReleased, &BrowseOutputFolder},
    {ControlId::超级链接框2, kLinkReleased, &OpenOutputFolder},
};

// The order in which Tab visits the controls: as they are laid out, top left to bottom right.
const ControlId kTabOrder[] = {
    ControlId::开始按钮3,  ControlId::开始按钮1, ControlId::开始按钮2, ControlId::开始按钮4,
    ControlId::超级列表框, ControlId::单选框1,   ControlId::单选框2,   ControlId::编辑框1,
    ControlId::选择框2,    ControlId::开始按钮5, ControlId::开始按钮7, ControlId::开始按钮6,
};

int Id(ControlId id) {
    return static_cast<int>(id);
}

} // namespace

std::unique_ptr<MainWindow> MainWindow::Create() {
    std::unique_ptr<MainWindow> window(new MainWindow());
    if (!window->CreateWindowAndControls())
        return nullptr;
    ShowWindow(window->hwnd(), SW_SHOW);
    UpdateWindow(window->hwnd());
    InitOutputFolder(*window);
    return window;
}

bool MainWindow::CreateWindowAndControls() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    icon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON),
                                              GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    whiteBrush_.reset(CreateSolidBrush(0xFFFFFF));
    font12_ = base::MakeUiFont(-12, FW_NORMAL);
    font14Bold_ = base::MakeUiFont(-14, FW_BOLD);
    font16_ = base::MakeUiFont(-16, FW_NORMAL);
    font16Bold_ = base::MakeUiFont(-16, FW_BOLD);
    font21Bold_ = base::MakeUiFont(-21, FW_BOLD);
    font48Bold_ = base::MakeUiFont(-48, FW_BOLD);

    if (!RegisterClassOnce(kMainWindowClass, icon_.get(), smallIcon_.get()))
        return false;
    WindowArgs args;
    args.className = kMainWindowClass;
    args.text = kTitle;
    // WS_POPUP: a top-level window without WS_CAPTION would otherwise be given one.
    args.style = WS_POPUP | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    args.exStyle = WS_EX_APPWINDOW;
    args.x = (GetSystemMetrics(SM_CXSCREEN) - kMainWidth) / 2;
    args.y = (GetSystemMetrics(SM_CYSCREEN) - kMainHeight) / 2;
    args.width = kMainWidth;
    args.height = kMainHeight;
    if (!CreateWindowFor(args))
        return false;
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    if (!CreateControls())
        return false;

    RowMenu.reset(CreatePopupMenu());
    AppendMenuA(RowMenu.get(), MF_STRING, static_cast<UINT_PTR>(RowMenuItem::OpenSourceLocation),
                "打开文档所在位置");
    AppendMenuA(RowMenu.get(), MF_STRING, static_cast<UINT_PTR>(RowMenuItem::RemoveDocument),
                "删除此文档");
    AppendMenuA(RowMenu.get(), MF_STRING, static_cast<UINT_PTR>(RowMenuItem::OpenOutputLocation),
                "打开转换后文件位置");
    return RowMenu.get() != nullptr;
}

bool MainWindow::CreateControls() {
    for (const ControlRow& row : kLayout) {
        HFONT font = nullptr;
        switch (row.font) {
        case Font::None:
            break;
        case Font::Default:
            font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            break;
        case Font::F12:
            font = font12_.get();
            break;
        case Font::F14Bold:
            font = font14Bold_.get();
            break;
        case Font::F16:
            font = font16_.get();
            break;
        case Font::F16Bold:
            font = font16Bold_.get();
            break;
        case Font::F21Bold:
            font = font21Bold_.get();
            break;
        case Font::F48Bold:
            font = font48Bold_.get();
            break;
        }
        WindowArgs w;
        w.text = row.text;
        // Clip siblings: the title band lies under the "-" and "x" buttons and must not paint
        // over them.
        w.style = WS_CHILD | WS_CLIPSIBLINGS | row.flags;
        w.x = row.x;
        w.y = row.y;
        w.width = row.width;
        w.height = row.height;
        w.parent = hwnd();
        w.id = Id(row.id);

        HWND created = nullptr;
        switch (row.kind) {
        case Kind::CheckBox:
        case Kind::Radio: {
            w.className = "BUTTON";
            w.style |= (row.kind == Kind::Radio ? BS_AUTORADIOBUTTON : BS_AUTOCHECKBOX) | BS_FLAT |
                       BS_MULTILINE | BS_LEFT | BS_VCENTER;
            created = CreateChild(w);
            HWND& slot = row.id == ControlId::选择框2   ? 选择框2
                         : row.id == ControlId::单选框1 ? 单选框1
                                                        : 单选框2;
            slot = created;
            break;
        }
        case Kind::Edit:
            w.className = "EDIT";
            w.style |= ES_AUTOHSCROLL | ES_LEFT;
            w.parent = 外形框1.hwnd();
            created = 编辑框1 = CreateChild(w);
            // No length limit (the default is 30,000 characters).
            SendMessageA(编辑框1, EM_SETLIMITTEXT, 0, 0);
            break;
        case Kind::Label: {
            TextLabel& label = row.id == ControlId::标签1   ? 标签1
                               : row.id == ControlId::标签2 ? 标签2
                                                            : 标签3;
            if (label.Create({w, font, row.normal.text, row.normal.background, row.alignment}))
                created = label.hwnd();
            break;
        }
        case Kind::Link: {
            LinkLabel& link = row.id == ControlId::超级链接框1 ? 超级链接框1 : 超级链接框2;
            if (link.Create({w, font, row.normal.text, row.hover.text, row.normal.background}))
                created = link.hwnd();
            break;
        }
        case Kind::Frame:
            if (外形框1.Create({w, row.normal.text, row.normal.background}))
                created = 外形框1.hwnd();
            break;
        case Kind::Button: {
            ColorButton* button = nullptr;
            switch (row.id) {
            case ControlId::开始按钮1:
                button = &开始按钮1;
                break;
            case ControlId::开始按钮2:
                button = &开始按钮2;
                break;
            case ControlId::开始按钮3:
                button = &开始按钮3;
                break;
            case ControlId::开始按钮4:
                button = &开始按钮4;
                break;
            case ControlId::开始按钮5:
                button = &开始按钮5;
                break;
            case ControlId::开始按钮6:
                button = &开始按钮6;
                break;
            default:
                button = &开始按钮7;
                break;
            }
            if (button->Create({w, font, row.normal, row.hover, row.focus}))
                created = button->hwnd();
            break;
        }
        case Kind::List:
            if (超级列表框.Create(hwnd(), Id(row.id)))
                created = 超级列表框.Handle();
            break;
        }
        if (created == nullptr)
            return false;
        // The list brings its own font.
        if (font != nullptr)
            SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SendMessageA(选择框2, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(单选框1, BM_SETCHECK, BST_CHECKED, 0);
    return true;
}

HWND MainWindow::Control(ControlId id) const {
    if (id == ControlId::编辑框1)
        return 编辑框1;
    return GetDlgItem(hwnd(), Id(id));
}

HWND MainWindow::NextTabStop(HWND from, bool backwards) const {
    const int count = static_cast<int>(std::size(kTabOrder));
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (Control(kTabOrder[i]) == from)
            start = i;
    if (start < 0)
        start = backwards ? 0 : count - 1;
    for (int step = 1; step <= count; ++step) {
        const int i = ((start + (backwards ? -step : step)) % count + count) % count;
        HWND candidate = Control(kTabOrder[i]);
        if (candidate != nullptr && IsWindowVisible(candidate) && IsWindowEnabled(candidate))
            return candidate;
    }
    return nullptr;
}

MainWindow* MainWindow::FromHandle(HWND window) {
    char className[64] = {};
    if (window == nullptr || !GetClassNameA(window, className, sizeof(className)) ||
        lstrcmpA(className, kMainWindowClass) != 0)
        return nullptr;
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void MainWindow::OnCommand(int id, int code) {
    for (const Binding& binding : kBindings)
        if (Id(binding.id) == id && binding.code == code) {
            binding.handler(*this);
            return;
        }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom == static_cast<UINT_PTR>(Id(ControlId::超级列表框))) {
        if (header.code == NM_RCLICK)
            ShowRowMenu(*this);
    }
    return 0;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, whiteBrush_.get());
        return 1;
    }
    case WM_LBUTTONDOWN:
        DragMainWindow(*this);
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (ColorButton* button = ColorButton::FromHandle(item->hwndItem)) {
            button->Draw(*item);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, 0x000000);
        SetBkColor(dc, 0xFFFFFF);
        return reinterpret_cast<LRESULT>(whiteBrush_.get());
    }
    case WM_COMMAND:
        if (lParam != 0)
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

} // namespace app
