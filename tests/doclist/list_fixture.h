#pragma once

// The document list for the tests: a fresh list for each test, in a window of its own.

#include <doclist/document_list.h>

#include <base/owners.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class DocumentListTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    doclist::DocumentList& List() { return *list_; }
    HWND ListWindow() { return list_->Handle(); }
    HWND Parent() { return host_.get(); }

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
    static base::UniqueWindow host_;
    std::unique_ptr<doclist::DocumentList> list_;
};
