#include "list_fixture.h"

#include <window_capture.h>

#include <commctrl.h>

#include <string>

namespace {

constexpr int kListId = 1001;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

const char* HostClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "DocumentListTestHost";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

} // namespace

base::UniqueWindow DocumentListTest::host_;

void DocumentListTest::SetUpTestSuite() {
    host_.reset(CreateWindowExA(0, HostClass(), "doclist", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                0, 0, 747, 455, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr));
}

void DocumentListTest::TearDownTestSuite() {
    host_.reset();
}

void DocumentListTest::SetUp() {
    ASSERT_TRUE(host_);
    list_ = std::make_unique<doclist::DocumentList>();
    ASSERT_TRUE(list_->Create(host_.get(), kListId));
    testsupport::PumpMessages();
}

void DocumentListTest::TearDown() {
    list_.reset();
}

void DocumentListTest::AppendNumberedRows(int count) {
    for (int i = 0; i < count; ++i) {
        const int expected = List().RowCount();
        ASSERT_EQ(List().AppendRow("C:\\rows\\" + std::to_string(i) + ".doc"), expected);
    }
}

std::vector<int> DocumentListTest::SelectedRows() {
    std::vector<int> rows;
    for (int i = 0; i < List().RowCount(); ++i)
        if (List().IsRowSelected(i))
            rows.push_back(i);
    return rows;
}

int DocumentListTest::FocusedRow() {
    return static_cast<int>(
        SendMessageA(ListWindow(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void DocumentListTest::SetFocusedRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    SendMessageA(ListWindow(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}
