#pragma once

// What the three applications' document collections have in common: the list of open
// documents (each held by one reference until it is closed), opening an existing file, and
// "saving" a document as PDF.

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <utility>
#include <vector>

namespace standin {

class DocumentList;

// The part of a document that its collection sees.
struct DocumentState {
    std::wstring path;
    DocumentList* owner = nullptr;
};

class DocumentList {
  public:
    DocumentList() = default;
    DocumentList(const DocumentList&) = delete;
    DocumentList& operator=(const DocumentList&) = delete;
    // Releases the documents still open.
    ~DocumentList();

    // Takes over one reference to the document.
    void Add(IUnknown* document, DocumentState* state);
    // Forgets the document and releases the list's reference to it.
    void Remove(DocumentState* state);
    long Count() const { return static_cast<long>(documents_.size()); }

  private:
    std::vector<std::pair<IUnknown*, DocumentState*>> documents_;
};

// Close of a document: its collection forgets it and drops its reference. The document holds
// a reference of its own meanwhile, so that it outlives the call even when that was the last.
void CloseDocument(IUnknown* document, DocumentState& state);

// True when the path names an existing file (not a folder).
bool FileExists(const std::wstring& path);

// The text of an argument that may be by reference, missing (VT_ERROR) or of another type.
std::wstring ArgumentText(const VARIANT* argument);

// Writes the PDF for SaveAs of `objectName` ("Word.Document") unless the scenario says
// "nopdf <objectName>.SaveAs". An empty error text means success.
std::string SaveDocumentAsPdf(const std::string& objectName, const DocumentState& document,
                              const std::wstring& target);

} // namespace standin
