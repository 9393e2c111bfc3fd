#pragma once

// The document list: the report-style list view that holds the documents to convert. It is the
// only store of the rows; everything else reads and changes them through DocumentList.

#include <doclist/document_row.h>

#include <base/owners.h>

#include <windows.h>

#include <string>

namespace doclist {

// Place and size of the list in its parent's client area.
constexpr int kListLeft = 0;
constexpr int kListTop = 128;
constexpr int kListWidth = 747;
constexpr int kListHeight = 238;

class DocumentList {
  public:
    DocumentList() = default;
    // The control draws with the font and images this object owns: neither copied nor moved.
    DocumentList(const DocumentList&) = delete;
    DocumentList& operator=(const DocumentList&) = delete;
    ~DocumentList() = default;

    // Creates the list view as a visible child of parent with the given control id, with its
    // columns, colours, font and state images; false when the control cannot be made. The
    // object owns the font and the image list and destroys the control before them.
    bool Create(HWND parent, int controlId);

    HWND Handle() const { return window_.get(); }

    int RowCount() const;
    // Adds a row after the last one: Source as given, Result and Output empty, state New, not
    // selected. The new row's index, -1 when it cannot be added.
    int AppendRow(const std::string& source);
    // The first row from row 0 whose Source equals text as a whole, letter case not regarded
    // (the list view's own comparison); -1 when none does.
    int FindRow(const std::string& text) const;
    // The cell's whole text; empty for an empty cell or a row that does not exist.
    std::string CellText(int row, DocumentColumn column = DocumentColumn::Source) const;
    void SetCellText(int row, DocumentColumn column, const std::string& text);
    // The row's RowState value; -1 for a row without state image or one that does not exist.
    int GetRowState(int row) const;
    // Shows the state's image; the row's selection and focus stay as they are.
    void SetRowState(int row, RowState state);
    bool IsRowSelected(int row) const;
    // Adds the row to the selection without moving the focus; nothing for an index that
    // names no row.
    void SelectRow(int row);
    void DeleteRow(int row);
    void DeleteAllRows();
    // Scrolls, if needed, until the whole row is visible.
    void EnsureRowVisible(int row);
    // The lowest selected index, -1 when no row is selected.
    int CurrentRow() const;

    // Every field of one row at once, read through the operations above.
    DocumentRow ReadRow(int row) const;

  private:
    bool HasRow(int row) const { return row >= 0 && row < RowCount(); }

    // Released in reverse order: the control goes first, then what it drew with.
    base::UniqueFont font_;
    base::UniqueImageList stateImages_;
    base::UniqueWindow window_;
};

} // namespace doclist
