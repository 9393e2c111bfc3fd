// The document list against the real list view as Wine provides it.

#include "list_fixture.h"

#include <doclist/state_images.h>

#include <window_capture.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using doclist::DocumentColumn;
using doclist::DocumentRow;
using doclist::RowState;

namespace {

// A path of exactly `bytes` bytes: "C:\\", then `pad` ASCII letters, then the double-byte
// characters of `piece` (or its ASCII letters), one more ASCII letter when a character would
// not fit whole.
std::string TextOfSize(size_t bytes, size_t pad, const std::string& piece) {
    std::string text = "C:\\" + std::string(pad, 'x');
    for (size_t i = 0; text.size() < bytes;) {
        const size_t width = static_cast<unsigned char>(piece[i]) >= 0x80 ? 2 : 1;
        if (text.size() + width > bytes)
            text += 'y';
        else
            text += piece.substr(i, width);
        i = (i + width) % piece.size();
    }
    return text;
}

void ExpectRow(const DocumentRow& row, const std::string& source, const std::string& result,
               const std::string& output, int state, bool selected) {
    EXPECT_EQ(row.Source, source);
    EXPECT_EQ(row.Result, result);
    EXPECT_EQ(row.Output, output);
    EXPECT_EQ(row.State, state);
    EXPECT_EQ(row.Selected, selected);
}

} // namespace

TEST_F(DocumentListTest, EmptyListHasNoRowsAndFindsNothing) {
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(List().CurrentRow(), -1);
    for (const char* text : {"", "C:\\a.doc", "*"})
        EXPECT_EQ(List().FindRow(text), -1) << text;
    ExpectRow(List().ReadRow(0), "", "", "", -1, false);
}

TEST_F(DocumentListTest, AppendedRowsReadBackAsNewAndUnselected) {
    const std::vector<std::string> paths = {"C:\\Docs\\Plan.docx", "D:\\报告\\二〇二四年度总结.doc",
                                            "\\\\server\\共享\\表格.xlsx"};
    for (size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(List().AppendRow(paths[i]), static_cast<int>(i));
    ASSERT_EQ(List().RowCount(), 3);
    for (int i = 0; i < 3; ++i)
        ExpectRow(List().ReadRow(i), paths[i], "", "", static_cast<int>(RowState::New), false);
    EXPECT_EQ(List().CurrentRow(), -1);
}

TEST_F(DocumentListTest, FindRowMatchesWholeSourceIgnoringAsciiCase) {
    for (const char* path : {"C:\\Docs\\Plan.docx", "D:\\报告\\年度总结.doc",
                             "D:\\报告\\年度总结.docx", "C:\\Docs\\Plan.DOCX"})
        List().AppendRow(path);
    List().SetCellText(0, DocumentColumn::Result, "完成");
    List().SetCellText(0, DocumentColumn::Output, "C:\\Docs\\Plan_docx.pdf");

    struct Case {
        const char* text;
        int row;
    } cases[] = {
        {"C:\\Docs\\Plan.docx", 0},
        {"c:\\docs\\plan.docx", 0}, // first match from row 0, not the row with ".DOCX"
        {"C:\\DOCS\\PLAN.DOCX", 0},
        {"C:\\Docs\\Plan.doc", -1},   // .doc is not .docx
        {"C:\\Docs\\Plan", -1},       // a beginning only
        {"C:\\Docs\\Plan.docx ", -1}, // longer than the Source
        {"D:\\报告\\年度总结.doc", 1},
        {"d:\\报告\\年度总结.DOC", 1},
        {"D:\\报告\\年度总结.docx", 2},
        {"D:\\报告\\年度", -1},
        {"C:\\Docs\\Plan_docx.pdf", -1}, // other columns are not searched
        {"完成", -1},
        {"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(List().FindRow(c.text), c.row) << c.text;
}

TEST_F(DocumentListTest, DeletingTheLowestSelectedRowMovesCurrentRowToTheNextSelected) {
    AppendNumberedRows(7);
    List().SelectRow(2);
    List().SelectRow(5);
    EXPECT_EQ(List().CurrentRow(), 2);

    List().DeleteRow(2);
    EXPECT_EQ(List().RowCount(), 6);
    EXPECT_EQ(SelectedRows(), std::vector<int>{4});
    EXPECT_EQ(List().CurrentRow(), 4);
    EXPECT_EQ(List().CellText(4), "C:\\rows\\5.doc");
    EXPECT_EQ(List().CellText(2), "C:\\rows\\3.doc");

    List().DeleteRow(4);
    EXPECT_EQ(List().CurrentRow(), -1);
}

TEST_F(DocumentListTest, SelectRowAddsToTheSelectionAndLeavesTheFocus) {
    AppendNumberedRows(6);
    List().SelectRow(0);
    List().SelectRow(1);
    SetFocusedRow(1);

    List().SelectRow(3);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(FocusedRow(), 1);
    EXPECT_EQ(List().CurrentRow(), 0);

    List().SelectRow(3); // already selected: stays so
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 3}));
}

TEST_F(DocumentListTest, SelectRowOutsideTheListDoesNothing) {
    AppendNumberedRows(3);
    List().SelectRow(1);
    for (int row : {-1, -2, 3, 4, 1000}) {
        List().SelectRow(row);
        EXPECT_EQ(SelectedRows(), std::vector<int>{1}) << row;
        EXPECT_EQ(List().RowCount(), 3);
    }
}

TEST_F(DocumentListTest, SetRowStateShowsEachStateAndKeepsSelectionAndFocus) {
    AppendNumberedRows(3);
    List().SelectRow(1);
    SetFocusedRow(1);
    for (RowState state :
         {RowState::Processing, RowState::Failed, RowState::Done, RowState::New, RowState::Done}) {
        List().SetRowState(1, state);
        EXPECT_EQ(List().GetRowState(1), static_cast<int>(state));
        EXPECT_EQ(SelectedRows(), std::vector<int>{1});
        EXPECT_EQ(FocusedRow(), 1);
        EXPECT_EQ(List().GetRowState(0), static_cast<int>(RowState::New));
        EXPECT_EQ(List().GetRowState(2), static_cast<int>(RowState::New));
    }
    // Texts are not touched by the state.
    EXPECT_EQ(List().CellText(1), "C:\\rows\\1.doc");
}

TEST_F(DocumentListTest, GetRowStateReadsMinusOneForARowWithoutStateImage) {
    AppendNumberedRows(2);
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = 0;
    SendMessageA(ListWindow(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(List().GetRowState(1), -1);
    EXPECT_EQ(List().GetRowState(0), 0);
}

TEST_F(DocumentListTest, CellsOfARunReadBack) {
    AppendNumberedRows(4);
    struct Case {
        int row;
        RowState state;
        const char* result;
        const char* output;
    } cases[] = {
        {0, RowState::Processing, "正在处理", ""},
        {1, RowState::Failed, "失败", ""},
        {2, RowState::Done, "完成", "D:\\输出\\2_doc.pdf"},
        {3, RowState::New, "文件不存在", ""},
    };
    for (const Case& c : cases) {
        List().SetRowState(c.row, c.state);
        List().SetCellText(c.row, DocumentColumn::Result, c.result);
        List().SetCellText(c.row, DocumentColumn::Output, c.output);
    }
    for (const Case& c : cases)
        ExpectRow(List().ReadRow(c.row), "C:\\rows\\" + std::to_string(c.row) + ".doc", c.result,
                  c.output, static_cast<int>(c.state), false);

    // A later text replaces the earlier one whole, a shorter one included.
    List().SetCellText(0, DocumentColumn::Result, "完成");
    EXPECT_EQ(List().CellText(0, DocumentColumn::Result), "完成");
}

// Texts at and around the sizes the reading buffer goes through, in ASCII and in GBK with the
// double-byte characters falling on either side of each boundary.
TEST_F(DocumentListTest, LongTextsReadBackWhole) {
    std::vector<std::string> texts;
    for (size_t bytes : {510u, 511u, 512u, 513u, 1022u, 1023u, 1024u, 1025u, 2047u, 6000u}) {
        texts.push_back(TextOfSize(bytes, 0, "long\\path"));
        texts.push_back(TextOfSize(bytes, 0, "文档目录"));
        texts.push_back(TextOfSize(bytes, 1, "文档目录"));
    }
    for (const std::string& text : texts)
        ASSERT_NE(List().AppendRow(text), -1);
    List().SetCellText(0, DocumentColumn::Output, texts.back());
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string read = List().CellText(static_cast<int>(i));
        EXPECT_EQ(read.size(), texts[i].size()) << "row " << i;
        EXPECT_TRUE(read == texts[i]) << "row " << i;
    }
    EXPECT_TRUE(List().CellText(0, DocumentColumn::Output) == texts.back());
    EXPECT_EQ(List().FindRow(texts[5]), 5);
}

TEST_F(DocumentListTest, ReadingPastTheEndGivesEmptyResults) {
    AppendNumberedRows(2);
    List().SetCellText(1, DocumentColumn::Result, "完成");
    for (int row : {-1, 2, 3, 100}) {
        for (DocumentColumn column :
             {DocumentColumn::Source, DocumentColumn::Result, DocumentColumn::Output})
            EXPECT_EQ(List().CellText(row, column), "") << row;
        EXPECT_EQ(List().GetRowState(row), -1) << row;
        EXPECT_FALSE(List().IsRowSelected(row)) << row;
    }

    List().SelectRow(0);
    List().DeleteAllRows();
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(List().CurrentRow(), -1);
    EXPECT_EQ(List().CellText(0), "");
    EXPECT_EQ(List().FindRow("C:\\rows\\0.doc"), -1);
    EXPECT_EQ(List().AppendRow("C:\\again.doc"), 0);
}

TEST_F(DocumentListTest, EnsureRowVisibleShowsTheWholeRow) {
    AppendNumberedRows(60);
    RECT client{};
    GetClientRect(ListWindow(), &client);
    RECT header{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(ListWindow(), LVM_GETHEADER, 0, 0)), &header);
    const int top = header.bottom - header.top;
    for (int row : {59, 30, 0, 45}) {
        List().EnsureRowVisible(row);
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        ASSERT_TRUE(
            SendMessageA(ListWindow(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)));
        EXPECT_GE(bounds.top, top) << row;
        EXPECT_LE(bounds.bottom, client.bottom) << row;
    }
}

// What the control is made of: styles, colours, font, columns and state images.
TEST_F(DocumentListTest, ControlHasTheListsLookAndPlace) {
    HWND list = ListWindow();
    const auto style = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
    const DWORD on = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT |
                     LVS_NOSORTHEADER | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
    EXPECT_EQ(style & on, on);
    EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_EQ(style & (LVS_SINGLESEL | LVS_EDITLABELS | LVS_NOCOLUMNHEADER | LVS_OWNERDRAWFIXED |
                       LVS_SORTASCENDING | LVS_SORTDESCENDING),
              0u);
    EXPECT_EQ(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_INFOTIP);

    RECT place{};
    GetWindowRect(list, &place);
    MapWindowPoints(nullptr, Parent(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 128);
    EXPECT_EQ(place.right - place.left, 747);
    EXPECT_EQ(place.bottom - place.top, 238);

    EXPECT_EQ(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0), 0x000000);
    EXPECT_EQ(SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0), 0xFFFFFF);
    EXPECT_EQ(SendMessageA(list, LVM_GETBKCOLOR, 0, 0), 0xFFFFFF);

    LOGFONTA font{};
    ASSERT_NE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)),
                         sizeof(font), &font),
              0);
    EXPECT_STREQ(font.lfFaceName, "微软雅黑");
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 134);
    EXPECT_FALSE(font.lfItalic);
    EXPECT_FALSE(font.lfUnderline);

    struct Column {
        const char* title;
        int width;
        int format;
    } columns[] = {{"文件名", 320, LVCFMT_LEFT},
                   {"转换结果", 80, LVCFMT_CENTER},
                   {"转换后保存位置", 320, LVCFMT_LEFT}};
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        char title[64] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.pszText = title;
        column.cchTextMax = sizeof(title);
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(title, columns[i].title);
        EXPECT_EQ(column.cx, columns[i].width);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, columns[i].format);
    }

    auto images =
        reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 4);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_EQ(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
}

namespace {

// How far a 16 x 16 patch of the capture is from the image drawn over white: the largest
// difference of any channel of any pixel.
int Distance(const testsupport::Capture& shot, int left, int top,
             const std::vector<std::uint32_t>& image) {
    int worst = 0;
    for (int y = 0; y < doclist::kStateImageSize; ++y) {
        for (int x = 0; x < doclist::kStateImageSize; ++x) {
            const std::uint32_t p = image[static_cast<size_t>(y) * doclist::kStateImageSize + x];
            const int alpha = static_cast<int>(p >> 24);
            const COLORREF seen = shot.At(left + x, top + y);
            const int want[3] = {static_cast<int>((p >> 16) & 0xFF),
                                 static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
            const int got[3] = {GetRValue(seen), GetGValue(seen), GetBValue(seen)};
            for (int c = 0; c < 3; ++c) {
                const int over_white = (want[c] * alpha + 255 * (255 - alpha) + 127) / 255;
                worst = std::max(worst, std::abs(over_white - got[c]));
            }
        }
    }
    return worst;
}

} // namespace

TEST_F(DocumentListTest, StateImagesAndColumnTitlesAreDrawn) {
    AppendNumberedRows(4);
    for (int i = 0; i < 4; ++i)
        List().SetRowState(i, static_cast<RowState>(i));
    const testsupport::Capture shot = testsupport::CaptureClient(ListWindow());
    ASSERT_GT(shot.width, 0);

    std::vector<std::vector<std::uint32_t>> images;
    for (int i = 0; i < 4; ++i)
        images.push_back(doclist::DrawStateImage(static_cast<RowState>(i)));

    for (int row = 0; row < 4; ++row) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        ASSERT_TRUE(
            SendMessageA(ListWindow(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)));
        // The state image lies at the left edge of column 0, somewhere within the row.
        int best[4] = {999, 999, 999, 999};
        for (int top = bounds.top - 1; top + 16 <= bounds.bottom + 1; ++top)
            for (int left = bounds.left; left <= bounds.left + 8; ++left)
                for (int i = 0; i < 4; ++i)
                    best[i] = std::min(best[i], Distance(shot, left, top, images[i]));
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_LE(best[row], 8);
        for (int i = 0; i < 4; ++i) {
            if (i == row)
                continue;
            EXPECT_GT(best[i], 40) << "image " << i;
        }
    }

    HWND header = reinterpret_cast<HWND>(SendMessageA(ListWindow(), LVM_GETHEADER, 0, 0));
    const testsupport::Capture titles = testsupport::CaptureClient(header);
    ASSERT_GT(titles.height, 0);
    for (int i = 0; i < 3; ++i) {
        RECT item{};
        ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)));
        int dark = 0;
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = item.left + 2; x < item.right - 2; ++x) {
                const COLORREF c = titles.At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100)
                    ++dark;
            }
        EXPECT_GT(dark, 20) << "column " << i;
    }
}
