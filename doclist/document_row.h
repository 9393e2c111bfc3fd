#pragma once

// The value types of the document list: its columns, the states a row goes through and one
// row as a whole.

#include <string>

namespace doclist {

// The columns of the list, by their index in the list view.
enum class DocumentColumn { Source = 0, Result = 1, Output = 2 };

// The progress of a row; the value is also the index of the row's state image.
enum class RowState { New = 0, Processing = 1, Failed = 2, Done = 3 };

constexpr int kRowStateCount = 4;

// One row as the list shows it. Texts are in the ANSI code page (GBK).
struct DocumentRow {
    std::string Source; // full path of the source document, as it was added
    std::string Result; // empty, or one of the result texts of a run
    std::string Output; // path of the PDF written by the last successful conversion
    int State = -1;     // a RowState value, -1 when the row shows no state image
    bool Selected = false;
};

} // namespace doclist
