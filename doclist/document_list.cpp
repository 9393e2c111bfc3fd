#include <doclist/document_list.h>

#include <doclist/state_images.h>

#include <base/ui_font.h>

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace doclist {

namespace {

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_CLIPSIBLINGS |
                             LVS_REPORT | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS |
                             LVS_SHAREIMAGELISTS;

// Every extended style the list decides about, and the ones it turns on. Header drag and drop,
// check boxes and hot tracking stay off.
constexpr DWORD kExtendedMask =
    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_INFOTIP |
    LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE |
    LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT | LVS_EX_UNDERLINECOLD | LVS_EX_SUBITEMIMAGES;
constexpr DWORD kExtendedStyle =
    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_INFOTIP;

struct ColumnLayout {
    const char* title;
    int width;
    int format;
};

constexpr ColumnLayout kColumns[] = {
    {"文件名", 320, LVCFMT_LEFT},
    {"转换结果", 80, LVCFMT_CENTER},
    {"转换后保存位置", 320, LVCFMT_LEFT},
};

// The list view takes texts through non-const pointers even where it only reads them.
char* Writable(const std::string& text) {
    return const_cast<char*>(text.c_str());
}

} // namespace

bool DocumentList::Create(HWND parent, int controlId) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", kListStyle, kListLeft, kListTop, kListWidth,
                                kListHeight, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                GetModuleHandleA(nullptr), nullptr);
    if (list == nullptr)
        return false;
    window_.reset(list);

    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, kExtendedMask, kExtendedStyle);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(0xFF, 0xFF, 0xFF));
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(0xFF, 0xFF, 0xFF));

    font_ = base::MakeUiFont(-12, FW_NORMAL);
    if (font_)
        SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    for (int i = 0; i < static_cast<int>(sizeof(kColumns) / sizeof(kColumns[0])); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kColumns[i].format;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.iSubItem = i;
        if (SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column)) != i)
            return false;
    }

    stateImages_ = CreateStateImageList();
    if (!stateImages_)
        return false;
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_.get()));
    return true;
}

int DocumentList::RowCount() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

int DocumentList::AppendRow(const std::string& source) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.iItem = RowCount();
    item.pszText = Writable(source);
    item.state = INDEXTOSTATEIMAGEMASK(static_cast<int>(RowState::New) + 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    return static_cast<int>(
        SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int DocumentList::FindRow(const std::string& text) const {
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    return static_cast<int>(SendMessageA(Handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

std::string DocumentList::CellText(int row, DocumentColumn column) const {
    if (!HasRow(row))
        return {};
    // One byte more than the list view is told of stays NUL, so the text read back is
    // terminated even when the control fills the whole buffer without a terminator.
    size_t size = 512;
    std::vector<char> buffer;
    for (;;) {
        buffer.assign(size + 1, '\0');
        LVITEMA item{};
        item.iSubItem = static_cast<int>(column);
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        SendMessageA(Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        const size_t length = std::strlen(buffer.data());
        // A text that reached the end of the buffer may have been cut, and a cut can drop a
        // double-byte character whole: only a text two bytes short of the end surely fits.
        if (length + 2 < size)
            return std::string(buffer.data(), length);
        size *= 2;
    }
}

void DocumentList::SetCellText(int row, DocumentColumn column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = static_cast<int>(column);
    item.pszText = Writable(text);
    SendMessageA(Handle(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

int DocumentList::GetRowState(int row) const {
    if (!HasRow(row))
        return -1;
    const auto state =
        static_cast<UINT>(SendMessageA(Handle(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
}

void DocumentList::SetRowState(int row, RowState state) {
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(static_cast<int>(state) + 1);
    SendMessageA(Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool DocumentList::IsRowSelected(int row) const {
    if (!HasRow(row))
        return false;
    return (SendMessageA(Handle(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void DocumentList::SelectRow(int row) {
    // Index -1 would select every row.
    if (!HasRow(row))
        return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void DocumentList::DeleteRow(int row) {
    SendMessageA(Handle(), LVM_DELETEITEM, row, 0);
}

void DocumentList::DeleteAllRows() {
    SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

void DocumentList::EnsureRowVisible(int row) {
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, row, FALSE);
}

int DocumentList::CurrentRow() const {
    return static_cast<int>(
        SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

DocumentRow DocumentList::ReadRow(int row) const {
    DocumentRow result;
    result.Source = CellText(row, DocumentColumn::Source);
    result.Result = CellText(row, DocumentColumn::Result);
    result.Output = CellText(row, DocumentColumn::Output);
    result.State = GetRowState(row);
    result.Selected = IsRowSelected(row);
    return result;
}

} // namespace doclist
