#include "list_fixture.h"

#include <window_capture.h>

#include <commctrl.h>

#include <string>

std::unique_ptr<app::MainWindow> DocumentListTest::window_;

void DocumentListTest::SetUpTestSuite() {
    window_ = app::MainWindow::Create();
    testsupport::PumpMessages();
}

void DocumentListTest::TearDownTestSuite() {
    window_.reset();
    testsupport::PumpMessages();
}

void DocumentListTest::SetUp() {
    ASSERT_NE(window_, nullptr);
    List().DeleteAllRows();
    testsupport::PumpMessages();
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
