#pragma once

// The document list for the tests: the real list of the real main window, emptied before each
// test.

#include <app/main_window.h>
#include <doclist/document_list.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class DocumentListTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    doclist::DocumentList& List() { return window_->超级列表框; }
    HWND ListWindow() { return List().Handle(); }
    HWND Parent() { return window_->hwnd(); }

    // Appends rows named C:\rows\0.doc, C:\rows\1.doc ...
    void AppendNumberedRows(int count);
    // The indices of the selected rows, in order.
    std::vector<int> SelectedRows();
    // The row with the keyboard focus, -1 for none.
    int FocusedRow();
    void SetFocusedRow(int row);

  private:
    // One window for the whole suite: destroying a visible top-level window costs Wine
    // seconds when no window manager answers.
    static std::unique_ptr<app::MainWindow> window_;
};
